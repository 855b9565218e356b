#!/usr/bin/env bash
# Runs a command with a display: the current one when DISPLAY is set, else a
# virtual X server of its own (started with -displayfd and -noreset, ended afterwards).
set -euo pipefail
if [[ -n "${DISPLAY:-}" ]]; then
  exec "$@"
fi
fifo=$(mktemp -u)
mkfifo "$fifo"
Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1280x1024x24 3>"$fifo" >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; rm -f "$fifo"' EXIT
read -r -t 30 number <"$fifo"
export DISPLAY=":$number"
"$@"
