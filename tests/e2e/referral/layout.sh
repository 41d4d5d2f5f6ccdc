#!/usr/bin/env bash
# The form on screen: centred, its texts shown, no caption clipped, the picture from the
# asset folder; and without the pictures the form still
# opens. The screenshots stay in the test's build folder for a look.
set -euo pipefail
here=$(dirname "$0")
source "$here/../../support/e2e/e2e_lib.sh"
source "$here/referral_lib.sh"
setup_referral
assets="$dir/duruzarurode/gobblerun"


# Our own test pictures: solid colours that cannot be mistaken for the form.
/usr/bin/convert -size 120x126 xc:'rgb(10,200,30)' "BMP3:$assets/referralPicture.bmp"

start_form
sleep 0.3
shot="$MT_ARTIFACTS/referral_layout.png"
screenshot "$shot"
screen_w=$(xdotool getdisplaygeometry | cut -d' ' -f1)
screen_h=$(xdotool getdisplaygeometry | cut -d' ' -f2)
[ "$wx" = $(((screen_w - 400) / 2)) ] && [ "$wy" = $(((screen_h - 489) / 2)) ] ||
  fail "form at $wx,$wy, not centred on ${screen_w}x$screen_h"
eval "$(xdotool getwindowgeometry --shell "$wid")"
[ "$WIDTH" = 400 ] && [ "$HEIGHT" = 489 ] || fail "client area ${WIDTH}x$HEIGHT"

[ "$(pixel_at "$shot" $((wx + 5)) $((wy + 5)))" = "212,208,200" ] || fail "form background"
# (Where each control stands is the stored layout's; that its captions fit, the builder
# reports.)
# At least 5 % and 3 % of the boxes' pixels.
[ "$(pixels_passing "$shot" 367x65+$((wx + 16))+$((wy + 8)) 'b > 0.45 && r < 0.3 && g < 0.3')" -ge 1193 ] ||
  fail "no blue thank-you text"
[ "$(pixels_passing "$shot" 73x25+$((wx + 312))+$((wy + 448)) '(r+g+b)/3 < 0.35')" -ge 55 ] ||
  fail "no Submit caption"
[ "$(pixel_at "$shot" $((wx + 16 + 240 + 60)) $((wy + 77 + 32 + 63)))" = "10,200,30" ] ||
  fail "the picture is not shown at its place"
expect_no_fit_complaints
kill "$pid"
wait "$pid" 2>/dev/null || true
pass "layout on screen"

# Without its pictures the form opens all the same, the picture's place left empty.
rm -f "$assets/referralPicture.bmp" "$assets/referralIcon.ico"
start_form
sleep 0.3
shot="$MT_ARTIFACTS/referral_no_pictures.png"
screenshot "$shot"
[ "$(pixel_at "$shot" $((wx + 16 + 240 + 60)) $((wy + 77 + 32 + 63)))" = "212,208,200" ] ||
  fail "the missing picture's place is not empty"
pass "missing pictures leave their places empty"
