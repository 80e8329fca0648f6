#!/bin/bash
# Opens the example aria, presses Ctrl+E and takes a screenshot of the export
# dialog with its preview:
#   xvfb-run -a -s "-screen 0 1600x1000x24" tools/screenshot-export.sh docs/export-dialog.png build/app/qelun
# The dialog shows the options of the program's settings.ini: remove the one
# beside the executable first for the defaults. Needs xdotool and ImageMagick.
out=$1; shift
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$@" "$root/examples/youyuan-zaoluopao.gcp" & pid=$!
sleep 4
wid=$(xdotool search --onlyvisible --name "Qelun" | head -1)
xdotool windowmove "$wid" 0 0; xdotool windowsize "$wid" 1000 700; sleep 0.5
xdotool windowfocus --sync "$wid"; sleep 0.3
xdotool key ctrl+e; sleep 3
dialog=$(xdotool search --onlyvisible --name "^导出$" | head -1)
eval "$(xdotool getwindowgeometry --shell "$dialog")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage -strip "$out"
kill $pid 2>/dev/null; wait $pid 2>/dev/null
