#!/usr/bin/env bash
# Pictures and icons of both programs' dialogs whose headers claim 65536 x 65536 pixels in a
# 58-byte file: each dialog opens all the same, without the picture, and stays up.
#   crafted_pictures_test.sh   (under with-xvfb, MT_DIST set)
set -uo pipefail
source "$(dirname "$0")/../../support/e2e/e2e_lib.sh"

dir=$(make_program_folder)
trap 'if [ -n "${pid:-}" ]; then kill "$pid" 2>/dev/null; fi; rm -rf "$dir"' EXIT
assets="$dir/duruzarurode/gobblerun"

# File header, a 40-byte info header for 65536 x 65536 at 24 bits, and 4 bytes of pixels.
crafted() {
  printf 'BM\072\000\000\000\000\000\000\000\066\000\000\000' >"$1"
  printf '\050\000\000\000\000\000\001\000\000\000\001\000\001\000\030\000' >>"$1"
  printf '\000\000\000\000\000\000\000\000\000\000\000\000\000\000\000\000' >>"$1"
  printf '\000\000\000\000\000\000\000\000\377\377\377\000' >>"$1"
}
for name in settingsPicture settingsIcon referralPicture referralIcon; do
  crafted "$assets/$name.bmp"
done
[ "$(stat -c %s "$assets/settingsPicture.bmp")" = 58 ] || fail "the crafted file is not 58 bytes"

stays_up() {  # what caption command...
  local what=$1 caption=$2
  shift 2
  "$@" 2>"$dir/stderr" &
  pid=$!
  wait_for_window "$caption" 150 >/dev/null || fail "$what: no window (status: $(wait "$pid"; echo $?))"
  sleep 1
  kill -0 "$pid" 2>/dev/null || fail "$what: ended after its window showed"
  kill "$pid"
  wait "$pid" 2>/dev/null
  pid=
  pass "$what opens with crafted pictures"
}

stays_up "the settings dialog" '^Marrowtide Gobble-run ver 2.1$' "$dir/marrowtide-gobble-run" /c
stays_up "the referral form" '^Marrowtide gobble-run Screen Saver$' "$dir/MarrowtideEmail"
