#!/usr/bin/env bash
# Checks that includes run one way only: a file includes headers of its own
# module, of modules on its own floor, and of floors below. The floors, from
# the bottom up:
floors=(
  "runtime/platform runtime/core"
  "runtime/values runtime/files"
  "runtime/gfx2d runtime/input runtime/audio runtime/pathfind"
  "runtime/app"
  "game examples tools tests bench fuzz"
)
# The platform layer stands beside core but includes nothing else of the
# runtime, and it is the only code that includes SDL (or emscripten).
#
# Inside the renderer (runtime/gfx2d) the rooms stand on floors of their own,
# from the bottom up; "runtime/gfx2d" is its top folder, the renderer object.
# The image decoders and writer include no GL either.
rooms=(
  "runtime/gfx2d/images"
  "runtime/gfx2d runtime/gfx2d/sprites runtime/gfx2d/drawing"
  "runtime/gfx2d/fonts"
)
glFree="runtime/gfx2d/images"
set -euo pipefail
cd "$(dirname "$0")/.."

floor_of() {
  local i m
  for i in "${!floors[@]}"; do
    for m in ${floors[$i]}; do
      [[ $1 == "$m" || $1 == "$m"/* ]] && { echo "$i"; return; }
    done
  done
  echo -1
}
room_floor_of() {  # the floor of the room holding a file, -1 outside the rooms
  local dir=${1%/*} i m
  for i in "${!rooms[@]}"; do
    for m in ${rooms[$i]}; do
      [[ $dir == "$m" ]] && { echo "$i"; return; }
    done
  done
  echo -1
}
module_of() {  # runtime/<module> or the top folder
  local rest
  if [[ $1 == runtime/* ]]; then rest=${1#runtime/}; echo "runtime/${rest%%/*}"
  else echo "${1%%/*}"; fi
}

failures=0
while IFS= read -r -d '' file; do
  from=$(module_of "$file")
  from_floor=$(floor_of "$from")
  while IFS= read -r line; do
    number=${line%%:*}
    header=$line
    [[ $line =~ ^[0-9]+:#include[[:space:]]*\"([^\"]+)\" ]] && header=${BASH_REMATCH[1]}
    to=$(module_of "$header")
    if [[ $to == "$from" ]]; then
      if [[ $from == runtime/gfx2d ]]; then
        from_room=$(room_floor_of "$file")
        to_room=$(room_floor_of "$header")
        if ((to_room > from_room)); then
          echo "layers: $file:$number includes $header (${header%/*} is not below ${file%/*})"
          failures=$((failures + 1))
        fi
      fi
      continue
    fi
    to_floor=$(floor_of "$to")
    ((to_floor < 0)) && continue
    if ((to_floor > from_floor)) ||
       { [[ $from == runtime/platform ]] && [[ $to != runtime/core ]]; }; then
      echo "layers: $file:$number includes $header ($to is not below $from)"
      failures=$((failures + 1))
    fi
  done < <(grep -n -E '^#include[[:space:]]*"' "$file" || true)
  if [[ $from != runtime/platform ]] && [[ $from_floor -lt 4 ]] &&
     grep -n -E '^#include[[:space:]]*[<"](SDL|emscripten)' "$file" >/dev/null; then
    echo "layers: $file includes SDL or emscripten outside the platform layer"
    failures=$((failures + 1))
  fi
  if [[ ${file%/*} == "$glFree" ]]; then
    while IFS= read -r line; do
      echo "layers: $file:${line%%:*} includes GL in $glFree"
      failures=$((failures + 1))
    done < <(grep -n -E '^#include[[:space:]]*[<"](GL/|GLES|runtime/platform/gl_)' "$file" || true)
  fi
done < <(find runtime game examples tools tests bench fuzz \( -name '*.h' -o -name '*.cpp' \) -print0 2>/dev/null)

# The public face (include/morvane) declares what programs may call and
# includes nothing of the runtime's insides; programs (the game, the examples,
# the whole-program benchmarks) include the public face only.
while IFS= read -r -d '' file; do
  while IFS= read -r line; do
    echo "layers: $file:${line%%:*} includes a header outside the public face"
    failures=$((failures + 1))
  done < <(grep -n -E '^#include[[:space:]]*"' "$file" | grep -v -E '#include[[:space:]]*"morvane/' || true)
done < <(find include/morvane -name '*.h' -print0)
while IFS= read -r -d '' file; do
  while IFS= read -r line; do
    echo "layers: $file:${line%%:*} includes a runtime header; programs include \"morvane/morvane.h\""
    failures=$((failures + 1))
  done < <(grep -n -E '^#include[[:space:]]*"runtime/' "$file" || true)
done < <(find game examples bench/programs \( -name '*.h' -o -name '*.cpp' \) -print0 2>/dev/null)

if ((failures)); then
  echo "layers: $failures include(s) run upwards"
  exit 1
fi
echo "layers: every include runs downwards"
