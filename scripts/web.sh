#!/usr/bin/env bash
# Builds the runtime and its programs for the web into build-web/: a folder per
# program, build-web/web/<name>/, that any static web server can serve
# (index.html, <name>.js, <name>.wasm, <name>.data). Installs what it needs;
# the libraries are built once into a cache (scripts/web-deps.sh) and the
# project's build tree is reused, so a second run only rebuilds what changed.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(emscripten cmake ninja-build make python3 xz-utils)
missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
command -v node >/dev/null || missing+=(nodejs)
if ((${#missing[@]})); then
  echo "web: installing ${missing[*]}"
  if [[ $(id -u) -ne 0 ]]; then sudo=sudo; else sudo=; fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

prefix=$(scripts/web-deps.sh | tail -n 1)

# emscripten 3.1.6 from Debian: its JavaScript tools live in /usr/share/nodejs,
# and node's built-in fetch breaks its generated code under node.
export NODE_PATH=/usr/share/nodejs
export NODE_OPTIONS=--no-experimental-fetch
if [[ ! -f build-web/CMakeCache.txt ]]; then
  emcmake cmake -S . -B build-web -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DMORVANE_WEB_PREFIX="$prefix" >/dev/null
fi
cmake --build build-web

for page in build-web/web/*/; do
  name=$(basename "$page")
  bytes=$(cat "$page"/* | wc -c)
  echo "web: $page ($bytes bytes: $(cd "$page" && for f in *; do printf '%s %s, ' "$f" "$(wc -c <"$f")"; done | sed 's/, $//'))"
done
