#!/bin/bash
# Opens a score whose pairing is off (a tune-name line with a space before
# its key, a "【" line without its "】", one score line too many) and takes a
# screenshot with the tool tip of a flagged line showing:
#   xvfb-run -a -s "-screen 0 1100x760x24" tools/screenshot-pairing.sh docs/pairing-flags.png build/app/qelun
# Needs xdotool and ImageMagick (scripts/install-deps.sh installs both).
out=$1; shift
folder=$(mktemp -d); score="$folder/游园.gcp"
/usr/bin/python3 - "$score" <<'PY'
import struct, sys
def text(s):
    data = s.encode('utf-16-be')
    return struct.pack('>i', len(data) // 2) + struct.pack('>I', len(data)) + data
lyric = "# 游园\n【皂罗袍】 (仙吕)\n原来姹紫嫣红开遍，\n【醉扶归\n似这般"
gong, chi, shang, ban = '\U000F002C', '\U000F002B', '\U000F002A', '\U000F0000'
score = "\n".join([gong + ban, chi, shang + gong, gong, chi + ban, shang, gong, chi, shang, gong + chi, "",
                   gong + shang])
open(sys.argv[1], 'wb').write(text(lyric) + text(score))
PY
"$@" "$score" & pid=$!
sleep 3
wid=$(xdotool search --onlyvisible --name "Qelun" | head -1)
xdotool windowmove "$wid" 0 0; xdotool windowsize "$wid" 1000 700; sleep 0.8
xdotool windowfocus --sync "$wid"; sleep 0.3
xdotool mousemove 30 200; sleep 0.5; xdotool mousemove 40 268; sleep 2.5   # the "【醉扶归" label
import -window root -crop 1000x700+0+0 "$out"
kill $pid 2>/dev/null; wait $pid 2>/dev/null
rm -rf "$folder"
