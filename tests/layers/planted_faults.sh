#!/usr/bin/env bash
# The include check against planted faults, on a copy of the runtime: it
# passes on the tree as it is and fails, naming the file, once an include
# runs against the floors, between subsystems or between the renderer's rooms.
set -uo pipefail
root=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fresh() {
  rm -rf "$scratch/tree"
  mkdir -p "$scratch/tree/scripts" "$scratch/tree/include"
  cp "$root/scripts/check-layers.sh" "$scratch/tree/scripts/"
  cp -r "$root/runtime" "$scratch/tree/"
  cp -r "$root/include/morvane" "$scratch/tree/include/"
}
plant() {  # plant FILE LINE: the line goes after the file's first include
  sed -i "0,/^#include/s||$2\n&|" "$scratch/tree/$1"
}
expect() {  # expect pass|fail WHAT NEEDLE
  local want=$1 what=$2 needle=$3 output status=0
  output=$("$scratch/tree/scripts/check-layers.sh" 2>&1) || status=$?
  if [[ $want == pass && $status -ne 0 ]] || [[ $want == fail && $status -eq 0 ]] ||
     [[ -n $needle && $output != *"$needle"* ]]; then
    echo "FAILED: $what (status $status)"
    echo "$output" | head -20
    failures=$((failures + 1))
  else
    echo "ok: $what"
  fi
}

fresh
expect pass "the tree as it is passes" ""

# file | planted include | what the check must name
cases=(
  'runtime/gfx2d/images/decode_png.cpp|#include "runtime/gfx2d/sprites/sprite_store.h"|runtime/gfx2d/images/decode_png.cpp'
  'runtime/gfx2d/images/decoded_image.h|#include "runtime/gfx2d/opengl_rainbows.h"|runtime/gfx2d/images/decoded_image.h'
  'runtime/gfx2d/images/decode_bmp.cpp|#include <GL/gl.h>|includes GL in runtime/gfx2d/images'
  'runtime/gfx2d/images/image_writer.cpp|#include "runtime/platform/gl_pixels.h"|includes GL in runtime/gfx2d/images'
  'runtime/gfx2d/sprites/sprite_store.cpp|#include "runtime/gfx2d/fonts/font_text.h"|runtime/gfx2d/sprites/sprite_store.cpp'
  'runtime/gfx2d/drawing/draw_batch.cpp|#include "runtime/gfx2d/fonts/font_layout.h"|runtime/gfx2d/drawing/draw_batch.cpp'
  'runtime/gfx2d/opengl_rainbows.h|#include "runtime/gfx2d/fonts/font_metrics.h"|runtime/gfx2d/opengl_rainbows.h'
  'runtime/gfx2d/drawing/view.cpp|#include "runtime/app/frame_loop.h"|runtime/gfx2d/drawing/view.cpp'
  'runtime/platform/recording/session.cpp|#include "runtime/values/errors.h"|runtime/platform/recording/session.cpp'
)
for c in "${cases[@]}"; do
  IFS='|' read -r file line needle <<<"$c"
  fresh
  plant "$file" "$line"
  expect fail "$line in $file fails the check" "$needle"
done

((failures == 0)) || exit 1
