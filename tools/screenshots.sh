#!/usr/bin/env bash
# Takes the README's pictures of the real programs under a private Xvfb and writes them to
# docs/: the scene, the scene with hit turkeys and an explosion, the configuration dialog
# and the referral form.
#   tools/screenshots.sh BUILD_DIST DOCS_FOLDER
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${DISPLAY_READY:-}" ]; then
  exec env DISPLAY_READY=1 "$here/../tests/support/e2e/with-xvfb" --size 1024x768 -- "$0" "$@"
fi
export MT_DIST=$1
docs=$2
source "$here/../tests/support/e2e/e2e_lib.sh"
export SDL_AUDIODRIVER=dummy
mkdir -p "$docs"
dir=$(make_program_folder)
trap 'kill ${pid:-} 2>/dev/null; rm -rf "$dir"' EXIT
# Settings as installed, and the companion never due, so nothing else starts.
printf '[speed]\r\nspeed=10\r\n[soundPlay]\r\nsoundPlay=0\r\n[weapon]\r\nweapon=0\r\n[applic]\r\nappcurrent=0\r\nappalert=5\r\nappdisplay=0\r\n' \
  >"$dir/rovoradizu.ini"

# A window's client area as a PNG.
window_shot() {  # window-id out.png
  local X Y WIDTH HEIGHT SCREEN
  eval "$(xdotool getwindowgeometry --shell "$1")"
  import -window root -crop "${WIDTH}x$HEIGHT+$X+$Y" +repage "$2"
}

"$dir/marrowtide-gobble-run" /s &
pid=$!
wait_for_window '^Form1$' 100 >/dev/null
sleep 2
xdotool mousemove 1023 0
sleep 0.3
import -window root "$docs/scene.png"

# Aim at the turkeys: the first of them (drawn bottom-up) wherever it is now, found by
# where the picture differs from the tiled background, then a volley across the field.
/usr/bin/convert -size 1024x768 "tile:$dir/duruzarurode/gobblerun/background.bmp" "$dir/bg.png"
for _ in 1 2 3; do
  import -window root "$dir/now.png"
  target=$(/usr/bin/compare -metric AE -fuzz 10% "$dir/now.png[600x380+200+60]" \
      "$dir/bg.png[600x380+200+60]" -compose src -highlight-color white \
      -lowlight-color black "$dir/diff.png" 2>/dev/null || true
    /usr/bin/convert "$dir/diff.png" -threshold 50% -define connected-components:verbose=true \
      -define connected-components:area-threshold=400 -connected-components 8 null: |
      awk 'NR > 1 && $NF ~ /255/ { split($3, c, ","); print int(c[1]) + 200, int(c[2]) + 60; exit }')
  [ -n "$target" ] && xdotool mousemove $target click 1
done
for y in 200 330 460; do
  for x in 300 480 660 840; do
    xdotool mousemove "$x" "$y" click 1
    sleep 0.08
  done
done
sleep 0.05
import -window root "$docs/scene-hit.png"
xdotool key x
wait_for_exit "$pid" 50

"$dir/marrowtide-gobble-run" /c &
pid=$!
wid=$(wait_for_window '^Marrowtide Gobble-run ver 2.1$')
sleep 0.7
window_shot "$wid" "$docs/settings-dialog.png"
kill "$pid"

"$dir/MarrowtideEmail" &
pid=$!
wid=$(wait_for_window '^Marrowtide gobble-run Screen Saver$')
sleep 0.7
window_shot "$wid" "$docs/referral-form.png"
kill "$pid"
echo "pictures written to $docs"
