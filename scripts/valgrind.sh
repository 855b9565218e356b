#!/usr/bin/env bash
# Runs the game under valgrind's memcheck for MORVANE_FRAMES frames (default
# 300) on a virtual display of its own, then reads the report: the run passes
# when memcheck saw no invalid access and no definite leak whose stack holds
# the runtime's or the game's own code. Leaks wholly inside system libraries
# (Mesa, SDL, X11 and friends) are counted and shown, not failed.
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
# Each error or leak record runs from its headline to the next blank line.
ours=$(awk -v game="$game" '
  /^==[0-9]+== $/ { if (rec != "" && own) { print rec; n++ } rec = ""; own = 0; next }
  /Invalid (read|write|free)|uninitialised|Mismatched|definitely lost|overlap|Syscall param/ { rec = $0; own = 0; next }
  rec != "" { rec = rec "\n" $0; if ($0 ~ /mvn::|quadrivolant::|\/runtime\/|\/game\//) own = 1 }
  END { if (rec != "" && own) print rec }' "$report")
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
