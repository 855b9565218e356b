#!/usr/bin/env bash
# Installs what is missing, builds everything and starts a program: the game,
# or the example named (scripts/play.sh wayfarer starts examples/wayfarer).
set -euo pipefail
cd "$(dirname "$0")/.."
name=${1:-quadrivolant}
if [[ "$name" == quadrivolant ]]; then
  program=build/quadrivolant
elif [[ -f "examples/$name/CMakeLists.txt" ]]; then
  program="build/examples/$name/$name"
else
  echo "play: no program named '$name' (the game is quadrivolant; examples: $(ls examples | grep -v CMakeLists.txt | tr '\n' ' '))" >&2
  exit 2
fi
scripts/setup.sh
scripts/build.sh
if [[ ! -x "$program" ]]; then
  echo "play: everything is built, but $program is not there yet."
  exit 0
fi
exec "$program"
