#!/bin/bash
# Opens the example aria in a window 900 pixels wide, shows the score view
# (Ctrl+Shift+P), which widens the window rather than squeeze the editors,
# puts the lyric cursor after 都 and takes a screenshot of the window:
#   xvfb-run -a -s "-screen 0 1600x1000x24" tools/screenshot-liveview-narrow.sh docs/live-view-narrow-window.png build/app/qelun examples/youyuan-zaoluopao.gcp
# Needs openbox (a window manager that moves and resizes windows), xdotool
# and ImageMagick. The program starts without a saved window state: run it
# where its settings.ini has none.
out=$1; shift
openbox & wm=$!
sleep 1
"$@" & pid=$!
sleep 4
wid=$(xdotool search --onlyvisible --name "youyuan" | head -1)
xdotool windowsize --sync "$wid" 900 700; xdotool windowmove "$wid" 20 20; sleep 1
xdotool windowactivate --sync "$wid"; xdotool key ctrl+shift+p; sleep 1.5
xdotool mousemove 170 360 click 1; sleep 1           # after 都 in the second sung line
eval "$(xdotool getwindowgeometry --shell "$wid")"
import -window root -crop "$((WIDTH + X + 4))x$((HEIGHT + Y + 4))+0+0" "$out"
kill $pid 2>/dev/null; wait $pid 2>/dev/null
kill $wm 2>/dev/null
convert "$out" +repage -strip "$out"
