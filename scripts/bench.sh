#!/usr/bin/env bash
# Frame cost of the game, a given commit against the current tree, side by side.
#
#   scripts/bench.sh [COMMIT]        (default 7dbc25e)
#
# Builds COMMIT (from `git archive`, into build-bench/) and the working tree,
# both with the whole-program benchmark bench/programs/game_frames.cpp of the
# working tree, then runs them alternately, three rounds, on a virtual display:
#   - the intro frame (static, board, arrows, blocks) and the solved frame
#     (board, arrows, blocks, 51 confetti strips), 600 frames unthrottled:
#     frames per second;
#   - the same frames held at 60 per second, 600 frames: the whole process's
#     CPU seconds (the rasteriser's threads included);
#   - the time from launch to the first presented frame, and from the end
#     request to the process's exit (of the held runs).
# Prints the median of the three runs of each build and the ratio current/base.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
base=${1:-7dbc25e}
base_hash=$(git rev-parse --short "$base^{commit}")
out=$root/build-bench
mkdir -p "$out"

# The base commit's sources with the benchmark program of this tree.
base_src=$out/src-$base_hash
if [[ ! -d $base_src ]]; then
  mkdir -p "$base_src.tmp"
  git archive "$base_hash" | tar -x -C "$base_src.tmp"
  mv "$base_src.tmp" "$base_src"
fi
mkdir -p "$base_src/bench/programs"
cp bench/programs/game_frames.cpp "$base_src/bench/programs/"
# A base from before the public header gets a stand-in that gathers the
# module headers the program used then (found from the tree's root).
if [[ ! -f $base_src/include/morvane/morvane.h && ! -f $base_src/morvane/morvane.h ]]; then
  mkdir -p "$base_src/morvane"
  for header in app/frame_loop.h app/program.h app/window_context.h files/rt_file.h files/shoebox.h \
                gfx2d/sprite_loading.h input/mouse.h core/program_end.h core/runtime_settings.h \
                app/program_end.h app/runtime_settings.h values/random.h; do
    [[ -f $base_src/runtime/$header ]] && echo "#include \"runtime/$header\""
  done >"$base_src/morvane/morvane.h"
fi
cp bench/CMakeLists.txt "$base_src/bench/"

build() {  # build <source dir> <build dir>
  cmake -S "$1" -B "$2" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVANE_TESTS=OFF >/dev/null
  cmake --build "$2" --target bench_game_frames quadrivolant_media >/dev/null
}
echo "bench: building $base_hash and the working tree"
# Each base commit has a build folder of its own; "base" names the one in use.
build "$base_src" "$out/base-$base_hash"
rm -rf "$out/base"
ln -s "base-$base_hash" "$out/base"
build "$root" "$out/current"

export SDL_AUDIODRIVER=dummy MORVANE_NO_MESSAGEBOX=1
results=$out/results.txt
: >"$results"

# run <build> <frame> <fps>: one run; appends "<build> <metric> <value>" lines.
run() {
  local build=$1 frame=$2 fps=$3 hold_off=0 log
  [[ $fps == 0 ]] && hold_off=1
  log=$(MORVANE_BENCH_FRAME=$frame MORVANE_BENCH_FPS=$fps MORVANE_BENCH_PASSES=600 \
        MORVANE_NO_FRAME_HOLD=$hold_off MORVANE_SEED=1 \
        MORVANE_BENCH_LAUNCH_NS=$(date +%s%N) "$out/$build/bench_game_frames")
  # The output ends when the process does.
  local exited=$(date +%s%N) requested
  if [[ $fps == 0 ]]; then
    echo "$build ${frame}_fps $(sed -n 's/^frames per second: //p' <<<"$log")" >>"$results"
  else
    echo "$build ${frame}_cpu $(sed -n 's/^cpu seconds: //p' <<<"$log")" >>"$results"
    echo "$build ${frame}_startup $(sed -n 's/^first frame ms: //p' <<<"$log")" >>"$results"
    requested=$(sed -n 's/^end requested ns: //p' <<<"$log")
    echo "$build ${frame}_quit $(awk -v a="$requested" -v b="$exited" 'BEGIN {printf "%.1f", (b - a) / 1e6}')" >>"$results"
  fi
}

rounds() {
  for round in 1 2 3; do
    echo "bench: round $round of 3"
    for frame in intro solved; do
      for fps in 0 60; do
        # Alternating which build goes first evens out a drifting machine load.
        if ((round % 2)); then order="base current"; else order="current base"; fi
        for build in $order; do run "$build" "$frame" "$fps"; done
      done
    done
  done
}
export -f run
export out results
scripts/with-display.sh bash -c "$(declare -f rounds); rounds"

median() { sort -g | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
value() { awk -v b="$1" -v m="$2" '$1==b && $2==m {print $3}' "$results" | median; }

printf '\n%-36s %12s %12s %8s\n' "median of 3 (base $base_hash)" base current ratio
for metric in intro_fps solved_fps intro_cpu solved_cpu intro_startup intro_quit; do
  case $metric in
    intro_fps) label="intro frame, frames per second" ;;
    solved_fps) label="solved frame, frames per second" ;;
    intro_cpu) label="intro frame, CPU s / 600 held" ;;
    solved_cpu) label="solved frame, CPU s / 600 held" ;;
    intro_startup) label="launch to first frame, ms" ;;
    intro_quit) label="end request to exit, ms" ;;
  esac
  b=$(value base $metric)
  c=$(value current $metric)
  printf '%-36s %12s %12s %8s\n' "$label" "$b" "$c" "$(awk -v b="$b" -v c="$c" 'BEGIN {printf "%.2f", c / b}')"
done
