#!/bin/bash
# Opens the example aria, shows the score view (视图 → 曲谱预览), puts the
# lyric cursor in the middle of a line and takes a screenshot, then clicks a
# character on the page and takes another:
#   xvfb-run -a -s "-screen 0 1600x1000x24" tools/screenshot-liveview.sh docs/live-view build/app/qelun examples/youyuan-zaoluopao.gcp
# writes docs/live-view-cursor.png and docs/live-view-click.png. Needs
# xdotool and ImageMagick (scripts/install-deps.sh installs both).
out=$1; shift
"$@" & pid=$!
sleep 5
wid=$(xdotool search --onlyvisible --name "youyuan" | head -1)
xdotool windowsize --sync "$wid" 1590 990; xdotool windowmove "$wid" 0 0; sleep 1
xdotool mousemove 142 8 click 1; sleep 0.8           # 视图
xdotool mousemove 170 32 click 1; sleep 1.5          # 曲谱预览
xdotool mousemove 150 341 click 1; sleep 1           # after 付 in the second sung line
import -window root "$out-cursor.png"
xdotool mousemove 1230 755 click 1; sleep 1          # 赏 on the page
import -window root "$out-click.png"
kill $pid 2>/dev/null; wait $pid 2>/dev/null
convert "$out-cursor.png" -strip "$out-cursor.png"
convert "$out-click.png" -strip "$out-click.png"
