#!/usr/bin/env bash
# The password-change mode: Linux has no screen-saver password service, so "/a" opens no
# window, touches no file and ends at once with status 0, with or without an owner handle.
set -uo pipefail
source "$(dirname "$0")/../../support/e2e/e2e_lib.sh"

dir=$(make_program_folder)
trap 'rm -rf "$dir"' EXIT
cp "$dir/rovoradizu.ini" "$dir/before.ini"

check_ends_at_once() {
  local what="'$*'" start status elapsed_ms
  start=$(date +%s%N)
  timeout 10 "$dir/marrowtide-gobble-run" "$@" >"$dir/out" 2>&1
  status=$?
  elapsed_ms=$(( ($(date +%s%N) - start) / 1000000 ))
  [ "$status" = 0 ] || fail "$what: status $status"
  [ "$elapsed_ms" -lt 3000 ] || fail "$what: took $elapsed_ms ms"
  [ ! -s "$dir/out" ] || fail "$what: printed $(cat "$dir/out")"
  cmp -s "$dir/before.ini" "$dir/rovoradizu.ini" || fail "$what: the settings file changed"
}
# The ways of writing the owner handle are unit-tested where the command line is read.
check_ends_at_once /a
check_ends_at_once /A:1234
# No window of ours may be left behind or have been mapped meanwhile.
[ -z "$(xdotool search --onlyvisible --name 'Marrowtide' 2>/dev/null)" ] || fail "a window is open"
pass "/a ends at once with status 0, no window, no output"
