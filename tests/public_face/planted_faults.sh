#!/usr/bin/env bash
# The public face's checks against planted faults, on copies of the public
# headers and the guide: each check passes on the tree as it is and fails,
# naming the fault, once a fault is planted.
set -uo pipefail
root=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
expect() {  # expect pass|fail WHAT NEEDLE COMMAND...
  local want=$1 what=$2 needle=$3
  shift 3
  local output status=0
  output=$("$@" 2>&1) || status=$?
  if [[ $want == pass && $status -ne 0 ]] || [[ $want == fail && $status -eq 0 ]] ||
     [[ -n $needle && $output != *"$needle"* ]]; then
    echo "FAILED: $what (status $status)"
    echo "$output" | head -20
    failures=$((failures + 1))
  else
    echo "ok: $what"
  fi
}
fresh() {
  rm -rf "$scratch/include" "$scratch/runtime.md"
  mkdir -p "$scratch/include"
  cp -r "$root/include/morvane" "$scratch/include/"
  cp "$root/docs/runtime.md" "$scratch/runtime.md"
}

fresh
if command -v doxygen >/dev/null; then
  expect pass "the reference builds without a warning" "" \
    "$root/scripts/docs.sh" "$scratch/include/morvane" "$scratch/docs"
  printf '\nnamespace mvn {\nvoid plantedCommand(int x);\n}  // namespace mvn\n' >>"$scratch/include/morvane/drawing.h"
  expect fail "an undocumented command fails the reference" "plantedCommand" \
    "$root/scripts/docs.sh" "$scratch/include/morvane" "$scratch/docs"
  fresh
  sed -i 's|^/// @param slot the sprite slot @param x left edge @param y top edge$|/// @param slot the sprite slot|' \
    "$scratch/include/morvane/drawing.h"
  expect fail "an undocumented parameter fails the reference" "drawing.h" \
    "$root/scripts/docs.sh" "$scratch/include/morvane" "$scratch/docs"
else
  echo "FAILED: doxygen is missing"
  failures=$((failures + 1))
fi

fresh
expect pass "the cheatsheet names every command" "" \
  "$root/scripts/check-cheatsheet.sh" "$scratch/include/morvane" "$scratch/runtime.md"
printf '\nnamespace mvn {\n/// A planted command.\nvoid plantedCommand();\n}  // namespace mvn\n' >>"$scratch/include/morvane/view.h"
expect fail "a command missing from the cheatsheet fails the check" "plantedCommand" \
  "$root/scripts/check-cheatsheet.sh" "$scratch/include/morvane" "$scratch/runtime.md"
fresh
sed -i 's|^- `drawLine(|- `drawLines(|' "$scratch/runtime.md"
expect fail "a cheatsheet line the header lacks fails the check" "drawLines" \
  "$root/scripts/check-cheatsheet.sh" "$scratch/include/morvane" "$scratch/runtime.md"
fresh
sed -i 's|^- `pauseMusic(pause)`: .*|- `pauseMusic(pause)`: control.|; s|^- `stopMusic()`: .*|- `stopMusic()`: control.|' "$scratch/runtime.md"
expect fail "cheatsheet lines that repeat a caption fail the check" "control." \
  "$root/scripts/check-cheatsheet.sh" "$scratch/include/morvane" "$scratch/runtime.md"

fresh
expect pass "the guide's recipes on a virtual display set MORVANE_NO_MESSAGEBOX=1" "" \
  "$root/scripts/check-guide.sh" "$scratch/runtime.md"
sed -i 's|MORVANE_NO_MESSAGEBOX=1 MORVANE_RECORD=|MORVANE_RECORD=|' "$scratch/runtime.md"
expect fail "a recipe on a virtual display without it fails the check" "MORVANE_RECORD=" \
  "$root/scripts/check-guide.sh" "$scratch/runtime.md"

((failures == 0)) || exit 1
