#!/usr/bin/env bash
# End-to-end checks of the full-screen run: the real program under Xvfb, driven by xdotool.
#   scene_e2e.sh CASE     (run under with-xvfb; MT_DIST and MT_SHOTS from CTest)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../support/e2e/e2e_lib.sh"
case_name=$1
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
mkdir -p "$MT_SHOTS"
dir=$(make_program_folder)
program_commands "$dir"
pids=()
cleanup() {
  # A signal ends the saver through its exit sequence, which writes into the folder: let it
  # finish before the folder goes.
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  for p in "${pids[@]}"; do wait "$p" 2>/dev/null || true; done
  rm -rf "$dir"
}
trap cleanup EXIT
assets="$dir/duruzarurode/gobblerun"
read -r W H < <(xdpyinfo | awk '/dimensions:/ { split($2, a, "x"); print a[1], a[2] }')

# Lockers and idle daemons start the saver with the usual signal handling, and end it with a
# signal (a shell's background job would start with SIGINT ignored).
start_saver() {
  env --default-signal=INT,HUP,TERM "${SAVER[@]}" /s 2>>"$dir/stderr.txt" &
  pids+=($!)
  saver=$!
}

# Waits for the scene's window and sets scene_wid. The window is named after its layout.
wait_for_scene() {
  scene_wid=$(wait_for_window '^Form1$' 100) || fail "no scene window"
  sleep 1.5
}

# Writes the settings (speed 20, the given sound and run count), starts the run and waits
# for its scene.
run_scene() {  # soundPlay [appcurrent]
  write_settings "$dir/rovoradizu.ini" 20 "$1" 0 "${2:-0}" 5 1
  start_saver
  wait_for_scene
}

# Pixels of a PNG exactly equal to a colour: all of them less those that differ from a
# plain image of that colour.
count_colour() {
  /usr/bin/convert -size "${W}x${H}" "xc:$2" "$dir/plain.png"
  echo $((W * H - $(differing "$1" "$dir/plain.png")))
}

case "$case_name" in
appears)
  run_scene 1
  shot="$MT_SHOTS/scene-${W}x${H}.png"
  screenshot "$shot"
  green=$(count_colour "$shot" '#00FF00')
  [ "$green" = 0 ] || fail "$green pure green pixels on the screen"
  # The window covers the whole screen: nothing of the black root window shows.
  black=$(count_colour "$shot" '#000000')
  [ "$black" -lt $((W * H / 100)) ] || fail "$black black pixels: the scene does not cover the screen"
  expect_laid_out_for "$shot" "$W" "$H" "$assets"
  pass "scene at ${W}x${H}, no pure green"
  ;;

click)
  run_scene 1
  /usr/bin/convert -size "${W}x${H}" "tile:$assets/background.bmp" "$dir/bg.png"
  # Find a spot clear of every sprite, click it at once, and look again.
  found=
  for attempt in 1 2 3 4 5 6; do
    screenshot "$dir/before.png"
    for cy in 200 300 400 500; do
      for cx in 250 400 550 700; do
        if [ "$(differing "$dir/before.png" "$dir/bg.png" "160x160+$((cx - 80))+$((cy - 80))")" = 0 ]; then
          found="$cx $cy"
          break 2
        fi
      done
    done
    [ -n "$found" ] && break
  done
  [ -n "$found" ] || fail "no clear spot found"
  read -r cx cy <<<"$found"
  xdotool mousemove "$cx" "$cy" click 1
  # The explosion lasts a few frames; under load a screenshot may take longer than that to
  # start, so look a few times.
  changed=0
  for _ in 1 2 3 4; do
    sleep 0.05
    screenshot "$MT_SHOTS/click-${W}x${H}.png"
    changed=$(differing "$MT_SHOTS/click-${W}x${H}.png" "$dir/bg.png" "24x24+$((cx - 12))+$((cy - 12))")
    [ "$changed" -gt 0 ] && break
  done
  [ "$changed" -gt 0 ] || fail "nothing changed at the click ($cx, $cy)"
  pass "a click at ($cx, $cy) changed $changed pixels there"
  ;;

key | signal-TERM | signal-INT | signal-HUP)
  # A signal runs the exit sequence as a key does.
  run_scene 1
  if [ "$case_name" = key ]; then
    focus_window "$scene_wid" 10 10
    xdotool key x
  else
    kill -s "${case_name#signal-}" "$saver"
  fi
  ended_with_success "$saver" "$case_name"
  write_settings "$dir/expected.ini" 20 1 0 1 5 1  # the file as written, one run counted
  cmp "$dir/expected.ini" "$dir/rovoradizu.ini" || fail "settings file: $(cat -A "$dir/rovoradizu.ini")"
  pass "$case_name ends with status 0 and the counter raised by one"
  ;;

two-monitors)
  # The window covers the first monitor; the scene is laid out for exactly that window.
  run_scene 0
  wid=$(xdotool search --onlyvisible --name '^Form1$' | head -n1)
  eval "$(xdotool getwindowgeometry --shell "$wid")"
  [ "${WIDTH}x$HEIGHT" != "${W}x$H" ] || fail "the window covers the whole ${W}x$H screen"
  shot="$MT_SHOTS/two-monitors.png"
  screenshot "$shot"
  expect_laid_out_for "$shot" "$WIDTH" "$HEIGHT" "$assets"
  pass "the scene is laid out for its ${WIDTH}x$HEIGHT window on a ${W}x$H screen"
  ;;

second)
  run_scene 0
  first=$saver
  start_saver
  ended_with_success "$saver" "$case_name"
  kill -0 "$first" 2>/dev/null || fail "the first instance ended"
  [ "$(xdotool search --onlyvisible --name '^Form1$' | wc -l)" = 1 ] || fail "a second scene window"
  [ ! -s "$dir/stderr.txt" ] || fail "the second start said: $(cat "$dir/stderr.txt")"
  pass "a second run-mode start ends silently while the first runs"
  ;;

missing-background)
  # (A background that is a pipe or a folder fails as a missing one does: unit_files.)
  write_settings "$dir/rovoradizu.ini" 20 0 0 0 5 1
  rm "$assets/background.bmp"
  start_saver
  box=$(wait_for_window '^Marrowtide Gobble-run$' 100) || fail "no warning window"
  sleep 0.5
  screenshot "$MT_SHOTS/$case_name-${W}x${H}.png"
  # The warning comes before any scene: the full-screen window is not on the screen.
  [ -z "$(xdotool search --onlyvisible --name '^Form1$' || true)" ] || fail "the scene showed first"
  kill -0 "$saver" 2>/dev/null || fail "ended before the warning was dismissed"
  eval "$(xdotool getwindowgeometry --shell "$box")"
  focus_window "$box" $((WIDTH / 2)) 5
  xdotool key Return
  ended_with_success "$saver" "$case_name"
  pass "$case_name: warning, then the end after Enter"
  ;;

companion-online)
  # (Offline, nothing starts: the run counter's unit tests hold that rule.)
  cat >"$dir/MarrowtideEmail" <<'STANDIN'
#!/bin/sh
echo started >"$(dirname "$0")/companion-started"
STANDIN
  chmod +x "$dir/MarrowtideEmail"
  run_scene 0 5
  xdotool mousemove 10 10 key q
  ended_with_success "$saver" "$case_name"
  for _ in $(seq 50); do [ -e "$dir/companion-started" ] && break; sleep 0.1; done
  [ -e "$dir/companion-started" ] || fail "the companion was not started"
  [ "$(ini_value "$dir/rovoradizu.ini" applic appdisplay)" = 0 ] || fail "appdisplay not 0"
  pass "companion started when due and online"
  ;;

sound-disk)
  # (That nothing plays before the first click or ambient tick, the scene's unit tests hold.)
  export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$dir/audio.raw"
  run_scene 1
  xdotool mousemove 300 300 click 1
  sleep 1
  xdotool mousemove 10 10 key q
  ended_with_success "$saver" "$case_name"
  loud=$(tr -d '\000' <"$dir/audio.raw" | wc -c)
  [ "$loud" -gt 1000 ] || fail "the shot left the output silent ($loud non-zero bytes)"
  pass "the shot reached the audio output ($loud non-zero bytes)"
  ;;

no-device | hostile-cursor-sound)
  # No sound device; or the design-time cursor a folder and the shot's sound a pipe nobody
  # writes to: the scene runs without them, answers clicks and ends on a key.
  if [ "$case_name" = no-device ]; then
    export SDL_AUDIODRIVER=none-such
  else
    rm "$assets/saverDesign.cur" && mkdir "$assets/saverDesign.cur"
    rm "$assets/shotgun.wav" && mkfifo "$assets/shotgun.wav"
  fi
  run_scene 1
  xdotool mousemove 300 300 click 1 sleep 0.3 click 1
  sleep 0.5
  kill -0 "$saver" 2>/dev/null || fail "the saver ended after the clicks"
  xdotool mousemove 10 10 key q
  ended_with_success "$saver" "$case_name"
  pass "$case_name: the scene runs and ends normally"
  ;;

*) fail "unknown case $case_name" ;;
esac
