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

# True while the process runs; one that has ended but nobody has reaped yet counts as ended.
running() {
  local state
  state=$(sed -n 's/.*) \(.\).*/\1/p' "/proc/$1/stat" 2>/dev/null)
  [ -n "$state" ] && [ "$state" != Z ]
}

# Waits until a process has ended; false after the timeout (tenths of a second).
wait_for_exit() {
  local pid=$1 tries=$((${2:-100} * ${MT_PATIENCE:-1}))
  for _ in $(seq "$tries"); do
    running "$pid" || return 0
    sleep 0.1
  done
  return 1
}

# Waits until a child process has ended and checks that it ended with status 0.
ended_with_success() {  # pid what
  wait_for_exit "$1" 50 || fail "$2: the program did not end"
  local status=0
  wait "$1" || status=$?
  [ "$status" = 0 ] || fail "$2: exit status $status"
}

# A settings file as installed (CRLF, a comment first).
write_settings() {  # file speed soundPlay weapon appcurrent appalert appdisplay
  local file=$1
  shift
  printf '; installed settings\r\n[speed]\r\nspeed=%s\r\n[soundPlay]\r\nsoundPlay=%s\r\n[weapon]\r\nweapon=%s\r\n[applic]\r\nappcurrent=%s\r\nappalert=%s\r\nappdisplay=%s\r\n' \
    "$@" >"$file"
}

# A stand-in browser opener first on the PATH: it appends each address it is asked to
# open to a file, one a line.
opener_stand_in() {  # folder-for-it record-file
  mkdir -p "$1/bin"
  printf '#!/bin/sh\nprintf "%%s\\n" "$*" >>"%s"\n' "$2" >"$1/bin/xdg-open"
  chmod +x "$1/bin/xdg-open"
  export PATH="$1/bin:$PATH"
}

# Differing pixels between two images, or between the same region (WxH+X+Y) of both.
differing() {
  { /usr/bin/compare -metric AE "$1${3:+[$3]}" "$2${3:+[$3]}" null: 2>&1 || true; } |
    awk '{ printf "%d", $1 }'
}

# Differing pixels between a region of a screenshot and the background picture tiled from
# the screen's corner or from the given origin (+X+Y).
differs_from_background() {  # screenshot region asset-folder [origin]
  local W H
  read -r W H < <(xdotool getdisplaygeometry)
  /usr/bin/convert -size "${W}x${H}" "tile:$3/background.bmp" -roll "${4:-+0+0}" "$1.bg.png"
  differing "$1" "$1.bg.png" "$2"
}

# Pixels of a region (WxH+X+Y) of an image that pass an fx test.
pixels_passing() {  # image region test
  /usr/bin/convert "$1" -crop "$2" +repage -fx "$3" -format '%[fx:round(mean*w*h)]' info:
}

# Pixels of a picture file that differ from the same-sized region of an image at X,Y.
picture_differs() {  # image picture x y
  local w h
  read -r w h < <(/usr/bin/identify -format '%w %h\n' "$2")
  differing "$2" "$1[${w}x${h}+$3+$4]"
}

# The scene laid out for a window of the given size at the screen's corner: the logo at
# its bottom right, the big tree at its bottom left; neither region is plain background.
expect_laid_out_for() {  # screenshot width height asset-folder
  [ "$(differs_from_background "$1" "200x60+$(($2 - 250))+$(($3 - 80))" "$4")" -gt 1000 ] ||
    fail "no logo at the window's bottom right"
  [ "$(differs_from_background "$1" "60x200+120+$(($3 - 220))" "$4")" -gt 1000 ] ||
    fail "no tree at the window's bottom left"
}

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
