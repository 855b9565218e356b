#!/usr/bin/env bash
# Draws the game's icon from its own media: picture 3 cut into the nine tiles
# of a deal, the middle row turned by one place. Needs ImageMagick; the
# results are committed in packaging/icons/.
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
picture=game/Media/3.jpg
tiles=()
for row in 0 1 2; do
  for column in 0 1 2; do
    source_column=$column
    if ((row == 1)); then source_column=$(((column + 1) % 3)); fi
    tile="$work/tile-$row-$column.png"
    convert "$picture" -crop "120x120+$((source_column * 120))+$((row * 120))" +repage "$tile"
    tiles+=("$tile")
  done
done
montage "${tiles[@]}" -tile 3x3 -geometry 120x120+3+3 -background none "$work/grid.png"
for size in 48 128 256; do
  convert "$work/grid.png" -resize "${size}x${size}" -strip "packaging/icons/quadrivolant-$size.png"
done
