#!/usr/bin/env bash
# desktop-frame.sh PROGRAM TITLE WIDTH HEIGHT OUT.png: runs the desktop build of
# a program on the current X display with the web test's seed, and saves what
# its window shows after a second (the pages are compared with it).
set -euo pipefail
program=$1 title=$2 width=$3 height=$4 out=$5
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
xdotool mousemove 0 0
MORVANE_SEED=1234 MORVANE_FRAMES=300 MORVANE_NO_MESSAGEBOX=1 SDL_AUDIODRIVER=dummy TMPDIR=$tmp \
  "$program" >"$tmp/out.txt" 2>&1 &
pid=$!
window=
for _ in $(seq 100); do
  for id in $(xdotool search --name "^$title\$" 2>/dev/null); do
    geometry=$(xdotool getwindowgeometry --shell "$id")
    if grep -qx "WIDTH=$width" <<<"$geometry" && grep -qx "HEIGHT=$height" <<<"$geometry"; then
      window=$id
      eval "$(grep -E '^(X|Y)=' <<<"$geometry")"
    fi
  done
  [[ -n $window ]] && break
  sleep 0.1
done
if [[ -z $window ]]; then
  echo "desktop-frame: the window of $program never appeared" >&2
  kill "$pid" 2>/dev/null || true
  exit 1
fi
sleep 1
import -window root -crop "${width}x${height}+$X+$Y" +repage "$out"
wait "$pid"
