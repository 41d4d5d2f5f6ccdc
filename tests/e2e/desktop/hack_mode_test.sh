#!/usr/bin/env bash
# Hack mode: the saver animating a window it is given, as the XScreenSaver family of
# daemons runs it, and ending quietly when the daemon ends it.
#   hack_mode_test.sh CASE X_TEST_WINDOW   (under with-xvfb; MT_DIST, MT_BUILD_DIR from CTest)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../support/e2e/e2e_lib.sh"
source "$here/desktop_lib.sh"
export SDL_AUDIODRIVER=dummy
tool=$2

prefix=$(install_prefix)
home=
trap 'kill ${pid:-} ${daemon:-} ${holder:-} 2>/dev/null; rm -rf "$prefix" ${home:+"$home"}' EXIT
program="$prefix/usr/lib/marrowtide-gobble-run"
assets="$program/duruzarurode/gobblerun"
cp "$program/rovoradizu.ini" "$prefix/installed.ini"
read -r W H < <(xdotool getdisplaygeometry)

# Nothing of ours on the screen but the drawing: no window, no settings written.
check_quiet_end() {  # pid what seconds
  wait_for_exit "$1" "$(($3 * 10))" || fail "$2: still running $3 s later"
  [ -z "$(xdotool search --onlyvisible --name '^Form1$' 2>/dev/null)" ] || fail "$2: opened a window"
  cmp "$program/rovoradizu.ini" "$prefix/installed.ini" || fail "$2: the settings file changed"
}

case $1 in
window-id)
  # A window of the test's own, 600 x 400 at (40, 40), magenta until we draw.
  coproc holder_io { "$tool" show "$prefix/window.ppm" 600 400; }
  holder=$holder_io_PID
  read -r wid <&"${holder_io[0]}"
  screenshot "$prefix/before.png"
  "$prefix/usr/bin/marrowtide-gobble-run" -window-id "$(printf '0x%x' "$wid")" 2>"$prefix/stderr" &
  pid=$!
  sleep 2
  screenshot "$prefix/shot.png"
  # Inside the window: the scene laid out for 600 x 400, the background tiled from the
  # window's corner (showing between the sprites) and the logo at its bottom right.
  [ "$(differs_from_background "$prefix/shot.png" "600x400+40+40" "$assets" +40+40)" -lt 200000 ] ||
    fail "the window does not show the tiled background: $(cat "$prefix/stderr")"
  [ "$(differs_from_background "$prefix/shot.png" "100x40+530+395" "$assets" +40+40)" -gt 300 ] ||
    fail "no logo at the window's bottom right"
  changed=$(differing "$prefix/before.png" "$prefix/shot.png" 300x700+660+0)
  [ "$changed" = 0 ] || fail "drew outside the window ($changed pixels)"
  kill -TERM "$pid"
  check_quiet_end "$pid" "SIGTERM" 1
  pass "-window-id: the scene in the given window at its size, ended by SIGTERM within a second"

  "$prefix/usr/bin/marrowtide-gobble-run" --window-id "$wid" 2>>"$prefix/stderr" &
  pid=$!
  sleep 1.5
  running "$pid" || fail "ended before its window: $(cat "$prefix/stderr")"
  eval "exec ${holder_io[1]}>&-"  # the holder writes its picture and destroys the window
  check_quiet_end "$pid" "window destroyed" 2
  pass "--window-id: the end of the window ends the saver within two seconds"
  ;;

xscreensaver)
  # The daemon runs us with -root (as --root), inside the full-screen window it names.
  need_root
  home=$(nobody_home)
  cat >"$home/.xscreensaver" <<CONF
mode:		one
selected:	0
lock:		False
splash:		False
fade:		False
unfade:		False
dpmsEnabled:	False
timeout:	1:00:00
programs:	"Marrowtide" $prefix/usr/bin/marrowtide-gobble-run -root \\n
CONF
  chown 65534:65534 "$home/.xscreensaver"
  as_nobody "$home" xscreensaver -no-splash >"$prefix/daemon.log" 2>&1 &
  daemon=$!
  for _ in $(seq 100); do xscreensaver-command -time >/dev/null 2>&1 && break; sleep 0.1; done
  xscreensaver-command -time >/dev/null 2>&1 || fail "xscreensaver did not start: $(cat "$prefix/daemon.log")"
  xscreensaver-command -activate >/dev/null
  for _ in $(seq 100); do
    pid=$(pgrep -n -f "^$prefix/usr/bin/marrowtide-gobble-run" || true)
    [ -n "$pid" ] && break
    sleep 0.1
  done
  [ -n "$pid" ] || fail "the daemon did not start us: $(cat "$prefix/daemon.log")"
  tr '\0' '\n' <"/proc/$pid/environ" | grep -q '^XSCREENSAVER_WINDOW=' || fail "no XSCREENSAVER_WINDOW"
  sleep 2.5
  screenshot "$prefix/shot.png"
  cp "$prefix/shot.png" "${MT_ARTIFACTS:-/tmp}/xscreensaver.png" 2>/dev/null || true
  expect_laid_out_for "$prefix/shot.png" "$W" "$H" "$assets"
  xscreensaver-command -deactivate >/dev/null
  check_quiet_end "$pid" "deactivate" 1
  [ ! -e "$home/.config/marrowtide-gobble-run" ] || fail "hack mode made a per-user settings copy"
  pass "XScreenSaver runs the scene in its window and -deactivate ends it within a second"
  ;;

*) fail "unknown case $1" ;;
esac
