#!/usr/bin/env bash
# Builds the libraries the Windows target links (SDL2, SDL2_mixer, zlib, libpng,
# libjpeg, LZO, GoogleTest) with mingw-w64 from Debian's own source packages,
# once, into a cache folder outside any build tree (MORVANE_WINDOWS_CACHE,
# default ~/.cache/morvane-windows), one prefix per architecture. A later run
# finds the finished prefix and returns. Prints the prefix on its last line.
#   scripts/windows-deps.sh [x86_64|i686]
set -euo pipefail
arch=${1:-x86_64}
case $arch in x86_64|i686) ;; *) echo "windows-deps: unknown architecture $arch" >&2; exit 2 ;; esac
host=$arch-w64-mingw32
root=$(cd "$(dirname "$0")/.." && pwd)
toolchain=$root/cmake/toolchains/mingw-$arch.cmake
cache=${MORVANE_WINDOWS_CACHE:-$HOME/.cache/morvane-windows}
prefix=$cache/$arch
stamp=$prefix/.complete-1
if [[ -f $stamp ]]; then
  echo "windows-deps: libraries ready in $prefix"
  echo "$prefix"
  exit 0
fi
for tool in "$host-gcc-posix" "$host-g++-posix"; do
  command -v "$tool" >/dev/null || { echo "windows-deps: $tool missing (scripts/setup.sh --windows)" >&2; exit 1; }
done
# The machine is shared: two jobs at most.
jobs=$(( $(nproc) < 2 ? $(nproc) : 2 ))

# Sources: the bookworm versions (the security pool carries no sources).
src=$cache/src
mkdir -p "$src" "$prefix"
sources=(libsdl2 libsdl2-mixer libjpeg-turbo lzo2 zlib=1:1.2.13.dfsg-1 libpng1.6=1.6.39-2+deb12u5 googletest)
if ! ls "$src"/googletest_*.orig.tar.* "$src"/libpng1.6_*.orig.tar.* >/dev/null 2>&1; then
  list=/etc/apt/sources.list.d/morvane-deb-src.sources
  if [[ ! -f $list ]]; then
    # The first entry of the system's own list (the main archive), for sources.
    awk 'BEGIN{RS="";ORS="\n\n"} NR==1' /etc/apt/sources.list.d/debian.sources |
      sed 's/^Types: deb$/Types: deb-src/' >"$list"
  fi
  apt-get update -qq
  (cd "$src" && apt-get source --download-only "${sources[@]}" 2>&1 | grep -v '^W: Download is performed unsandboxed' || true)
fi

unpack() {  # unpack NAME-GLOB DIR: the orig tarball into a fresh DIR
  local tarball
  tarball=$(ls "$src"/$1_*.orig.tar.* | head -n1)
  rm -rf "$2" && mkdir -p "$2"
  tar -xf "$tarball" -C "$2" --strip-components=1
}
work=$cache/work-$arch
mkdir -p "$work"
cmake_win() { cmake -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$prefix" -DMORVANE_WINDOWS_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" \
  -DBUILD_SHARED_LIBS=OFF "$@" >/dev/null; }
build() { cmake --build "$1" --target install -j"$jobs" >/dev/null; }
# For the configure-based builds (the toolchain file carries the CMake ones' flags).
cflags=-O2
[[ $arch == i686 ]] && cflags="-O2 -msse2 -mfpmath=sse"

if [[ ! -f $prefix/lib/libz.a ]]; then
  echo "windows-deps: zlib"
  unpack zlib "$work/zlib"
  (cd "$work/zlib" && CC=$host-gcc-posix CFLAGS="$cflags" AR=$host-ar RANLIB=$host-ranlib \
    ./configure --static --prefix="$prefix" >/dev/null &&
    make -j"$jobs" install >/dev/null)
fi

if [[ ! -f $prefix/lib/libpng16.a ]]; then
  echo "windows-deps: libpng"
  unpack libpng1.6 "$work/libpng"
  cmake_win -S "$work/libpng" -B "$work/libpng/build" -DPNG_SHARED=OFF -DPNG_STATIC=ON \
    -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF -DZLIB_ROOT="$prefix" \
    -DZLIB_LIBRARY="$prefix/lib/libz.a" -DZLIB_INCLUDE_DIR="$prefix/include"
  build "$work/libpng/build"
fi

if [[ ! -f $prefix/lib/libjpeg.a ]]; then
  echo "windows-deps: libjpeg"
  unpack libjpeg-turbo "$work/libjpeg"
  cmake_win -S "$work/libjpeg" -B "$work/libjpeg/build" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
    -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF -DWITH_JAVA=OFF -DREQUIRE_SIMD=OFF
  build "$work/libjpeg/build"
fi

if [[ ! -f $prefix/lib/liblzo2.a ]]; then
  echo "windows-deps: lzo2"
  unpack lzo2 "$work/lzo2"
  (cd "$work/lzo2" && ./configure --host="$host" CC=$host-gcc-posix CFLAGS="$cflags" --disable-shared \
    --prefix="$prefix" >/dev/null && make -j"$jobs" install >/dev/null)
fi

if [[ ! -f $prefix/lib/libSDL2.a ]]; then
  echo "windows-deps: SDL2"
  unpack libsdl2 "$work/sdl2"
  cmake_win -S "$work/sdl2" -B "$work/sdl2/build" -DSDL_TEST=OFF -DSDL_SHARED=OFF -DSDL_STATIC=ON
  build "$work/sdl2/build"
fi

if [[ ! -f $prefix/lib/libSDL2_mixer.a ]]; then
  echo "windows-deps: SDL2_mixer"
  unpack libsdl2-mixer "$work/sdl2_mixer"
  cmake_win -S "$work/sdl2_mixer" -B "$work/sdl2_mixer/build" -DSDL2MIXER_SAMPLES=OFF \
    -DSDL2MIXER_VENDORED=OFF -DSDL2MIXER_DEPS_SHARED=OFF \
    -DSDL2MIXER_MP3=ON -DSDL2MIXER_MP3_DRMP3=ON -DSDL2MIXER_MP3_MPG123=OFF \
    -DSDL2MIXER_VORBIS=STB -DSDL2MIXER_WAVE=ON -DSDL2MIXER_FLAC=OFF -DSDL2MIXER_OPUS=OFF \
    -DSDL2MIXER_MOD=OFF -DSDL2MIXER_MIDI=OFF -DSDL2MIXER_CMD=OFF -DSDL2MIXER_WAVPACK=OFF \
    -DSDL2_DIR="$prefix/lib/cmake/SDL2"
  build "$work/sdl2_mixer/build"
fi

if [[ ! -f $prefix/lib/libgtest.a ]]; then
  echo "windows-deps: googletest"
  unpack googletest "$work/googletest"
  cmake_win -S "$work/googletest" -B "$work/googletest/build" -DINSTALL_GTEST=ON -DBUILD_GMOCK=ON
  build "$work/googletest/build"
fi

touch "$stamp"
rm -rf "$work"
echo "windows-deps: libraries ready in $prefix"
echo "$prefix"
