#!/usr/bin/env bash
# Brings the translations in translations/*.ts up to date with the texts of
# the code, the forms and the help and about pages, and says how many texts
# of each language still wait for a translation. Open a .ts file in Qt
# Linguist (linguist-qt6) to translate them; the build compiles them in.
#
#   update-translations.sh [BUILD_DIR]         update the .ts files
#   update-translations.sh --check [BUILD_DIR] only count, change nothing;
#                                              status 1 when any is missing
set -euo pipefail

check=false
if [ "${1:-}" = "--check" ]; then check=true; shift; fi
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
project=$build/translations/.lupdate/qelun_project.json
lupdate=$(command -v lupdate 2>/dev/null || echo /usr/lib/qt6/bin/lupdate)
options=(-source-language zh_CN -no-obsolete -locations none)

# The list of sources is CMake's (every program folder, the pages), made
# from what the configuration wrote.
[ -f "$build/translations/linguist-tools-dir" ] \
  || { echo "no translations in $build: configure with the Qt Linguist tools" >&2; exit 2; }
mkdir -p "$(dirname "$project")"
cmake -DIN_FILE="$build/translations/.lupdate/qelun_project.cmake" -DOUT_FILE="$project" \
  -P "$(cat "$build/translations/linguist-tools-dir")/GenerateLUpdateProject.cmake"

missing=0
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
for ts in "$root"/translations/qelun_*.ts; do
  if $check; then
    # A copy is brought up to date; the file itself stays as it is.
    cp "$ts" "$scratch/"
    target=$scratch/$(basename "$ts")
  else
    target=$ts
  fi
  "$lupdate" -project "$project" "${options[@]}" -ts "$target" >/dev/null 2>&1
  count=$(grep -c 'type="unfinished"' "$target" || true)
  echo "$(basename "$ts"): $count untranslated"
  if [ "$count" -gt 0 ]; then
    # The first few, so that a failing check says which.
    grep -B3 'type="unfinished"' "$target" | sed -n 's|.*<source>\(.*\)</source>.*|  \1|p' | head -5 || true
  fi
  missing=$((missing + count))
done
if $check && [ "$missing" -gt 0 ]; then exit 1; fi
exit 0
