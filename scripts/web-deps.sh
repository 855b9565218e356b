#!/usr/bin/env bash
# Builds the libraries the web target links (SDL2, SDL2_mixer, zlib, libpng,
# libjpeg, LZO) for WebAssembly from Debian's own source packages, once, into a
# cache folder outside any build tree (MORVANE_WEB_CACHE, default
# ~/.cache/morvane-web). A later run finds the finished prefix and returns.
# Prints the prefix on its last line.
set -euo pipefail
cache=${MORVANE_WEB_CACHE:-$HOME/.cache/morvane-web}
prefix=$cache/prefix
stamp=$prefix/.complete-1
if [[ -f $stamp ]]; then
  echo "web-deps: libraries ready in $prefix"
  echo "$prefix"
  exit 0
fi

# emscripten 3.1.6 from Debian: its own JavaScript tools live in
# /usr/share/nodejs, and node's built-in fetch breaks its generated code.
export NODE_PATH=/usr/share/nodejs
export NODE_OPTIONS=--no-experimental-fetch
jobs=$(nproc)

# Sources: the bookworm versions (the security pool carries no sources).
src=$cache/src
mkdir -p "$src" "$prefix"
sources=(libsdl2 libsdl2-mixer libjpeg-turbo lzo2 zlib=1:1.2.13.dfsg-1 libpng1.6=1.6.39-2+deb12u5)
if ! ls "$src"/libpng1.6_*.orig.tar.* >/dev/null 2>&1; then
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
work=$cache/work
mkdir -p "$work"
cmake_web() { emcmake cmake -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DCMAKE_PREFIX_PATH="$prefix" -DBUILD_SHARED_LIBS=OFF "$@" >/dev/null; }

if [[ ! -f $prefix/lib/libz.a ]]; then
  echo "web-deps: zlib"
  unpack zlib "$work/zlib"
  (cd "$work/zlib" && emconfigure ./configure --static --prefix="$prefix" >/dev/null &&
    emmake make -j"$jobs" install >/dev/null)
fi

if [[ ! -f $prefix/lib/libpng16.a ]]; then
  echo "web-deps: libpng"
  unpack libpng1.6 "$work/libpng"
  cmake_web -S "$work/libpng" -B "$work/libpng/build" -DPNG_SHARED=OFF -DPNG_STATIC=ON \
    -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF -DZLIB_ROOT="$prefix" \
    -DZLIB_LIBRARY="$prefix/lib/libz.a" -DZLIB_INCLUDE_DIR="$prefix/include"
  cmake --build "$work/libpng/build" --target install >/dev/null
fi

if [[ ! -f $prefix/lib/libjpeg.a ]]; then
  echo "web-deps: libjpeg"
  unpack libjpeg-turbo "$work/libjpeg"
  # Its size probes read the object files, which are wasm here: preset them.
  cmake_web -S "$work/libjpeg" -B "$work/libjpeg/build" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
    -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF -DWITH_JAVA=OFF -DREQUIRE_SIMD=OFF \
    -DSIZE_T=4 -DUNSIGNED_LONG=4 -DHAVE_SIZE_T=1 -DHAVE_UNSIGNED_LONG=1
  cmake --build "$work/libjpeg/build" --target install >/dev/null
fi

if [[ ! -f $prefix/lib/liblzo2.a ]]; then
  echo "web-deps: lzo2"
  unpack lzo2 "$work/lzo2"
  (cd "$work/lzo2" && emconfigure ./configure --disable-shared --prefix="$prefix" >/dev/null &&
    emmake make -j"$jobs" install >/dev/null)
fi

if [[ ! -f $prefix/lib/libSDL2.a ]]; then
  echo "web-deps: SDL2"
  unpack libsdl2 "$work/sdl2"
  cmake_web -S "$work/sdl2" -B "$work/sdl2/build" -DSDL_TEST=OFF -DSDL_SHARED=OFF -DSDL_STATIC=ON
  cmake --build "$work/sdl2/build" --target install >/dev/null
fi

if [[ ! -f $prefix/lib/libSDL2_mixer.a ]]; then
  echo "web-deps: SDL2_mixer"
  unpack libsdl2-mixer "$work/sdl2_mixer"
  cmake_web -S "$work/sdl2_mixer" -B "$work/sdl2_mixer/build" -DSDL2MIXER_SAMPLES=OFF \
    -DSDL2MIXER_VENDORED=OFF -DSDL2MIXER_DEPS_SHARED=OFF \
    -DSDL2MIXER_MP3=ON -DSDL2MIXER_MP3_DRMP3=ON -DSDL2MIXER_MP3_MPG123=OFF \
    -DSDL2MIXER_VORBIS=STB -DSDL2MIXER_WAVE=ON -DSDL2MIXER_FLAC=OFF -DSDL2MIXER_OPUS=OFF \
    -DSDL2MIXER_MOD=OFF -DSDL2MIXER_MIDI=OFF -DSDL2MIXER_CMD=OFF -DSDL2MIXER_WAVPACK=OFF \
    -DSDL2_DIR="$prefix/lib/cmake/SDL2"
  cmake --build "$work/sdl2_mixer/build" --target install >/dev/null
fi

touch "$stamp"
rm -rf "$work"
echo "web-deps: libraries ready in $prefix"
echo "$prefix"
