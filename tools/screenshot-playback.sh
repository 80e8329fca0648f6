#!/bin/bash
# Opens the example aria, shows the score view, plays from the start
# (Shift+F5) and takes a screenshot a few seconds in, while the cursor
# follows the sounding note:
#   xvfb-run -a -s "-screen 0 1600x1000x24" tools/screenshot-playback.sh docs/playback.png build/app/qelun examples/youyuan-zaoluopao.gcp
# Needs a sound server: without a sound card, start one with a null output
# (pulseaudio -n --daemonize=no -L module-null-sink -L module-native-protocol-unix),
# and xdotool and ImageMagick (scripts/install-deps.sh installs them all).
out=$1; shift
"$@" & pid=$!
sleep 5
wid=$(xdotool search --onlyvisible --name "youyuan" | head -1)
xdotool windowsize --sync "$wid" 1590 990; xdotool windowmove "$wid" 0 0; sleep 1
xdotool windowactivate --sync "$wid" 2>/dev/null; xdotool windowfocus --sync "$wid"
xdotool key ctrl+shift+p; sleep 1.5                  # 曲谱预览
xdotool key shift+F5; sleep ${PLAY_SECONDS:-9}       # 从头播放
import -window root "$out"
xdotool key F5                                       # 停止
kill $pid 2>/dev/null; wait $pid 2>/dev/null
convert "$out" -strip "$out"
