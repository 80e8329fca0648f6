#!/bin/bash
# Takes screenshots of the start page (no server configured), the help dialog
# and the about dialog:
#   xvfb-run -a -s "-screen 0 1600x1000x24" tools/screenshot-start-help-about.sh docs build/app/qelun
# Needs xdotool and ImageMagick (scripts/install-deps.sh installs both).
out=$1; shift
export QELUN_API_BASE_URL= QELUN_SITE_BASE_URL=
"$@" & pid=$!
sleep 3
wid=$(xdotool search --onlyvisible --name "Qelun" | head -1)
xdotool windowmove "$wid" 0 0; xdotool windowsize "$wid" 1000 700; sleep 0.8
import -window root -crop 1000x700+0+0 "$out/start-page.png"
for dialog in Help About; do
  if [ $dialog = Help ]; then x=598; else x=641; fi   # 帮助, 关于 on the toolbar
  xdotool mousemove $x 50 click 1; sleep 1.5
  did=$(xdotool search --onlyvisible --name "^$dialog\$" | head -1)
  name=$(echo $dialog | tr A-Z a-z)
  import -window "$did" "$out/$name-dialog.png"
  if [ $dialog = Help ]; then
    # The beat marks and ornaments of the table, then the rules and examples.
    xdotool mousemove 700 400 click 1 key Page_Down; sleep 0.5
    import -window "$did" "$out/$name-dialog-marks.png"
    xdotool key Page_Down Page_Down Page_Down; sleep 0.5
    import -window "$did" "$out/$name-dialog-rules.png"
  fi
  xdotool key Escape; sleep 0.8
done
kill $pid 2>/dev/null; wait $pid 2>/dev/null
