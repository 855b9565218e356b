#!/usr/bin/env bash
# Tests of the web target: builds it (scripts/web.sh, reusing its caches), runs
# the suites that need no window under node, then each program's page in the
# system's headless Chromium, against a frame of the desktop build (build/,
# made by scripts/build.sh) for the same seed.
set -euo pipefail
cd "$(dirname "$0")/.."
started=$(date +%s)

packages=(chromium xdotool imagemagick xvfb xauth)
missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
command -v npm >/dev/null || missing+=(npm)
if ((${#missing[@]})); then
  echo "test-web: installing ${missing[*]}"
  if [[ $(id -u) -ne 0 ]]; then sudo=sudo; else sudo=; fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

scripts/web.sh
# Every process id is the same under node: a fresh temporary directory keeps
# the names the suites make from it apart from an earlier run's.
rm -rf build-web/tmp && mkdir -p build-web/tmp
NODE_OPTIONS=--no-experimental-fetch ctest --test-dir build-web --output-on-failure

# The browser driver, as the committed lock file names it, in the build tree.
node_dir=build-web/node
if [[ ! -d $node_dir/node_modules/puppeteer-core ]] ||
   ! cmp -s web/tests/package-lock.json "$node_dir/package-lock.json"; then
  mkdir -p "$node_dir"
  cp web/tests/package.json web/tests/package-lock.json "$node_dir/"
  (cd "$node_dir" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error)
fi
cp web/tests/*.js "$node_dir/"

out=build-web/test-output
rm -rf "$out" && mkdir -p "$out"
# program, its window title and size, its desktop executable
programs=("quadrivolant Quadrivolant 800 480 build/quadrivolant")
names=()
if [[ -d build-web/web/wayfarer ]]; then
  programs+=("wayfarer Wayfarer 640 480 $(find build -name wayfarer -type f -perm -u+x | head -n 1)")
fi
for entry in "${programs[@]}"; do
  read -r name title width height desktop <<<"$entry"
  scripts/with-display.sh web/tests/desktop-frame.sh \
    "$desktop" "$title" "$width" "$height" "$out/$name-desktop.png"
  node "$node_dir/page_test.js" "$name" build-web/web "$out/$name-desktop.png" "$out"
  names+=("$name")
done
# Every program on phones (upright and sideways, touch), small and large
# windows and a high-DPI display.
viewports_started=$(date +%s)
node "$node_dir/viewport_test.js" build-web/web "$out" "${names[@]}"
echo "test-web: the viewports took $(($(date +%s) - viewports_started)) s"
echo "test-web: every web test passed in $(($(date +%s) - started)) s"
