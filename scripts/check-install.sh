#!/usr/bin/env bash
# Checks what an installed runtime gives people who build on it, and the
# Debian packages, from the built tree in build/ (scripts/build.sh first):
#   1. cmake --install into a scratch prefix;
#   2. examples/wayfarer configured and built outside this tree against that
#      prefix, once with find_package(Morvane) and once with pkg-config, and
#      examples/brickfall with find_package(Morvane), each run for a few frames;
#   3. cpack -G DEB; both packages unpacked with dpkg-deb -x; the unpacked game
#      started from an empty folder (it finds its media in its own file), and
#      the example built against the unpacked development package.
# A run passes when it exits with 0, writes no "error:" line (standard output
# or log) and its log ends with "mvn is shut down".
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
if [[ -z "${DISPLAY:-}" ]]; then
  exec scripts/with-display.sh "$0" "$@"
fi
export SDL_AUDIODRIVER=dummy MORVANE_NO_MESSAGEBOX=1
frames=90

scratch="$root/build/check-install"
rm -rf "$scratch"
mkdir -p "$scratch"
fail() {
  echo "check-install: $*" >&2
  exit 1
}
step() { echo "check-install: $*"; }

# run NAME EXECUTABLE: starts it from an empty folder of its own with a
# temporary directory of its own and checks its end.
run() {
  local name=$1 executable=$2
  local dir="$scratch/run-$name"
  mkdir -p "$dir/cwd" "$dir/tmp"
  local status=0
  (cd "$dir/cwd" && TMPDIR="$dir/tmp" MORVANE_FRAMES=$frames "$executable" >"$dir/stdout" 2>"$dir/stderr") ||
    status=$?
  local log="$dir/tmp/ErrorLog.txt"
  ((status == 0)) || fail "$name exited with $status (see $dir)"
  [[ -f "$log" ]] || fail "$name wrote no log (see $dir)"
  if grep -q "^error:" "$dir/stdout" "$log"; then
    fail "$name reported errors: $(grep -h "^error:" "$dir/stdout" "$log" | sort | uniq -c | tr '\n' ' ')"
  fi
  [[ "$(tail -n 1 "$log")" == "mvn is shut down" ]] || fail "$name's log does not end normally (see $log)"
  step "$name ran $frames frames and ended normally"
}

# build_with_cmake NAME PREFIX [EXAMPLE]: examples/EXAMPLE (wayfarer unless
# named) as a project of its own.
build_with_cmake() {
  local name=$1 prefix=$2 example=${3:-wayfarer}
  cmake -S "examples/$example" -B "$scratch/$name" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF >"$scratch/$name.log" 2>&1 ||
    fail "configuring $example against $prefix failed (see $scratch/$name.log)"
  cmake --build "$scratch/$name" >>"$scratch/$name.log" 2>&1 ||
    fail "building $example against $prefix failed (see $scratch/$name.log)"
  step "$example built with find_package(Morvane) from $prefix"
}

step "installing into a scratch prefix"
prefix="$scratch/prefix"
cmake --build build >/dev/null
cmake --install build --prefix "$prefix" >"$scratch/install.log"

# Every page the installed guide links to is installed beside it.
docdir="$prefix/share/doc/libmorvane-dev"
for link in $(grep -oE '\]\([A-Za-z0-9_./-]+\.md\)' "$docdir/runtime.md" | sed -E 's/^\]\(//; s/\)$//' | sort -u); do
  [[ -f "$docdir/$link" ]] || fail "the installed guide links to $link, which is not installed"
done
step "every page the installed guide links to is installed"

build_with_cmake wayfarer-cmake "$prefix"
run wayfarer-cmake "$scratch/wayfarer-cmake/wayfarer"
build_with_cmake brickfall-cmake "$prefix" brickfall
run brickfall-cmake "$scratch/brickfall-cmake/brickfall"

# The pkg-config line of the guide, then the media appended by the installed tool.
libdir=$(find "$prefix/lib" -name morvane.pc -printf '%h\n' | head -n 1)
[[ -n "$libdir" ]] || fail "no morvane.pc below $prefix/lib"
mkdir -p "$scratch/wayfarer-pkgconfig"
(
  cd "$scratch/wayfarer-pkgconfig"
  flags=$(PKG_CONFIG_PATH="$libdir" pkg-config --cflags --libs morvane-entry)
  # shellcheck disable=SC2086
  c++ -std=c++17 -O2 "$root/examples/wayfarer/main.cpp" -o wayfarer $flags
  "$prefix/bin/shoebox" pack wayfarer.sbx "$root/examples/wayfarer/media" >/dev/null
  "$prefix/bin/shoebox" append wayfarer wayfarer.sbx
) >"$scratch/wayfarer-pkgconfig.log" 2>&1 || fail "the pkg-config build failed (see $scratch/wayfarer-pkgconfig.log)"
step "wayfarer built with pkg-config"
run wayfarer-pkgconfig "$scratch/wayfarer-pkgconfig/wayfarer"

step "building the Debian packages"
(cd build && cpack -G DEB -B "$scratch/deb") >"$scratch/cpack.log" 2>&1 ||
  fail "cpack failed (see $scratch/cpack.log)"
game_deb=$(ls "$scratch"/deb/quadrivolant_*.deb)
dev_deb=$(ls "$scratch"/deb/libmorvane-dev_*.deb)
for deb in "$game_deb" "$dev_deb"; do
  info=$(dpkg-deb --field "$deb" Package Section Priority Maintainer Depends Description)
  for field in Package Section Priority Maintainer Depends Description; do
    grep -q "^$field: ." <<<"$info" || fail "$(basename "$deb") has no $field field"
  done
  dpkg-deb -x "$deb" "$scratch/unpacked"
  step "$(basename "$deb") unpacked: $(dpkg-deb --contents "$deb" | grep -vc '/$') files"
done
[[ ! -e "$scratch/unpacked/usr/games/Media" ]] || fail "the game package has a Media folder"
desktop-file-validate "$scratch/unpacked/usr/share/applications/quadrivolant.desktop" ||
  fail "the desktop entry is not valid"
run unpacked-game "$scratch/unpacked/usr/games/quadrivolant"

build_with_cmake wayfarer-deb "$scratch/unpacked/usr"
run wayfarer-deb "$scratch/wayfarer-deb/wayfarer"
echo "check-install: install, example builds and packages are fine"
