#!/usr/bin/env bash
# Checks that the cheatsheet of the guide (docs/runtime.md, the section
# "## Cheatsheet") and the public face (include/morvane/*.h) name the same
# commands: every function declared at namespace level in a public header,
# operators aside, has a line "- `name(...)`" in the cheatsheet, and every
# such line names a declared function; and every line says what its own
# command does (no two lines share a description).
#   scripts/check-cheatsheet.sh [PUBLIC-HEADER-FOLDER [GUIDE]]
set -euo pipefail
cd "$(dirname "$0")/.."
headers=${1:-include/morvane}
guide=${2:-docs/runtime.md}

# Declarations between "@cond" and "@endcond" are the runtime's own.
declared=$(awk '/@cond/ {skip = 1} /@endcond/ {skip = 0; next} !skip' "$headers"/*.h |
  grep -E '^[A-Za-z][A-Za-z0-9_:<>,*& ]*[ *&][A-Za-z_][A-Za-z0-9_]*\(' |
  grep -vE '^(template|using|typedef|#)|operator' |
  sed -E 's/^[^(]*[ *&]([A-Za-z_][A-Za-z0-9_]*)\(.*/\1/' | sort -u)
listed=$(awk '/^## Cheatsheet/ {on = 1; next} /^## / {on = 0} on' "$guide" |
  { grep -oE '^- `[A-Za-z_][A-Za-z0-9_]*\(' || true; } | sed -E 's/^- `//; s/\($//' | sort -u)

missing=$(comm -23 <(echo "$declared") <(echo "$listed"))
unknown=$(comm -13 <(echo "$declared") <(echo "$listed"))
status=0
if [[ -n $missing ]]; then
  echo "cheatsheet: commands of the public face missing from $guide:" $missing >&2
  status=1
fi
if [[ -n $unknown ]]; then
  echo "cheatsheet: $guide lists commands the public face does not declare:" $unknown >&2
  status=1
fi
# A description shared by several lines is a group's caption, not what a
# command does.
repeated=$(awk '/^## Cheatsheet/ {on = 1; next} /^## / {on = 0} on' "$guide" |
  { grep -E '^- `[A-Za-z_][A-Za-z0-9_]*\(' || true; } | sed -E 's/^- `[^`]*`: //' | sort | uniq -d)
if [[ -n $repeated ]]; then
  echo "cheatsheet: lines of $guide that say the same instead of what their command does:" >&2
  echo "$repeated" >&2
  status=1
fi
((status == 0)) && echo "cheatsheet: $(echo "$declared" | wc -l) commands, the same in the guide and the public face"
exit $status
