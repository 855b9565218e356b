#!/usr/bin/env bash
# Installs what is missing, checks that includes run downwards, builds the
# reference and checks the cheatsheet against the public face, builds
# everything and runs every test: the suites (window and OpenGL tests on a
# virtual display), the install and the packages, the suites again under the
# sanitizers, the web build in node and headless Chromium, the Windows build
# under Wine and the 32-bit Windows build, then each fuzz
# target briefly on its corpus under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/check-layers.sh
scripts/docs.sh             # the reference from the public face; an undocumented entity fails
scripts/check-cheatsheet.sh # the guide's cheatsheet and the public face name the same commands
scripts/check-guide.sh      # the guide's recipes on a virtual display never wait on a message box
scripts/build.sh

export SDL_AUDIODRIVER=dummy
export MORVANE_NO_MESSAGEBOX=1
# One test at a time: two windows on one display steal each other's focus.
scripts/with-display.sh ctest --test-dir build --output-on-failure --timeout 180
scripts/check-install.sh
scripts/test-sanitizers.sh  # the suites again under AddressSanitizer, LeakSanitizer and UBSan (build-asan/)
scripts/test-web.sh  # the web build: suites under node, the pages in headless Chromium
scripts/setup.sh --windows  # the cross compilers and Wine
scripts/test-windows.sh     # the Windows build under Wine: the suites, the programs, the recordings
scripts/windows.sh i686 -DMORVANE_TESTS=OFF  # 32-bit Windows compiles and links (nothing 32-bit runs here)

scripts/fuzz.sh
echo "test: all tests passed"
