#!/usr/bin/env bash
# Never Show, and Escape (the platform's close key), end the program without opening
# anything, even with entries that would pass every check.
set -euo pipefail
here=$(dirname "$0")
source "$here/../../support/e2e/e2e_lib.sh"
source "$here/referral_lib.sh"
setup_referral

for way in never_show escape; do
  start_form
  type_entries "ann@example.org" "Jo" "me@example.org"
  if [ "$way" = never_show ]; then click_never_show; else xdotool key Escape; fi
  ended_with_success "$pid" "$way"
  sleep 0.5
  [ ! -e "$opened" ] || fail "$way opened $(cat "$opened")"
  pass "$way ended the program without opening anything"
done
