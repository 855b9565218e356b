#!/usr/bin/env bash
# Installs the Debian packages the build, the game and the tests need.
# Idempotent: when everything is present it only checks and returns.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git ccache
  libsdl2-dev libsdl2-mixer-dev libjack-jackd2-dev libgl-dev
  libpng-dev zlib1g-dev libjpeg62-turbo-dev liblzo2-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xauth xdotool x11-utils libx11-dev imagemagick libjpeg-turbo-progs
  dpkg-dev file desktop-file-utils
  valgrind doxygen
)
# --windows: the cross compilers and Wine for scripts/windows.sh and
# scripts/test-windows.sh. Only the 64-bit Wine: with wine32 installed, these
# machines (which cannot run 32-bit programs) start 64-bit ones through the
# 32-bit loader, and they fail too.
if [[ ${1:-} == --windows ]]; then
  packages+=(g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools wine wine64)
fi

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  if [[ $(id -u) -ne 0 ]]; then sudo=sudo; else sudo=; fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
