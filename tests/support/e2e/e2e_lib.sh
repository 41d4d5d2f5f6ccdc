# Shared helpers for the end-to-end tests (source it; it needs DISPLAY from with-xvfb).
#   MT_DIST      the built program folder (passed by CTest)
#   MT_WINE      the Wine loader when MT_DIST is a Windows program folder (WINEPREFIX set);
#                the same tests then run the Windows programs
#   MT_PATIENCE  a factor for every wait (Wine starts programs more slowly)

fail() { echo "FAIL: $*" >&2; exit 1; }
pass() { echo "ok: $*"; }

# A fresh copy of the program folder in a temporary place; prints its path.
make_program_folder() {
  local dir
  dir=$(mktemp -d /tmp/mt-e2e-XXXXXX)
  cp -a "$MT_DIST/." "$dir/"
  echo "$dir"
}

# Sets SAVER and COMPANION to the commands that start the programs of a folder.
program_commands() {
  if [ -n "${MT_WINE:-}" ]; then
    SAVER=("$MT_WINE" "$1/Marrowtide Gobble-run.scr")
    COMPANION=("$MT_WINE" "$1/MarrowtideEmail.exe")
  else
    SAVER=("$1/marrowtide-gobble-run")
    COMPANION=("$1/MarrowtideEmail")
  fi
}

# Waits until a visible window whose name matches appears; prints its id.
wait_for_window() {
  local pattern=$1 tries=$((${2:-100} * ${MT_PATIENCE:-1})) id
  for _ in $(seq "$tries"); do
    id=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -n1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# Waits until a process has ended; fails the test after the timeout (tenths of a second).
wait_for_exit() {
  local pid=$1 tries=$((${2:-100} * ${MT_PATIENCE:-1}))
  for _ in $(seq "$tries"); do
    kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.1
  done
  return 1
}

# The whole screen as a PNG.
screenshot() { import -window root "$1"; }

# One pixel of a PNG as "r,g,b".
pixel_at() {
  /usr/bin/convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}

# Reads one key of an INI file (first match, no case folding needed for our own files).
ini_value() {
  awk -F= -v s="[$2]" -v k="$3" '
    { sub(/\r$/, "") }
    /^\[/ { in_s = ($0 == s); next }
    in_s && $1 == k { print substr($0, length($1) + 2); exit }' "$1"
}

# Sets wx, wy to a window's client-area position on the screen, puts the pointer inside it
# at (dx, dy) and gives it the keyboard focus (without a window manager focus follows the
# pointer, and windowactivate is not available).
focus_window() {
  local wid=$1 dx=$2 dy=$3 X Y WIDTH HEIGHT SCREEN
  eval "$(xdotool getwindowgeometry --shell "$wid")"
  wx=$X
  wy=$Y
  xdotool mousemove $((wx + dx)) $((wy + dy))
  xdotool windowfocus --sync "$wid"
  sleep 0.2
}
