#!/usr/bin/env bash
# Plays the real game for MINUTES minutes on a virtual display of its own with
# random clicks, holds and pointer moves, sampling the game's resident memory
# every 10 seconds. At the end the window is asked to close (SIGTERM, the same
# path as the close button) and the run passes when:
#   - the game exits with status 0,
#   - its log has no "error:" line and ends with "mvn is shut down",
#   - resident memory grew by less than 2 % from the first sample after the
#     first minute to the last sample.
# The samples go to soak-rss.tsv in the run's folder (printed at the start).
# Usage: scripts/soak.sh MINUTES       (not part of the test command)
set -euo pipefail
cd "$(dirname "$0")/.."

minutes=${1:?usage: scripts/soak.sh MINUTES}
[[ $minutes =~ ^[0-9]+$ ]] && ((minutes >= 2)) || { echo "soak: MINUTES must be a whole number >= 2" >&2; exit 2; }
game=${SOAK_GAME:-build/quadrivolant}
[[ -x $game ]] || scripts/build.sh
game=$(readlink -f "$game")

run=$(mktemp -d /tmp/soak.XXXXXX)
echo "soak: $minutes minutes, run folder $run"
export TMPDIR=$run SDL_AUDIODRIVER=dummy MORVANE_NO_MESSAGEBOX=1

# A display of our own, whatever DISPLAY says: two windows on one display take
# the focus from each other.
fifo=$run/displayfd
mkfifo "$fifo"
Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1280x1024x24 3>"$fifo" >/dev/null 2>&1 &
xvfb_pid=$!
game_pid=
cleanup() {
  [[ -n $game_pid ]] && kill "$game_pid" 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
}
trap cleanup EXIT
read -r -t 30 number <"$fifo"
export DISPLAY=":$number"

"$game" >"$run/stdout.txt" 2>"$run/stderr.txt" &
game_pid=$!

window=
for _ in $(seq 100); do
  window=$(xdotool search --name '^Quadrivolant$' 2>/dev/null | head -n 1 || true)
  [[ -n $window ]] && break
  kill -0 "$game_pid" 2>/dev/null || break
  sleep 0.2
done
[[ -n $window ]] || { echo "soak: the game's window did not appear" >&2; exit 1; }

rss_kb() { awk '/^VmRSS:/ {print $2}' "/proc/$game_pid/status" 2>/dev/null || echo 0; }

# A point anywhere in the 800x480 window, most often on an arrow so that rows
# and columns turn and deals get solved now and then.
random_point() {
  if ((RANDOM % 4)); then
    local band=$((RANDOM % 3)) side=$((RANDOM % 4))
    case $side in
      0) px=$((120 * band + 90 + RANDOM % 60)) py=$((RANDOM % 60)) ;;
      1) px=$((120 * band + 90 + RANDOM % 60)) py=$((420 + RANDOM % 60)) ;;
      2) px=$((RANDOM % 60)) py=$((120 * band + 90 + RANDOM % 60)) ;;
      *) px=$((420 + RANDOM % 60)) py=$((120 * band + 90 + RANDOM % 60)) ;;
    esac
  else
    px=$((RANDOM % 800)) py=$((RANDOM % 480))
  fi
}

samples=$run/soak-rss.tsv
printf 'seconds\trss_kb\n' >"$samples"
start=$SECONDS
end=$((start + 60 * minutes))
next_sample=$start
clicks=0 holds=0 moves=0
while ((SECONDS < end)); do
  kill -0 "$game_pid" 2>/dev/null || { echo "soak: the game ended by itself after $((SECONDS - start)) s" >&2; break; }
  if ((SECONDS >= next_sample)); then
    printf '%d\t%s\n' $((SECONDS - start)) "$(rss_kb)" >>"$samples"
    next_sample=$((next_sample + 10))
  fi
  random_point
  case $((RANDOM % 10)) in
    0 | 1 | 2 | 3 | 4)
      xdotool mousemove --window "$window" "$px" "$py" click 1 2>/dev/null || true
      clicks=$((clicks + 1)) ;;
    5 | 6)
      xdotool mousemove --window "$window" "$px" "$py" mousedown 1 2>/dev/null || true
      sleep "0.$((RANDOM % 9 + 1))$((RANDOM % 10))"
      random_point
      ((RANDOM % 2)) && xdotool mousemove --window "$window" "$px" "$py" 2>/dev/null || true
      xdotool mouseup 1 2>/dev/null || true
      holds=$((holds + 1)) ;;
    *)
      xdotool mousemove --window "$window" "$px" "$py" 2>/dev/null || true
      moves=$((moves + 1)) ;;
  esac
  sleep "0.$((RANDOM % 3))$((RANDOM % 10))"
done
printf '%d\t%s\n' $((SECONDS - start)) "$(rss_kb)" >>"$samples"

status=0
if kill -0 "$game_pid" 2>/dev/null; then
  kill -TERM "$game_pid"
  for _ in $(seq 100); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
fi
wait "$game_pid" || status=$?
game_pid=

failed=0
log=$run/ErrorLog.txt
echo "soak: $clicks clicks, $holds holds, $moves moves; exit status $status"
((status == 0)) || { echo "soak: FAIL exit status $status" >&2; failed=1; }
if [[ ! -f $log ]]; then
  echo "soak: FAIL no log at $log" >&2; failed=1
else
  if grep -q 'error:' "$log" "$run/stdout.txt"; then
    echo "soak: FAIL the log or standard output has an error line:" >&2
    grep 'error:' "$log" "$run/stdout.txt" | head -n 5 >&2
    failed=1
  fi
  [[ $(tail -n 1 "$log") == "mvn is shut down" ]] || { echo "soak: FAIL the log does not end with a normal shutdown" >&2; failed=1; }
fi

# Growth from the first sample at or after 60 s to the last sample.
read -r base final count < <(awk -F'\t' 'NR > 1 && $1 >= 60 && !b {b = $2} NR > 1 {f = $2; n++} END {print b + 0, f + 0, n + 0}' "$samples")
peak=$(awk -F'\t' 'NR > 1 && $2 > p {p = $2} END {print p + 0}' "$samples")
if ((base == 0)); then
  echo "soak: FAIL no memory sample after the first minute" >&2; failed=1
else
  growth=$(awk -v b="$base" -v f="$final" 'BEGIN {printf "%.2f", 100 * (f - b) / b}')
  echo "soak: $count samples; resident memory at 1 min $base kB, at the end $final kB, peak $peak kB, growth $growth %"
  awk -v g="$growth" 'BEGIN {exit !(g < 2)}' || { echo "soak: FAIL memory grew by $growth % (limit 2 %)" >&2; failed=1; }
fi

((failed == 0)) && echo "soak: passed" || echo "soak: failed (run folder $run)"
exit "$failed"
