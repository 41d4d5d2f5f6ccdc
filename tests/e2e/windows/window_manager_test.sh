#!/usr/bin/env bash
# Both dialogs under real window managers: the title-bar functions their layouts allow
# (fluxbox publishes what a window's hints allow; openbox keeps minimize and close whatever
# the hints say), centring by the outer size before the window shows (openbox tells the
# frame in advance), and the icons in their own colours.
#   window_manager_test.sh   (under with-xvfb, MT_DIST set)
set -uo pipefail
source "$(dirname "$0")/../../support/e2e/e2e_lib.sh"

dir=$(make_program_folder)
assets="$dir/duruzarurode/gobblerun"
mkdir -p "$dir/home"
trap 'kill ${pid:-} ${wm:-} 2>/dev/null; rm -rf "$dir"' EXIT

start_wm() {
  HOME="$dir/home" "$@" >/dev/null 2>&1 &
  wm=$!
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
    sleep 0.1
  done
  fail "$1 did not start"
}
stop_wm() {
  # fluxbox does not always end on SIGTERM.
  kill -KILL "$wm"
  wait "$wm" 2>/dev/null
  xprop -root -remove _NET_SUPPORTING_WM_CHECK
}
read -r sw sh < <(xdotool getdisplaygeometry)

# Waits until the window manager has framed the window, then checks where it stands.
check_centred() {  # wid what
  local l r t b x y w h
  for _ in $(seq 50); do
    xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | grep -q '=' && break
    sleep 0.1
  done
  sleep 0.3
  read -r l r t b < <(xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
  [ "$((t + b))" -gt 0 ] || fail "$2: no frame around the window"
  read -r x y w h < <(xwininfo -id "$1" |
    awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
         /Width:/ { w = $NF } /Height:/ { h = $NF } END { print x, y, w, h }')
  local outer_x=$((x - l)) outer_y=$((y - t)) outer_w=$((w + l + r)) outer_h=$((h + t + b))
  [ "$outer_x" = $(((sw - outer_w) / 2)) ] && [ "$outer_y" = $(((sh - outer_h) / 2)) ] ||
    fail "$2: frame at $outer_x,$outer_y (${outer_w}x$outer_h), not centred on ${sw}x$sh"
}

# The functions the window manager offers for the window, as it publishes them.
check_actions() {  # wid what close(yes/no)
  local actions
  actions=$(xprop -id "$1" _NET_WM_ALLOWED_ACTIONS)
  case "$actions" in *_NET_WM_ACTION_MOVE*) ;; *) fail "$2: cannot be moved: $actions" ;; esac
  case "$actions" in
    *MINIMIZE* | *MAXIMIZE* | *RESIZE*) fail "$2: offers more than its layout: $actions" ;;
  esac
  case "$3:$actions" in
    yes:*_NET_WM_ACTION_CLOSE*) ;;
    no:*_NET_WM_ACTION_CLOSE*) fail "$2: offers a close: $actions" ;;
    yes:*) fail "$2: no close: $actions" ;;
  esac
}

# The window's icon, pixel for pixel, is the opaque part of the shipped icon file.
check_icon() {  # wid icon-file what
  xprop -id "$1" -notype -f _NET_WM_ICON 32c _NET_WM_ICON | sed 's/.*= //' | tr -d ' ' |
    tr ',' '\n' | tail -n +3 | awk '{ a = int($1 / 16777216); printf "%d %d %d %d\n",
      int($1 / 65536) % 256, int($1 / 256) % 256, $1 % 256, a }' >"$dir/shown.txt"
  /usr/bin/convert "$2" -depth 8 rgba:- | od -An -v -tu1 -w4 |
    awk '{ print $1, $2, $3, $4 }' >"$dir/file.txt"
  [ "$(wc -l <"$dir/shown.txt")" = 1024 ] || fail "$3: the window has no 32x32 icon"
  local compared
  compared=$(paste -d' ' "$dir/shown.txt" "$dir/file.txt" | awk '
    $4 == 255 && $8 == 255 { n++; if ($1 != $5 || $2 != $6 || $3 != $7) bad++ }
    END { print (bad ? "differ" : n + 0) }')
  [ "$compared" != differ ] && [ "$compared" -gt 500 ] ||
    fail "$3: the window icon is not the icon file ($compared)"
}

open_window() {  # command... ; sets pid and wid
  local caption=$1
  shift
  "$@" 2>"$dir/stderr" &
  pid=$!
  wid=$(wait_for_window "^$caption\$") || fail "$caption did not open"
}
close_window() {
  kill "$pid"
  wait "$pid" 2>/dev/null
}
settings="Marrowtide Gobble-run ver 2.1"
referral="Marrowtide gobble-run Screen Saver"

start_wm fluxbox
open_window "$settings" "$dir/marrowtide-gobble-run" /c
sleep 0.5
check_actions "$wid" "settings dialog" yes
check_icon "$wid" "$assets/settingsIcon.ico" "settings dialog"
close_window
open_window "$referral" "$dir/MarrowtideEmail"
sleep 0.5
check_actions "$wid" "referral form" no
check_icon "$wid" "$assets/referralIcon.ico" "referral form"
close_window
stop_wm
pass "title-bar functions: close only on the settings dialog, none on the referral form; icons"

start_wm openbox --sm-disable
open_window "$settings" "$dir/marrowtide-gobble-run" /c
check_centred "$wid" "settings dialog"
close_window
open_window "$referral" "$dir/MarrowtideEmail"
check_centred "$wid" "referral form"
close_window
pass "both dialogs centred by their outer size"
