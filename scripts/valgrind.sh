#!/usr/bin/env bash
# Runs the game under valgrind's memcheck for MORVANE_FRAMES frames (default
# 300) on a virtual display of its own, then reads the report: the run passes
# when memcheck saw no invalid access and no definite leak allocated by the
# runtime's or the game's own code. Blocks lost inside system libraries (Mesa,
# SDL, X11, libdbus and friends) are counted in the summary, not failed.
# Usage: scripts/valgrind.sh        (not part of the test command; takes minutes)
set -euo pipefail
cd "$(dirname "$0")/.."
game=${VALGRIND_GAME:-build/quadrivolant}
[[ -x $game ]] || scripts/build.sh
game=$(readlink -f "$game")
run=$(mktemp -d /tmp/valgrind.XXXXXX)
report=$run/memcheck.txt
echo "valgrind: run folder $run"

export TMPDIR=$run SDL_AUDIODRIVER=dummy MORVANE_NO_MESSAGEBOX=1 MORVANE_SEED=1
export MORVANE_FRAMES=${MORVANE_FRAMES:-300}
unset DISPLAY
status=0
scripts/with-display.sh valgrind --tool=memcheck --leak-check=full --show-leak-kinds=definite \
  --errors-for-leak-kinds=definite --num-callers=40 --track-origins=no --log-file="$report" \
  "$game" >"$run/stdout.txt" 2>&1 || status=$?

summary() { grep -E "ERROR SUMMARY|definitely lost|indirectly lost|possibly lost|still reachable" "$report" | sed 's/^==[0-9]*== *//'; }
summary
# Each error or leak record runs from its headline to the next blank line. An
# invalid access or free counts wherever it happens; any other record counts
# when its first frame outside valgrind's own allocator replacements
# (where the access happened, or what allocated the lost block) is the
# runtime's or the game's code; a block lost inside a system library reached
# from our calls is the library's.
ours=$(awk '
  function flush() { if (rec != "" && own) { print rec; n++ } rec = ""; own = 0; first = "" }
  /^==[0-9]+== $/ { flush(); next }
  /Invalid (read|write|free)|Mismatched/ { flush(); rec = $0; own = 1; next }  # anywhere
  /uninitialised|definitely lost|overlap|Syscall param/ { flush(); rec = $0; next }
  rec != "" {
    rec = rec "\n" $0
    if (first == "" && $0 ~ /(at|by) 0x/ && $0 !~ /vgpreload|valgrind/) {
      first = $0
      if ($0 ~ /mvn::|quadrivolant::|\(([a-z_]+\/)*[a-z_]+\.(cpp|h):[0-9]+\)/ && $0 !~ /\(in \/usr\/lib/) own = 1
    }
  }
  END { flush() }' "$report")
failed=0
((status == 0)) || { echo "valgrind: FAIL the game exited with status $status"; failed=1; }
grep -q "mvn is shut down" "$run/ErrorLog.txt" 2>/dev/null || { echo "valgrind: FAIL the log does not end normally"; failed=1; }
if [[ -n $ours ]]; then
  echo "valgrind: FAIL records that involve our code:"
  echo "$ours" | sed 's/^==[0-9]*== //' | head -n 80
  failed=1
fi
((failed == 0)) && echo "valgrind: passed (report $report)" || echo "valgrind: failed (report $report)"
exit "$failed"
