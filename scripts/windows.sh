#!/usr/bin/env bash
# Cross-builds the runtime and its programs for Windows with mingw-w64:
# build-windows/ (x86_64) or build-windows-i686/, with quadrivolant.exe,
# wayfarer.exe, shoebox.exe and the test suites that compile there. The
# libraries come from scripts/windows-deps.sh (built once, cached); media are
# packed by the shoebox of the building machine's own build (build/, or the
# tree named in MORVANE_HOST_BUILD).
#   scripts/windows.sh [x86_64|i686] [extra CMake options...]
set -euo pipefail
cd "$(dirname "$0")/.."
arch=${1:-x86_64}
shift || true
case $arch in
  x86_64) out=build-windows ;;
  i686) out=build-windows-i686 ;;
  *) echo "windows: unknown architecture $arch" >&2; exit 2 ;;
esac
# The machine is shared: two jobs at most.
jobs=$(( $(nproc) < 2 ? $(nproc) : 2 ))

prefix=$(scripts/windows-deps.sh "$arch" | tail -n1)

host=${MORVANE_HOST_BUILD:-build}
if [[ ! -f $host/build.ninja ]]; then
  cmake -S . -B "$host" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$host" --target shoebox -j"$jobs" >/dev/null
host_shoebox=$(cd "$host" && pwd)/tools/shoebox/shoebox

# Suites, and files of suites, that stand on POSIX directly: child processes
# (tests/app/child_process.h: poll, posix_spawn, waitpid), resource limits,
# ptrace, setenv, links, FIFOs and sockets. The end-to-end checks of tests/e2e
# run from scripts/test-windows.sh instead.
skipped=(
  e2e
  app/capabilities_test.cpp app/log_test.cpp app/program_test.cpp app/startup_test.cpp
  app/window_test.cpp
  audio/media_window_test.cpp audio/music_limits_test.cpp audio/music_test.cpp
  audio/sound_output_test.cpp audio/sound_program_test.cpp audio/sound_sharing_test.cpp
  audio/sound_slots_test.cpp
  backup/backup_gl_test.cpp backup/backup_reader_test.cpp
  decoders/image_writer_test.cpp decoders/jpeg_decode_test.cpp
  files/rt_file_posix_test.cpp files/shoebox_memory_test.cpp files/shoebox_test.cpp
  files/shoebox_tool_test.cpp
  fonts/startup_font_test.cpp
  input/quit_keys_test.cpp
  replay/replay_test.cpp replay/run_file_test.cpp
  values/errors_test.cpp values/named_functions_test.cpp values/rt_array_test.cpp
)
skipped=$(IFS=';'; echo "${skipped[*]}")

cmake -S . -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchains/mingw-$arch.cmake" \
  -DMORVANE_WINDOWS_PREFIX="$prefix" -DMORVANE_HOST_SHOEBOX="$host_shoebox" \
  -DMORVANE_BENCH=OFF -DMORVANE_WINDOWS_SKIPPED_TESTS="$skipped" "$@" >/dev/null
cmake --build "$out" -j"$jobs"
echo "windows: built $out"
