#!/usr/bin/env bash
# Preview mode: the stored picture lands at the top-left corner of the window named on the
# command line; a handle that names no window ends quietly. And the password-change mode:
# Linux has no screen-saver password service, so "/a" ends at once, quietly, touching nothing.
#   preview_test.sh X_TEST_WINDOW   (under with-xvfb, MT_DIST set)
set -uo pipefail
source "$(dirname "$0")/../../support/e2e/e2e_lib.sh"
tool=$1

dir=$(make_program_folder)
trap 'rm -rf "$dir"' EXIT
picture="$dir/duruzarurode/gobblerun/preview.bmp"
[ -f "$picture" ] || fail "the program folder has no preview.bmp"
read -r pw ph < <(/usr/bin/identify -format '%w %h\n' "$picture")
[ "$pw $ph" = "151 119" ] || fail "preview.bmp is ${pw}x${ph}, not 151x119"

# Opens a test window of the given size, runs "/p <its id>" and reads back what the window
# shows: the picture at its top-left corner, nothing else changed, quietly, status 0.
expect_preview_in_window() {  # width height
  local what="/p <id> of a $1 x $2 window" xid status d
  rm -f "$dir/shown.ppm"
  coproc WINDOW { "$tool" show "$dir/shown.ppm" "$1" "$2"; }
  read -r xid <&"${WINDOW[0]}" || fail "the test window did not start"
  (
    # Room for the program, not for buffers the size of a huge window (a sanitizer build
    # reserves its shadow memory up front and is left unlimited).
    ldd "$dir/marrowtide-gobble-run" | grep -q libasan || ulimit -v 1000000
    exec timeout 20 "$dir/marrowtide-gobble-run" /p "$xid"
  ) 2>"$dir/stderr"
  status=$?
  echo read >&"${WINDOW[1]}"
  wait "$WINDOW_PID" || fail "the test window could not read itself back"
  [ "$status" = 0 ] || fail "$what: status $status"
  [ "$(wc -l <"$dir/stderr")" -le 1 ] || fail "$what: more than one line on stderr"
  d=$(picture_differs "$dir/shown.ppm" "$picture" 0 0)
  [ "$d" = 0 ] || fail "$what: $d pixels of the window's top-left 151x119 differ from the picture"
  # Outside the picture the window keeps its own colour: the copy brings nothing more.
  for spot in "155 60" "60 119" "190 140"; do
    [ "$(pixel_at "$dir/shown.ppm" $spot)" = "255,0,255" ] || fail "$what: $spot changed"
  done
  pass "$what"
}

expect_preview_in_window 200 150
# The other ways of writing the handle (the first digit dropped from "/p<id>") are
# unit-tested where it is read. A window as large as X allows: the preview paints its
# 160 x 120 without buffers of the window's size.
expect_preview_in_window 32767 32767

for handle in 12345 2147483647; do
  timeout 20 "$dir/marrowtide-gobble-run" /p "$handle" 2>"$dir/stderr"
  status=$?
  [ "$status" = 0 ] || fail "/p $handle: status $status"
  [ "$(wc -l <"$dir/stderr")" -le 1 ] || fail "/p $handle: more than one line on stderr"
done
pass "handles that name no window end with status 0"

# Handle 0 (nothing after the switch and its separator): the screen's top-left corner.
timeout 20 "$dir/marrowtide-gobble-run" "/p " 2>"$dir/stderr"
status=$?
[ "$status" = 0 ] || fail "'/p ': status $status"
screenshot "$dir/screen.png"
d=$(picture_differs "$dir/screen.png" "$picture" 0 0)
[ "$d" = 0 ] || fail "'/p ': $d pixels of the screen's top-left corner differ from the picture"
pass "'/p ' paints at the top-left corner of the screen"

cp "$dir/rovoradizu.ini" "$dir/before.ini"
for args in /a /A:1234; do
  timeout 3 "$dir/marrowtide-gobble-run" "$args" >"$dir/out" 2>&1 || fail "$args: status $? (124: still running after 3 s)"
  [ ! -s "$dir/out" ] || fail "$args: printed $(cat "$dir/out")"
  cmp -s "$dir/before.ini" "$dir/rovoradizu.ini" || fail "$args: the settings file changed"
done
[ -z "$(xdotool search --onlyvisible --name 'Marrowtide' 2>/dev/null)" ] || fail "/a left a window open"
pass "/a ends at once with status 0, no window, no output"
