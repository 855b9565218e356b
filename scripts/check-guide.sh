#!/usr/bin/env bash
# Checks the recipes of the guide and the README that start a program under a
# virtual display: each sets MORVANE_NO_MESSAGEBOX=1, since a message box (the
# software-renderer notice, say) would wait for an answer nobody gives.
#   scripts/check-guide.sh [FILES...]
set -euo pipefail
cd "$(dirname "$0")/.."
(($#)) || set -- docs/runtime.md README.md
bad=$(grep -nE '(xvfb-run|with-display\.sh)( -a)? +[A-Za-z./]' "$@" |
  grep -vE '(xvfb-run|with-display\.sh)( -a)? +ctest' | grep -v 'MORVANE_NO_MESSAGEBOX=1' || true)
if [[ -n $bad ]]; then
  echo "guide: recipes that start a program on a virtual display without MORVANE_NO_MESSAGEBOX=1:" >&2
  echo "$bad" >&2
  exit 1
fi
echo "guide: every recipe on a virtual display sets MORVANE_NO_MESSAGEBOX=1"
