#!/usr/bin/env bash
# The installed program: the layout `cmake --install` makes, a run through the link in
# bin/ from another folder, and per-user settings for a user who may not write the
# program folder.
#   install_test.sh CASE   (under with-xvfb; MT_DIST and MT_BUILD_DIR from CTest)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../support/e2e/e2e_lib.sh"
source "$here/desktop_lib.sh"
export SDL_AUDIODRIVER=dummy

prefix=$(install_prefix)
home=
trap 'kill ${pid:-} 2>/dev/null; rm -rf "$prefix" ${home:+"$home"}' EXIT
program="$prefix/usr/lib/marrowtide-gobble-run"
installed="$program/rovoradizu.ini"

case $1 in
layout)
  for f in marrowtide-gobble-run MarrowtideEmail; do
    [ -x "$program/$f" ] || fail "no $f in the program folder"
  done
  cmp "$installed" "$MT_DIST/rovoradizu.ini" >/dev/null 2>&1 ||
    cmp "$installed" "$here/../../../assets/rovoradizu.ini" || fail "the installed settings file"
  [ "$(ls "$program/duruzarurode/gobblerun" | wc -l)" = "$(ls "$MT_DIST/duruzarurode/gobblerun" | wc -l)" ] ||
    fail "the asset folder differs from the build's"
  [ "$(readlink "$prefix/usr/bin/marrowtide-gobble-run")" = ../lib/marrowtide-gobble-run/marrowtide-gobble-run ] ||
    fail "bin/marrowtide-gobble-run is not a relative link to the saver"
  desktop="$prefix/usr/share/applications/marrowtide-gobble-run-settings.desktop"
  grep -qx 'Name=Marrowtide Gobble-run Settings' "$desktop" || fail "desktop entry name"
  grep -qx 'Exec=marrowtide-gobble-run /c' "$desktop" || fail "desktop entry command"
  for size in 32 64; do
    icon="$prefix/usr/share/icons/hicolor/${size}x$size/apps/marrowtide-gobble-run.png"
    [ "$(identify -format %wx%h "$icon")" = "${size}x$size" ] || fail "no ${size}px icon"
  done
  pass "program folder, link, desktop entry and icons in place"

  # Through the link, from another folder: the saver finds its folder and shows the scene.
  (cd / && exec "$prefix/usr/bin/marrowtide-gobble-run" /s) 2>"$prefix/stderr" &
  pid=$!
  wait_for_window '^Form1$' 100 >/dev/null || fail "no scene: $(cat "$prefix/stderr")"
  sleep 1.5
  screenshot "$prefix/scene.png"
  expect_laid_out_for "$prefix/scene.png" $(xdotool getdisplaygeometry) "$program/duruzarurode/gobblerun"
  xdotool mousemove 10 10 key x
  ended_with_success "$pid" "a key"
  [ "$(ini_value "$installed" applic appcurrent)" = 1 ] || fail "root's run did not count in the program folder"
  pass "the installed saver runs from another folder through its link"
  ;;

per-user)
  need_root
  home=$(nobody_home)
  own="$home/.config/marrowtide-gobble-run/rovoradizu.ini"
  cp "$installed" "$prefix/installed.ini"
  # The dialog: its first read makes the user's copy; choosing the rifle and closing
  # writes into that copy.
  as_nobody "$home" "$prefix/usr/bin/marrowtide-gobble-run" /c 2>"$prefix/stderr" &
  pid=$!
  wid=$(wait_for_window '^Marrowtide Gobble-run ver 2.1$') || fail "no dialog: $(cat "$prefix/stderr")"
  cmp "$own" "$prefix/installed.ini" || fail "the first read did not make a byte copy"
  focus_window "$wid" 234 105
  xdotool click 1
  sleep 0.3
  xdotool key Escape
  ended_with_success "$pid" "Escape"
  [ "$(ini_value "$own" weapon weapon)" = 2 ] || fail "the dialog's choice is not in the user's file"
  # The saver reads and counts in the same file.
  as_nobody "$home" "$prefix/usr/bin/marrowtide-gobble-run" /s 2>>"$prefix/stderr" &
  pid=$!
  wait_for_window '^Form1$' 100 >/dev/null || fail "no scene: $(cat "$prefix/stderr")"
  sleep 1
  xdotool mousemove 10 10 key x
  ended_with_success "$pid" "a key"
  [ "$(ini_value "$own" applic appcurrent)" = 1 ] || fail "the counter did not advance in the user's file"
  [ "$(ini_value "$own" weapon weapon)" = 2 ] || fail "the run lost the dialog's choice"
  cmp "$installed" "$prefix/installed.ini" || fail "the installed file changed"
  pass "first run copies, the dialog's write reaches the saver, the counter advances per user"
  ;;

*) fail "unknown case $1" ;;
esac
