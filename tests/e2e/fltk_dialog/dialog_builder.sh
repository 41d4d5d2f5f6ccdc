#!/usr/bin/env bash
# The dialog builder (FLTK; or user32 under Wine, MT_WINE set) with the settings dialog's
# layout and none of its handlers: the window has the layout's size, the controls show the
# values set before it shows, option buttons are exclusive, the scroll bar steps by its
# small and large changes, the tab order follows the layout, Escape and the Close button
# run the unload handler once, and the message loop ends with the last window.
set -euo pipefail
here=$(dirname "$0")
source "$here/../../support/e2e/e2e_lib.sh"
out=$(mktemp)
trap 'kill "${pid:-}" 2>/dev/null || true; rm -f "$out"' EXIT
export MT_DIALOG_FIT_REPORT=1

start_probe() {
  : >"$out"
  ${MT_WINE:+"$MT_WINE"} "$MT_PROBE" >"$out" 2>&1 &
  pid=$!
  wid=$(wait_for_window '^Marrowtide Gobble-run ver 2.1$') || fail "the probe did not open"
  eval "$(xdotool getwindowgeometry --shell "$wid")"
  [ "$WIDTH x $HEIGHT" = "351 x 220" ] || fail "client area ${WIDTH}x$HEIGHT, not 351x220"
  focus_window "$wid" 160 130
}
click_at() { xdotool mousemove $((wx + $1)) $((wy + $2)) click 1; sleep 0.2; }
finish() {
  ended_with_success "$pid" "the loop ending with the window"
  sed -i 's/\r$//' "$out"  # Windows programs end their lines with CR LF
  [ "$(grep -c '^unload' "$out")" = 1 ] || fail "unload ran $(grep -c '^unload' "$out") times"
  grep -q '^loop ended' "$out" || fail "the loop did not return"
  grep -qx 'shown sound=1 weapon=rifle selected=1 speed=40' "$out" || fail "shown: $(cat "$out")"
  if grep -q 'does not fit' "$out"; then cat "$out" >&2; fail "a caption is clipped"; fi
}

# Mouse: options, check box, the scroll bar's right arrow and the trough; then Escape.
start_probe
click_at 240 68           # Flame Thrower
click_at 240 105          # Rifle
click_at 230 150          # Sound off
click_at $((8 + 132)) 151 # right arrow: 41
click_at $((8 + 115)) 151 # trough right of the thumb: 51
screenshot "$MT_ARTIFACTS/dialog_probe.png"
xdotool key Escape
finish
grep -qx 'unload sound=0 weapon=rifle selected=1 speed=51' "$out" || fail "mouse: $(cat "$out")"
pass "mouse: exclusive options, check box, scroll steps, Escape unloads once"

# Keyboard: the focus starts on Close (tab index 0); Tab passes the web button and reaches
# the check box, the bar and the options in the layout's order.
start_probe
xdotool key Tab Tab space  # Sound off
xdotool key Tab Right      # speed 41
xdotool key Tab Tab space  # past the rifle to Flame Thrower
xdotool key Tab space      # Shotgun
xdotool key Tab            # round to Close
xdotool key space
finish
grep -qx 'unload sound=0 weapon=shotgun selected=1 speed=41' "$out" || fail "keyboard: $(cat "$out")"
pass "keyboard: tab order, Close unloads once"
