#!/usr/bin/env bash
# The configuration dialog of the real program: what it shows for stored settings, what it
# writes back however it is closed, the speed bar's ends, the web button.
#   settings_dialog_test.sh X_TEST_WINDOW   (under with-xvfb, MT_DIST set)
set -uo pipefail
source "$(dirname "$0")/../../support/e2e/e2e_lib.sh"
tool=$1

dir=$(make_program_folder)
trap 'if [ -n "${pid:-}" ]; then kill "$pid" 2>/dev/null; fi; rm -rf "$dir"' EXIT
ini="$dir/rovoradizu.ini"
caption="Marrowtide Gobble-run ver 2.1"
# The dialog builder names on stderr any caption that does not fit its control.
export MT_DIALOG_FIT_REPORT=1

opener_stand_in "$dir" "$dir/opened"

# Starts "/c" and waits for the dialog; sets pid, wid and the client area's screen origin.
open_dialog() {
  rm -f "$dir/opened"
  "$dir/marrowtide-gobble-run" /c 2>"$dir/stderr" &
  pid=$!
  wid=$(wait_for_window "^$caption\$") || fail "$1: the dialog did not open"
  local X Y WIDTH HEIGHT SCREEN
  eval "$(xdotool getwindowgeometry --shell "$wid")"
  ox=$X oy=$Y
}

# (No --sync: xdotool waits for a motion that never comes when the pointer is there already.)
click() { xdotool mousemove $((ox + $1)) $((oy + $2)) sleep 0.05 click 1 sleep 0.1; }

# Close button and checks of what was written. Layout pixels: Close at 272,184 73x25; the
# check box at 216,144; the options' circles at the left of 224,27 / 224,61 / 224,97.
# (Each control's own clicks and keys are the dialog builder's test.)
click_close() { click 308 196; }

expect_saved() {  # what soundPlay speed weapon
  ended_with_success "$pid" "$1"
  pid=
  local got
  got="$(ini_value "$ini" soundPlay soundPlay),$(ini_value "$ini" speed speed),$(ini_value "$ini" weapon weapon)"
  [ "$got" = "$2,$3,$4" ] || fail "$1: wrote $got, expected $2,$3,$4"
  ! grep "does not fit" "$dir/stderr" || fail "$1: a caption does not fit"
  pass "$1"
}

# ---- Loading, and closing at once. (The reading rules are unit-tested; this shows that
# each value reaches its control. The screenshot is looked at below.)
write_settings "$ini" 40 1 2 0 5 1
open_dialog "1/40/2"
sleep 0.3
screenshot "$dir/shown.png"
shown_ox=$ox shown_oy=$oy
click_close
expect_saved "1/40/2 shown as checked, 40 and rifle, written back unchanged" 1 40 2

# A missing file: the three writes come in their order, each making its section.
rm -f "$ini"
open_dialog "no settings file"
click_close
expect_saved "no settings file: defaults written" 0 20 0
sections=$(grep -o '^\[[a-zA-Z]*\]' "$ini" | tr -d '\n')
[ "$sections" = "[soundPlay][speed][weapon]" ] || fail "write order: $sections"
pass "written in the order soundPlay, speed, weapon"

# ---- Dragging the thumb past the bar's end.
# The thumb shows in the face colour on the bar's middle row, the trough darker.
thumb_span() {  # screenshot -> first and last column of the thumb, dialog pixels
  /usr/bin/convert "$1" -crop 117x1+$((ox + 18))+$((oy + 151)) +repage txt:- |
    awk -F'[,: ]+' '/#D4D0C8/ { if (first == "") first = $1; last = $1 }
                    END { if (first == "") print "none"; else print first + 18, last + 18 }'
}
drag_thumb_to() {  # x (dialog pixels) to drop the thumb at
  screenshot "$dir/bar.png"
  local span first last
  span=$(thumb_span "$dir/bar.png")
  [ "$span" != none ] || fail "no thumb on the speed bar"
  read -r first last <<<"$span"
  local grab=$(((first + last) / 2))
  xdotool mousemove $((ox + grab)) $((oy + 151)) sleep 0.05 mousedown 1 sleep 0.05 \
    mousemove $((ox + (grab + $1) / 2)) $((oy + 151)) sleep 0.05 \
    mousemove $((ox + $1)) $((oy + 151)) sleep 0.05 mouseup 1 sleep 0.1
}

write_settings "$ini" 40 1 2 0 5 1
open_dialog "drag right"
drag_thumb_to 400
click_close
expect_saved "thumb dragged past the right end writes 70" 1 70 2

# ---- The web button opens the site and leaves everything else alone.
write_settings "$ini" 40 1 2 0 5 1
cp "$ini" "$dir/before.ini"
open_dialog "web button"
click 220 196
for _ in $(seq 50); do [ -s "$dir/opened" ] && break; sleep 0.1; done
[ "$(cat "$dir/opened" 2>/dev/null)" = "https://marrowtide.example" ] ||
  fail "web button: the opener got '$(cat "$dir/opened" 2>/dev/null)'"
sleep 0.5
kill -0 "$pid" 2>/dev/null || fail "web button: the program ended"
[ -n "$(xdotool search --onlyvisible --name "^$caption\$")" ] || fail "web button: the dialog closed"
cmp -s "$ini" "$dir/before.ini" || fail "web button: the settings file changed"
click 240 68  # Flame Thrower, then close: the one write comes now
click_close
expect_saved "web button opens the site, dialog stays, nothing written until Close" 1 40 1
[ "$(wc -l <"$dir/opened")" = 1 ] || fail "the opener ran more than once"

# ---- The window manager's close saves exactly as Close does. (Escape and the keyboard's
# tab order go through the dialog builder, whose own test drives them.)
write_settings "$ini" 40 1 2 0 5 1
open_dialog "window manager's close"
click 240 34    # Shotgun
click 260 150   # Sound off
"$tool" close "$wid"
expect_saved "WM_DELETE_WINDOW saves like Close" 0 40 0

# ---- What the dialog looks like: colours, texts and pictures where the layout puts them.
# Regions are given as WxH+X+Y in dialog pixels.
dialog_region() {  # WxH+X+Y in dialog pixels -> on the screen
  local size=${1%%+*} rest=${1#*+}
  echo "$size+$((ox + ${rest%%+*}))+$((oy + ${rest#*+}))"
}
dark_pixels() { pixels_passing "$1" "$(dialog_region "$2")" '(r + g + b) / 3 < 0.5'; }
blue_pixels() { pixels_passing "$1" "$(dialog_region "$2")" 'b > 0.6 && r < 0.4 && g < 0.4'; }
dialog_pixel() { pixel_at "$1" $((ox + $2)) $((oy + $3)); }

write_settings "$ini" 10 0 0 0 5 1
open_dialog "screenshot 0/10/0"
sleep 0.3
screenshot "$dir/other.png"
click_close
expect_saved "screenshot 0/10/0 taken" 0 10 0
[ "$ox,$oy" = "$shown_ox,$shown_oy" ] || fail "the dialog opened at different places"
# Centred on the 1920 x 1080 screen.
[ "$ox,$oy" = "784,430" ] || fail "dialog at $ox,$oy, not centred (784,430)"
shot="$dir/shown.png"

white="255,255,255"
for spot in "190 4" "340 130" "160 130" "100 104" "300 165" "5 215" "350 219" "345 3"; do
  read -r x y <<<"$spot"
  [ "$(dialog_pixel "$shot" "$x" "$y")" = "$white" ] || fail "background at $x,$y is not white"
done
pass "white background"

# Texts: the headings blue, the rest dark. (That each caption fits its control the
# builder reports on stderr, checked after every close.)
[ "$(blue_pixels "$shot" 57x17+216+8)" -ge 20 ] || fail "\"Weapon\" is not blue"
[ "$(blue_pixels "$shot" 41x17+8+128)" = 0 ] || fail "\"Slow\" is blue"
[ "$(dark_pixels "$shot" 60x13+290+190)" -ge 15 ] || fail "no \"Close\" on its button"
pass "blue headings, dark texts"

read -r first last <<<"$(thumb_span "$shot")"
[ "$first" -ge 60 ] && [ "$last" -le 95 ] || fail "thumb at $first..$last for 40, not midway"
read -r first last <<<"$(thumb_span "$dir/other.png")"
[ "$first" -le 20 ] || fail "thumb at $first..$last for 10, not at the left end"
pass "speed bar and its thumb"

# The check box and the rifle are marked; the other screenshot (0/10/0) marks the shotgun.
[ "$(dark_pixels "$shot" 12x12+217+144)" -gt "$(dark_pixels "$dir/other.png" 12x12+217+144)" ] ||
  fail "the sound box is not checked"
[ "$(dark_pixels "$shot" 12x12+224+99)" -gt "$(dark_pixels "$dir/other.png" 12x12+224+99)" ] ||
  fail "the rifle is not selected"
[ "$(dark_pixels "$dir/other.png" 12x12+224+28)" -gt "$(dark_pixels "$shot" 12x12+224+28)" ] ||
  fail "the shotgun is not selected for weapon 0"
pass "check box and option marks"

pictures="$dir/duruzarurode/gobblerun"
for entry in "settingsPicture.bmp 0 8" "weaponShotgun.bmp 192 24" "weaponFlame.bmp 192 48" \
  "weaponRifle.bmp 192 88"; do
  read -r file x y <<<"$entry"
  [ -f "$pictures/$file" ] || fail "$file is not in the program folder"
  d=$(picture_differs "$shot" "$pictures/$file" $((ox + x)) $((oy + y)))
  [ "$d" = 0 ] || fail "$file: $d pixels differ at $x,$y"
done
pass "pictures"
