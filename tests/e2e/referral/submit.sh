#!/usr/bin/env bash
# Typing into the fields in tab order and clicking Submit opens the encoded address once
# and ends the program; the 50-character limits count characters, not bytes.
set -euo pipefail
here=$(dirname "$0")
source "$here/../../support/e2e/e2e_lib.sh"
source "$here/referral_lib.sh"
setup_referral
# xdotool types a character missing from the keymap by remapping a spare key for each
# keystroke, which races with the client under load and drops letters; a fixed mapping
# made before the program starts makes every é an ordinary key press. It takes a key of
# the main block (grave, unused here): Wine turns only keys it knows into characters.
xmodmap -e "keycode 49 = eacute Eacute"
start_form

eacute=$'\xc3\xa9'
long_friend="c@d.org$(printf "${eacute}%.0s" $(seq 50))"  # 57 characters typed
xdotool type --delay 20 "ann@example.org"
xdotool key Tab Tab
xdotool type --delay 20 " bob@example.org "
xdotool key Tab Tab
xdotool type --delay 20 "$long_friend"
xdotool key Tab
xdotool type --delay 20 "  Jo & Ann=1, Zo${eacute} "
xdotool key Tab Tab Tab
xdotool type --delay 20 "me@example.org"
click_submit

ended_with_success "$pid" "Submit"
for _ in $(seq 50); do [ -s "$opened" ] && break; sleep 0.1; done
sleep 0.5  # a second open would have arrived by now

friend5="c@d.org$(printf '%%C3%%A9%.0s' $(seq 43))"  # cut at 50 characters
expected="$MT_SITE_URL/daradudeve.php?s=7&te=ann@example.org,,bob@example.org,,$friend5&fe=me@example.org&n=Jo%20%26%20Ann%3D1%2C%20Zo%C3%A9"
[ "$(wc -l <"$opened")" = 1 ] || fail "expected one open, got: $(cat "$opened")"
[ "$(cat "$opened")" = "$expected" ] || fail "opened $(cat "$opened"), expected $expected"
expect_no_fit_complaints
pass "Submit opened $expected"
