#!/usr/bin/env bash
# Starting on idle without a daemon of our own: the README's xautolock recipe starts the
# full-screen run, and a key ends it with the run counted.
#   idle_test.sh   (under with-xvfb; MT_DIST from CTest)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../support/e2e/e2e_lib.sh"
export SDL_AUDIODRIVER=dummy

dir=$(make_program_folder)
trap 'kill ${locker:-} 2>/dev/null; rm -rf "$dir"' EXIT
xautolock -time 10 -locker "$dir/marrowtide-gobble-run /s" -nocloseout -nocloseerr 2>"$dir/xautolock.log" &
locker=$!
# A -locknow that comes before the daemon is listening is lost (and may still exit 0); one
# while the locker runs is ignored. So ask until the run shows.
started=
for _ in $(seq 8); do
  xautolock -locknow 2>/dev/null
  wait_for_window '^Form1$' 30 >/dev/null && { started=1; break; }
done
[ -n "$started" ] || fail "xautolock -locknow did not start the run"
sleep 1
# The locker runs through a shell: the saver is its grandchild.
saver=$(pgrep -n -f "^$dir/marrowtide-gobble-run /s") || fail "no saver process"
xdotool mousemove 10 10 key x
wait_for_exit "$saver" 50 || fail "a key did not end the run"
[ "$(ini_value "$dir/rovoradizu.ini" applic appcurrent)" = 1 ] || fail "the run was not counted"
pass "xautolock starts the full-screen run; a key ends it, counted"
