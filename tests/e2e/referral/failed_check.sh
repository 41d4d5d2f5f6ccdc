#!/usr/bin/env bash
# A failed check shows a message window and leaves the form open with the entries as
# typed; once corrected, the same entries are submitted.
set -euo pipefail
here=$(dirname "$0")
source "$here/../../support/e2e/e2e_lib.sh"
source "$here/referral_lib.sh"
setup_referral
start_form

type_entries "ann@example" " Jo " "me@example.org"
click_submit

box=""
for _ in $(seq 50); do box=$(message_box_id); [ -n "$box" ] && break; sleep 0.1; done
[ -n "$box" ] || fail "no message window after a failed check"
screenshot "$MT_ARTIFACTS/referral_failed_check.png"
kill -0 "$pid" 2>/dev/null || fail "the program ended on a failed check"
[ ! -e "$opened" ] || fail "an address was opened: $(cat "$opened")"

xdotool windowfocus --sync "$box"
xdotool key Return
for _ in $(seq 30); do [ -z "$(message_box_id)" ] && break; sleep 0.1; done
[ -z "$(message_box_id)" ] || fail "Enter did not dismiss the message"
kill -0 "$pid" 2>/dev/null || fail "the form closed with the message"

# Complete friend 1 where it stands; the other entries are still as typed.
click_friend1
xdotool key End
xdotool type --delay 20 ".org"
click_submit
ended_with_success "$pid" "the corrected Submit"
for _ in $(seq 50); do [ -s "$opened" ] && break; sleep 0.1; done
expected="$MT_SITE_URL/daradudeve.php?s=7&te=ann@example.org,,,,&fe=me@example.org&n=Jo"
[ "$(cat "$opened")" = "$expected" ] || fail "opened $(cat "$opened"), expected $expected"
pass "the message left the entries in place"
