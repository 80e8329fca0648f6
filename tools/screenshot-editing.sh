#!/bin/bash
# Types a few lines of the example aria into a new document, as a user would,
# and takes a screenshot of the window:
#   xvfb-run -a -s "-screen 0 1100x760x24" tools/screenshot-editing.sh docs/editing.png build/app/qelun
# Needs xdotool and ImageMagick (scripts/install-deps.sh installs both).
out=$1; shift
"$@" & pid=$!
sleep 3
wid=$(xdotool search --onlyvisible --name "Qelun" | head -1)
xdotool windowmove "$wid" 0 0; xdotool windowsize "$wid" 1000 700; sleep 0.5
xdotool windowfocus --sync "$wid"; sleep 0.3
xdotool mousemove 33 50 click 1; sleep 0.8          # 新建
xdotool mousemove 200 250 click 1; sleep 0.2        # into the lyric editor
xdotool type --delay 60 "# 游园"; xdotool key Return
xdotool type --delay 60 "【皂罗袍】(仙吕)"; xdotool key Return
xdotool type --delay 60 "原来姹紫嫣红开遍，"; xdotool key Return
xdotool type --delay 60 "似这般都付与"; sleep 0.3
xdotool mousemove 620 197 click 1; sleep 0.3        # first score line
# A note, a suggested beat mark, a second note, then the next line.
for notes in "c:g" "l:g" "c:s" "c:g" "s:c" "g:l"; do
  xdotool type --delay 80 "${notes%%:*}"; xdotool key space; sleep 0.1
  xdotool key space; sleep 0.2; xdotool key space; sleep 0.1
  xdotool type --delay 80 "${notes##*:}"; xdotool key space; sleep 0.1
  xdotool key Return; sleep 0.1
done
xdotool type --delay 80 "gu"; sleep 0.6
import -window root -crop 1000x700+0+0 "$out"
kill $pid 2>/dev/null; wait $pid 2>/dev/null
