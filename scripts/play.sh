#!/usr/bin/env bash
# Installs what is missing, builds everything and starts the game.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
if [[ ! -x build/quadrivolant ]]; then
  echo "play: everything is built, but the game (build/quadrivolant) is not there yet."
  exit 0
fi
exec build/quadrivolant
