#!/usr/bin/env bash
# The archives a Windows user unpacks, from a fresh 64-bit Windows build
# (scripts/windows.sh), in build-windows/dist/:
#   quadrivolant-<version>-win64.zip  the game: one executable carrying its media
#   wayfarer-<version>-win64.zip      the example program, likewise
#   morvane-sdk-<version>-win64.zip   headers, the runtime's libraries and those
#                                     it links, the CMake package and pkg-config
#                                     files, shoebox.exe, the guide, Wayfarer's sources
# The programs link statically: no DLL lies beside them. Their log is
# ErrorLog.txt in the user's temporary folder (%TEMP%).
set -euo pipefail
cd "$(dirname "$0")/.."
# The build names its own system in recordings (not one set for tests).
scripts/windows.sh x86_64 -DMORVANE_RUN_SYSTEM=
out=$PWD/build-windows
prefix=$(scripts/windows-deps.sh x86_64 | tail -n1)
version=$(sed -n 's/^set(MORVANE_VERSION \(.*\))$/\1/p' CMakeLists.txt)
dist=$out/dist
rm -rf "$dist" && mkdir -p "$dist"
strip=x86_64-w64-mingw32-strip

zip_folder() {  # zip_folder FOLDER ZIP: the folder itself as the archive's top
  (cd "$(dirname "$1")" && cmake -E tar cf "$2" --format=zip "$(basename "$1")")
}

# The game: the stripped executable with Media.sbx appended (game/CMakeLists.txt).
game=$dist/quadrivolant-$version-win64
mkdir -p "$game"
cp "$out/game/standalone/quadrivolant.exe" "$game/"
zip_folder "$game" "$dist/quadrivolant-$version-win64.zip"

# Wayfarer: its media are appended at every link; stripping would cut them
# off, so it ships as built.
walker=$dist/wayfarer-$version-win64
mkdir -p "$walker"
cp "$out/examples/wayfarer/wayfarer.exe" "$walker/"
zip_folder "$walker" "$dist/wayfarer-$version-win64.zip"

# The SDK: the runtime's development install and the static libraries it
# links, with their headers and CMake and pkg-config files.
sdk=$dist/morvane-sdk-$version-win64
cmake --install "$out" --component dev --prefix "$sdk" --strip >/dev/null
for part in include lib; do
  cp -r "$prefix/$part/." "$sdk/$part/"
done
rm -rf "$sdk/lib/libgtest"* "$sdk/lib/libgmock"* "$sdk/lib/cmake/GTest" "$sdk/include/gtest" \
  "$sdk/include/gmock" "$sdk/lib/pkgconfig/gtest"* "$sdk/lib/pkgconfig/gmock"*
find "$sdk/lib" -name '*.la' -delete
"$strip" --strip-unneeded "$sdk/bin/shoebox.exe"
zip_folder "$sdk" "$dist/morvane-sdk-$version-win64.zip"

ls -l "$dist"/*.zip
