#!/usr/bin/env bash
# Renders the icon sources in tools/icons/*.svg to resources/icons/<name>.png.
#
#   tools/make_icons.sh                 regenerate every PNG
#   tools/make_icons.sh --sheet FILE    also write a contact sheet of all icons
#                                       (32 px and 64 px on white) to FILE
#
# Toolbar/menu icons are rendered at the tool bars' 24x24 px, with the @2x
# and @3x files Qt picks for screens of two and three device pixels to the
# pixel: a tool bar draws them as they are, with nothing decoded at a size
# it then scales down. The file types' icons are rendered at 64x64 px, the
# window logo (logo-qt) at 256x256 px, and the logo again at the icon-theme
# sizes into packaging/icons/.
# Needs rsvg-convert (Debian: librsvg2-bin); the sheet also needs ImageMagick's
# montage. The PNGs are committed, so building needs neither.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
src="$root/tools/icons"
out="$root/resources/icons"

sheet=
if [ "${1-}" = --sheet ]; then
  sheet=${2:?usage: $0 [--sheet FILE]}
elif [ $# -gt 0 ]; then
  echo "usage: $0 [--sheet FILE]" >&2
  exit 2
fi

command -v rsvg-convert >/dev/null || { echo "rsvg-convert not found (apt install librsvg2-bin)" >&2; exit 1; }
mkdir -p "$out"

shopt -s nullglob
svgs=("$src"/*.svg)
[ ${#svgs[@]} -gt 0 ] || { echo "no SVG files in $src" >&2; exit 1; }

render() { # svg size png
  rsvg-convert --width "$2" --height "$2" --format png --output "$3" "$1"
  echo "$3 (${2}px)"
}

for svg in "${svgs[@]}"; do
  name=$(basename "$svg" .svg)
  case "$name" in
    logo-qt) render "$svg" 256 "$out/$name.png" ;;
    filetype_*) render "$svg" 64 "$out/$name.png" ;;
    *)
      render "$svg" 24 "$out/$name.png"
      render "$svg" 48 "$out/$name@2x.png"
      render "$svg" 72 "$out/$name@3x.png"
      ;;
  esac
done

# The logo in the desktop's icon theme (hicolor) at the sizes menus and file
# managers ask for; the installed SVG covers every other size.
desktop="$root/packaging/icons"
mkdir -p "$desktop"
for size in 16 22 24 32 48 64 128 256 512; do
  rsvg-convert --width "$size" --height "$size" --format png --output "$desktop/logo-$size.png" "$src/logo-qt.svg"
  echo "$desktop/logo-$size.png (${size}px)"
done

if [ -n "$sheet" ]; then
  command -v montage >/dev/null || { echo "montage not found (apt install imagemagick)" >&2; exit 1; }
  tmp=$(mktemp -d)
  trap 'rm -rf "$tmp"' EXIT
  for svg in "${svgs[@]}"; do
    name=$(basename "$svg" .svg)
    for s in 32 64; do
      mkdir -p "$tmp/$s"
      rsvg-convert --width "$s" --height "$s" --background-color white --output "$tmp/$s/$name.png" "$svg"
    done
  done
  # Row one: every icon at 64 px; row two: the same at 32 px (actual toolbar size).
  montage -background white -fill '#37474f' -pointsize 11 -label '%t' \
    "$tmp"/64/*.png -tile 12x -geometry 64x64+12+6 "$tmp/big.png"
  montage -background white -label '' \
    "$tmp"/32/*.png -tile 23x -geometry 32x32+6+6 "$tmp/small.png"
  montage -background white -label '' "$tmp/big.png" "$tmp/small.png" -tile 1x -geometry +0+8 "$sheet"
  echo "$sheet"
fi
