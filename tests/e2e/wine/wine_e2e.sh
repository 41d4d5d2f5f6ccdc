#!/usr/bin/env bash
# The Windows programs end to end under Wine, in a prefix of their own made fresh here.
# One prefix and one X server serve every case (a prefix costs ~20 s to make); each case
# runs in a subshell with a fresh copy of the program folder and reports on its own.
#   wine_e2e.sh   (under with-xvfb; MT_DIST, MT_SHOTS, MT_WINE, MT_PREVIEW_HOST, MT_PROBE,
#                  MT_SITE_URL, MT_VERSION, MT_WINE_CASES and, for 32 bits, MT_PASSWORD_DOUBLES
#                  from CTest)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../.." && pwd)
source "$root/tests/support/e2e/e2e_lib.sh"

work=$(mktemp -d /tmp/mt-wine-e2e-XXXXXX)
export WINEPREFIX=$work/prefix WINELOADER=$MT_WINE WINEDEBUG=-all
export WINESERVER=/usr/lib/wine/wineserver
export WINEDLLOVERRIDES="winealsa.drv,winepulse.drv,wineoss.drv=d;winemenubuilder.exe=d;mscoree,mshtml="
export MT_PATIENCE=4
cleanup() {
  "$root/tests/support/wine/prefix-setup" "$WINEPREFIX" "$MT_WINE" --stop
  rm -rf "$work"
}
trap cleanup EXIT
"$root/tests/support/wine/prefix-setup" "$WINEPREFIX" "$MT_WINE" || fail "no Wine prefix"
mkdir -p "$MT_SHOTS"

# "/p <hwnd>": the preview picture lands at the top-left corner of the host's window, and
# nothing beside it changes.
preview_case() (
  dir=$(make_program_folder)
  program_commands "$dir"
  coproc HOST { "$MT_WINE" "$MT_PREVIEW_HOST"; }
  trap 'kill "$HOST_PID" 2>/dev/null; rm -rf "$dir"' EXIT
  read -r -t 90 hwnd <&"${HOST[0]}" || fail "the host window did not start"
  hwnd=${hwnd%$'\r'}
  # Painted once, so the host's window must be on the screen first.
  wait_for_window '^preview host$' >/dev/null || fail "the host window is not shown"
  sleep 0.5
  timeout 60 "${SAVER[@]}" /p "$hwnd" || fail "preview status $?"
  sleep 0.5
  shot="$MT_SHOTS/wine-preview.png"
  screenshot "$shot"
  picture="$dir/duruzarurode/gobblerun/preview.bmp"
  d=$(picture_differs "$shot" "$picture" 100 100)
  [ "$d" = 0 ] || fail "$d pixels of the host's top-left 151x119 differ from the picture"
  [ "$(pixel_at "$shot" 255 160)" = "255,0,255" ] || fail "right of the picture changed"
  [ "$(pixel_at "$shot" 160 219)" = "255,0,255" ] || fail "below the picture changed"
  pass "/p $hwnd painted the preview into the host's window"
)

# "/s": the Linux cases, given the Windows program.
scene_case() {
  MT_SHOTS="$MT_SHOTS" bash "$root/tests/e2e/scene/scene_e2e.sh" "$1"
}

# The dialog builder on its own (the settings dialog's layout, its size, values set before
# it shows, mouse, keys, unload): the Linux case, given the Windows probe.
builder_case() {
  MT_ARTIFACTS="$MT_SHOTS" bash "$root/tests/e2e/fltk_dialog/dialog_builder.sh"
}

# The companion's Submit: the Linux case, given the Windows program. Wine hands the
# address to winebrowser, which runs the stand-in xdg-open first on the PATH.
referral_case() {
  bash "$root/tests/e2e/referral/submit.sh"
}

# The installer: silent, per user; it makes the saver the current one, and its uninstaller
# takes away the folder and the values again.
installer_case() (
  setup="$work/setup.exe"
  "$root/packaging/windows/build-installer.sh" "$MT_DIST" "$setup" "$MT_VERSION" >/dev/null ||
    fail "makensis failed"
  "$MT_WINE" "$setup" /S || fail "the installer ended with $?"
  local_app=$("$MT_WINE" cmd /c echo %LOCALAPPDATA% | tr -d '\r')
  folder=$("$MT_WINE" winepath -u "$local_app\\Programs\\Marrowtide Gobble-run" | tr -d '\r')
  cmp "$folder/Marrowtide Gobble-run.scr" "$MT_DIST/Marrowtide Gobble-run.scr" ||
    fail "no saver in $folder"
  [ -f "$folder/duruzarurode/gobblerun/background.bmp" ] || fail "no assets in $folder"
  value=$("$MT_WINE" reg query 'HKCU\Control Panel\Desktop' /v SCRNSAVE.EXE | tr -d '\r' |
    awk '$1 == "SCRNSAVE.EXE" { $1 = ""; $2 = ""; sub(/^ +/, ""); print }')
  [ -n "$value" ] || fail "SCRNSAVE.EXE not set"
  target=$("$MT_WINE" winepath -u "$value" | tr -d '\r')
  cmp "$target" "$folder/Marrowtide Gobble-run.scr" || fail "SCRNSAVE.EXE is $value"
  uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\MarrowtideGobbleRun'
  "$MT_WINE" reg query "$uninstall_key" /v UninstallString >/dev/null 2>&1 ||
    fail "not in the Apps list"
  pass "installed silently into $local_app\\Programs, SCRNSAVE.EXE=$value"

  # The silent uninstaller copies itself and returns at once; the folder goes a little later.
  "$MT_WINE" "$folder/Uninstall.exe" /S || fail "the uninstaller ended with $?"
  for _ in $(seq 100); do [ -e "$folder" ] || break; sleep 0.2; done
  [ ! -e "$folder" ] || fail "the folder is still there: $(ls -A "$folder")"
  ! "$MT_WINE" reg query 'HKCU\Control Panel\Desktop' /v SCRNSAVE.EXE >/dev/null 2>&1 ||
    fail "SCRNSAVE.EXE still set"
  ! "$MT_WINE" reg query "$uninstall_key" >/dev/null 2>&1 || fail "still in the Apps list"
  pass "the uninstaller removed the folder and the values"
)

# Password mode of the 9x family, for real: Wine reports the 9x family to the saver (its
# version setting for the .scr's name), which loads the recording stand-ins of password.cpl
# and mpr.dll from its folder. A refused password leaves the run as it was; an accepted one
# ends it with status 0, the screen-saver-running flag cleared and the run counted; "/a"
# asks mpr.dll to change the password for the owner window. Wine
# keeps that flag in a volatile registry value and shows top-most as the X window's
# _NET_WM_STATE_ABOVE; the taskbar it does not show (the exit sequence's unit tests hold it).
password_case() (
  running_flag() {
    "$MT_WINE" reg query 'HKCU\Software\Wine\Temporary System Parameters\Control Panel\Desktop' \
      /v WINE_ScreenSaverRunning 2>/dev/null | tr -d '\r' |
      awk '$1 == "WINE_ScreenSaverRunning" { print $3 }'
  }
  on_top() { xprop -id "$wid" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE; }
  dir=$(make_program_folder)
  program_commands "$dir"
  cp "$MT_PASSWORD_DOUBLES/password.cpl" "$MT_PASSWORD_DOUBLES/mpr.dll" "$dir/" ||
    fail "no password stand-ins"
  app='HKCU\Software\Wine\AppDefaults\Marrowtide Gobble-run.scr'
  desktop='HKCU\Control Panel\Desktop'
  trap 'kill "${pid:-}" 2>/dev/null; rm -rf "$dir"
        "$MT_WINE" reg delete "$app" /f >/dev/null 2>&1
        "$MT_WINE" reg delete "$desktop" /v ScreenSaveUsePassword /f >/dev/null 2>&1' EXIT
  "$MT_WINE" reg add "$app" /v Version /d win98 /f >/dev/null &&
    "$MT_WINE" reg add "$app\\DllOverrides" /v mpr /d native /f >/dev/null &&
    "$MT_WINE" reg add "$desktop" /v ScreenSaveUsePassword /d 1 /f >/dev/null ||
    fail "could not set the registry values"
  ini="$dir/rovoradizu.ini"
  write_settings "$ini" 20 0 0 0 5 1
  cp "$ini" "$dir/before.ini"
  windows_dir="Z:${dir//\//\\}"
  export MT_PASSWORD_LOG="$windows_dir\\calls.txt" MT_PASSWORD_ANSWER="$windows_dir\\answer.txt"
  echo wrong >"$dir/answer.txt"
  "${SAVER[@]}" /s &
  pid=$!
  wid=$(wait_for_window '^Form1$') || fail "no scene window"
  sleep 1.5
  [ "$(running_flag)" = 1 ] && on_top || fail "password mode did not set the flag and top-most"
  focus_window "$wid" 10 10
  xdotool key x
  for _ in $(seq $((50 * MT_PATIENCE))); do [ -s "$dir/calls.txt" ] && break; sleep 0.1; done
  grep -qx 'VerifyScreenSavePwd [1-9a-f][0-9a-f]*' "$dir/calls.txt" ||
    fail "the key did not ask for the password: $(cat "$dir/calls.txt" 2>/dev/null)"
  sleep 1
  kill -0 "$pid" 2>/dev/null || fail "a refused password ended the run"
  shot="$MT_SHOTS/wine-password-refused.png"
  screenshot "$dir/a.png"
  sleep 0.5
  screenshot "$shot"
  d=$(differing "$dir/a.png" "$shot")
  [ "$d" != 0 ] || fail "the scene stands still after a refused password"
  cmp "$dir/before.ini" "$ini" || fail "a refused password changed the settings file"
  [ "$(running_flag)" = 1 ] && on_top || fail "a refused password restored the flag or top-most"
  pass "a refused password leaves the run going, on top, the flag set and the counter untouched"

  echo right >"$dir/answer.txt"
  xdotool key x
  ended_with_success "$pid" "an accepted password"
  pid=
  [ "$(grep -c . "$dir/calls.txt")" = 2 ] || fail "calls: $(cat "$dir/calls.txt")"
  sed 's/^appcurrent=0\r$/appcurrent=1\r/' "$dir/before.ini" >"$dir/expected.ini"
  cmp "$dir/expected.ini" "$ini" || fail "settings file: $(cat -A "$ini")"
  [ "$(running_flag)" = 0 ] || fail "the screen-saver-running flag is still set"
  pass "an accepted password ends the run with status 0, the flag cleared and the counter raised"

  "${SAVER[@]}" /a 1234 || fail "/a status $?"
  [ "$(tail -n1 "$dir/calls.txt")" = "PwdChangePasswordA SCRSAVE 4d2 0 00000000" ] ||
    fail "/a 1234: $(tail -n1 "$dir/calls.txt")"
  pass "/a hands the owner window to the family's password change"
)

# MT_WINE_CASES limits the run to the cases it names.
failed=()
run_case() {
  [[ " ${MT_WINE_CASES:-$1} " == *" $1 "* ]] || return 0
  echo "--- $1"
  "${@:2}" || failed+=("$1")
}
# The preview goes first: the first window of a new prefix is the slowest to show.
run_case preview preview_case
run_case scene-appears scene_case appears
run_case scene-click scene_case click
run_case scene-key scene_case key
run_case scene-second scene_case second
run_case scene-missing-background scene_case missing-background
run_case dialog-builder builder_case
run_case referral-submit referral_case
run_case password password_case
run_case installer installer_case
[ ${#failed[@]} = 0 ] || fail "failed: ${failed[*]}"
pass "every Wine case"
