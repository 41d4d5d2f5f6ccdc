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

magenta="255,0,255"

# Opens a test window (200 x 150 unless window_size says otherwise), runs the preview with
# the arguments given ("XID" in them replaced by the window's id in decimal), then reads
# back what the window shows into $dir/shown.ppm. Sets status and stderr_lines.
window_size="200 150"
preview_into_test_window() {
  rm -f "$dir/shown.ppm"
  # shellcheck disable=SC2086
  coproc WINDOW { "$tool" show "$dir/shown.ppm" $window_size; }
  local xid args=()
  read -r xid <&"${WINDOW[0]}" || fail "the test window did not start"
  for a in "$@"; do args+=("${a//XID/$xid}"); done
  (
    # Room for the program, not for buffers the size of a huge window (a sanitizer build
    # reserves its shadow memory up front and is left unlimited).
    ldd "$dir/marrowtide-gobble-run" | grep -q libasan || ulimit -v 1000000
    exec timeout 20 "$dir/marrowtide-gobble-run" "${args[@]}"
  ) 2>"$dir/stderr"
  status=$?
  stderr_lines=$(wc -l <"$dir/stderr")
  echo read >&"${WINDOW[1]}"
  wait "$WINDOW_PID" || fail "the test window could not read itself back"
  [ -f "$dir/shown.ppm" ] || fail "no read-back of the test window"
}

expect_picture_at_top_left() {
  local what=$1
  [ "$status" = 0 ] || fail "$what: status $status"
  [ "$stderr_lines" -le 1 ] || fail "$what: $stderr_lines lines on stderr"
  local d
  d=$(picture_differs "$dir/shown.ppm" "$picture" 0 0)
  [ "$d" = 0 ] || fail "$what: $d pixels of the window's top-left 151x119 differ from the picture"
  # Outside the picture the window keeps its own colour: the copy brings nothing more.
  [ "$(pixel_at "$dir/shown.ppm" 155 60)" = "$magenta" ] || fail "$what: right of the picture changed"
  [ "$(pixel_at "$dir/shown.ppm" 60 119)" = "$magenta" ] || fail "$what: below the picture changed"
  [ "$(pixel_at "$dir/shown.ppm" 190 140)" = "$magenta" ] || fail "$what: far corner changed"
  pass "$what"
}

preview_into_test_window /p XID
expect_picture_at_top_left "/p <id> as two arguments"

# The other ways of writing the handle (the first digit dropped from "/p<id>") are
# unit-tested where it is read.

# A window as large as X allows: the preview paints its 160 x 120 without buffers of the
# window's size.
window_size="32767 32767"
preview_into_test_window /p XID
expect_picture_at_top_left "/p <id> of a 32767 x 32767 window"
window_size="200 150"

# Handles that name no window at all.
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
