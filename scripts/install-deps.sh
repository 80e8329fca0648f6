#!/usr/bin/env bash
# Installs the Debian packages that building and running Qelun工尺谱 need;
# with --tests, also those of the test suite, the install checks and the
# screenshots. Only packages that are missing are installed, so a second run
# costs nothing.
#
#   install-deps.sh [--tests]
set -euo pipefail

program=(
  # toolchain and Qt 6
  cmake g++ make ccache
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-qpa-plugins libgl-dev
  # the PNG pages' encoder
  libpng-dev
  # compressed MusicXML (.mxl); without it that one export is left out
  libzip-dev pkgconf
  # Qt's own Chinese texts (standard buttons, file dialogs)
  qt6-translations-l10n
  # the interface's translations (lupdate, lrelease, Qt6LinguistTools)
  qt6-l10n-tools qt6-tools-dev
  # fonts the editor and the renderer use (Kai face, Song/Hei, monospace)
  fonts-arphic-ukai fonts-noto-cjk fonts-dejavu-core fontconfig
  # sound: the synthesiser, a General MIDI sound font, the audio output
  libfluidsynth-dev timgm6mb-soundfont qt6-multimedia-dev
)

tests=(
  # generators of the notation font and the icons; the font test reads the
  # font with fontTools
  python3-fonttools librsvg2-bin
  # reading exported PDF and SVG files, checking the font
  poppler-utils opentype-sanitizer
  # the install test and the Debian package: desktop entry, AppStream and MIME
  # checks, dpkg-shlibdeps
  desktop-file-utils appstream libxml2-utils shared-mime-info file dpkg-dev
  # the package as Debian checks it, and its manual page
  lintian man-db
  # seeing the program under a real X server
  xvfb xauth imagemagick xdotool openbox
  # a sound server (with a null output) to see the window while it plays
  pulseaudio
  # reading exported MusicXML back (musicxml2ly); xmllint above checks it
  # against the MusicXML schema
  lilypond
)

packages=("${program[@]}")
case "${1:-}" in
  --tests) packages+=("${tests[@]}") ;;
  "") ;;
  *) echo "usage: $0 [--tests]" >&2; exit 1 ;;
esac

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
