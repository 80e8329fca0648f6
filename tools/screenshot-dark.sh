#!/bin/bash
# Photographs the program under a dark GTK theme (Adwaita:dark through Qt's
# gtk3 platform theme), in English and in Traditional Chinese:
#
#   xvfb-run -a -s "-screen 0 1280x860x24" tools/screenshot-dark.sh OUTDIR BUILD_DIR
#
#   OUTDIR/dark-english.png          the example score, interface in English
#   OUTDIR/dark-settings-zh-TW.png   设置 in Traditional Chinese
#
# Needs openbox, xdotool, ImageMagick and qt6-gtk-platformtheme.
set -euo pipefail
out=${1:?usage: $0 OUTDIR BUILD_DIR}
build=${2:?usage: $0 OUTDIR BUILD_DIR}
root=$(cd "$(dirname "$0")/.." && pwd)
tmp=$(mktemp -d)
pid= wm=
trap 'kill $pid $wm 2>/dev/null || true; rm -rf "$tmp"' EXIT
export HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/home/.config" XDG_DATA_HOME="$tmp/home/.local/share"
export XDG_RUNTIME_DIR="$tmp/run" QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark LC_ALL= LANGUAGE=
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"; chmod 700 "$XDG_RUNTIME_DIR"
openbox & wm=$!
sleep 1

start() {
  LANG=$1 "$build/app/qelun" "$root/examples/youyuan-zaoluopao.gcp" & pid=$!
  sleep 5
  wid=$(xdotool search --onlyvisible --class qelun | head -1)
  xdotool windowmove "$wid" 20 20; xdotool windowsize "$wid" 1100 700; sleep 0.5
  xdotool windowactivate --sync "$wid"; sleep 0.3
}

start en_US.UTF-8
# The search bar open, with a match.
xdotool key ctrl+f; sleep 0.3; xdotool type --delay 60 "园"; xdotool key Return; sleep 0.5
import -window "$wid" -frame "$out/dark-english.png"
kill $pid; wait $pid 2>/dev/null || true

start zh_TW.UTF-8
xdotool key alt+s; sleep 0.5; xdotool key Return; sleep 1.5
import -window "$(xdotool getactivewindow)" -frame "$out/dark-settings-zh-TW.png"
