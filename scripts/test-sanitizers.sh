#!/usr/bin/env bash
# Builds every test suite, the child programs the tests start, the game and the
# tools with AddressSanitizer and UndefinedBehaviorSanitizer into build-asan/
# and runs the suites there. Any invalid access, undefined behaviour or (at the
# exit of any program, the child programs included) memory leak fails the run.
# Leaks inside system libraries (Mesa, SDL, X11, fontconfig and friends) are
# suppressed by scripts/lsan-suppressions.txt; leaks of our own code never are.
set -euo pipefail
cd "$(dirname "$0")/.."

sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
# -O1 keeps the build short on a small machine and the stack traces readable.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -g" -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" \
  -DCMAKE_C_FLAGS="$sanitizers" -DCMAKE_CXX_FLAGS="$sanitizers" \
  -DCMAKE_EXE_LINKER_FLAGS="$sanitizers" -DMORVANE_BENCH=OFF >/dev/null
nice -n 5 cmake --build build-asan

export ASAN_OPTIONS=detect_leaks=1:check_initialization_order=1:detect_stack_use_after_return=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan-suppressions.txt:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export SDL_AUDIODRIVER=dummy
export MORVANE_NO_MESSAGEBOX=1
# Mesa unloads its EGL, GLX and DRI driver modules when a display closes; what
# they still hold then shows as leaks from "<unknown module>" that no
# suppression can name. Preloading them keeps them loaded, so that memory stays
# theirs. (The preloaded modules come before the sanitizer runtime, which is
# harmless here: neither defines the allocator.)
preload=()
for module in libEGL_mesa.so.0 libGLX_mesa.so.0 dri/swrast_dri.so; do
  path=/usr/lib/$(gcc -dumpmachine)/$module
  [[ -e $path ]] && preload+=("$path")
done
export ASAN_OPTIONS=$ASAN_OPTIONS:verify_asan_link_order=0
# The end-to-end play test times its clicks by the real frame rate, which an
# instrumented game on a small machine does not keep; it runs in the plain suite.
# The checks of the tree's scripts (planted faults in the layers and the public
# face) run no compiled code, so they run in the plain suite only.
scripts/with-display.sh env LD_PRELOAD="${preload[*]}" \
  ctest --test-dir build-asan --output-on-failure --timeout 600 -E '^(PlayTest|Layers|PublicFace)\.'
echo "test-sanitizers: all tests passed under AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer"
