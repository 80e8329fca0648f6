#!/bin/bash
# Installs the build into a scratch prefix and photographs the installed
# program as a desktop shows it, under a window manager (openbox):
#
#   xvfb-run -a -s "-screen 0 1280x860x24" tools/screenshot-desktop.sh OUTDIR BUILD_DIR
#
#   OUTDIR/desktop-title.png     the example score with an unsaved change: the
#                                title names it and marks the change
#   OUTDIR/desktop-close.png     Ctrl+W on it: the save question, in Chinese
#   OUTDIR/desktop-save.png      the save dialog (Ctrl+Shift+S), in Chinese
#
# The program runs with a home folder of its own and LANG=C.UTF-8: Qt's texts
# are Chinese whatever the system language. Needs openbox, xdotool and
# ImageMagick.
set -euo pipefail
out=${1:?usage: $0 OUTDIR BUILD_DIR}
build=${2:?usage: $0 OUTDIR BUILD_DIR}
tmp=$(mktemp -d)
trap 'kill $pid $wm 2>/dev/null || true; rm -rf "$tmp"' EXIT
pid= wm=
cmake --install "$build" --prefix "$tmp/prefix" >/dev/null
export HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/home/.config" XDG_DATA_HOME="$tmp/home/.local/share"
export LANG=C.UTF-8 LC_ALL=
# The installed file type, as a desktop registers it after installing.
update-mime-database "$tmp/prefix/share/mime" >/dev/null 2>&1
export XDG_DATA_DIRS="$tmp/prefix/share:${XDG_DATA_DIRS:-/usr/local/share:/usr/share}"
# The file dialogs start in the working folder: a folder of scores.
mkdir -p "$HOME/曲谱"
cp "$tmp/prefix/share/qelun/examples/youyuan-zaoluopao.gcp" "$HOME/曲谱/游园.gcp"
cp "$tmp/prefix/share/qelun/examples/youyuan-zaoluopao.gcp" "$HOME/曲谱/惊梦.gcp"
cd "$HOME/曲谱"

openbox & wm=$!
sleep 1
"$tmp/prefix/bin/qelun" "$tmp/prefix/share/qelun/examples/youyuan-zaoluopao.gcp" & pid=$!
sleep 4
wid=$(xdotool search --onlyvisible --class qelun | head -1)
xdotool windowmove "$wid" 40 40; xdotool windowsize "$wid" 1000 640; sleep 0.5
xdotool windowactivate --sync "$wid"; sleep 0.3

# An unsaved change: a sung character at the end of the first sung line.
xdotool mousemove 400 410 click 1; sleep 0.2
xdotool key End; xdotool type --delay 80 "好"; sleep 0.5
import -window "$wid" -frame "$out/desktop-title.png"

# Closing the tab asks whether to save; the box stands over the window.
xdotool key ctrl+w; sleep 1
import -window root -crop 1080x720+0+0 "$out/desktop-close.png"
xdotool key Escape; sleep 0.5

xdotool key ctrl+shift+s; sleep 1.5
dialog=$(xdotool getactivewindow)
import -window "$dialog" -frame "$out/desktop-save.png"
xdotool key Escape; sleep 0.3
