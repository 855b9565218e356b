#!/usr/bin/env bash
# Builds the fuzz targets with clang and sanitizers into build-fuzz/ and runs
# each for a few seconds on its seed corpus (FUZZ_SECONDS, default 10).
set -euo pipefail
cd "$(dirname "$0")/.."
shopt -s nullglob
targets=(fuzz/*.cpp)
((${#targets[@]})) || { echo "fuzz: no targets"; exit 0; }
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DMORVANE_FUZZ=ON >/dev/null
cmake --build build-fuzz
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for src in "${targets[@]}"; do
  name=$(basename "$src" .cpp)
  corpus=fuzz/corpus/$name
  work=$(mktemp -d)
  [[ -d $corpus ]] && cp -r "$corpus"/. "$work"/
  echo "fuzz: $name"
  build-fuzz/fuzz/fuzz_"$name" -max_total_time="${FUZZ_SECONDS:-10}" -rss_limit_mb=2048 \
    -timeout=10 -print_final_stats=0 "$work" 2>"$work.log" || { tail -n 60 "$work.log"; exit 1; }
  rm -rf "$work" "$work.log"
done
