# Helpers for the referral program's end-to-end tests (source after e2e_lib.sh).
#   MT_SITE_URL   the maker's address the program was built with (passed by CTest)

# A fresh program folder with a stand-in opener recording into $opened.
setup_referral() {
  dir=$(make_program_folder)
  program_commands "$dir"
  trap 'kill "${pid:-}" 2>/dev/null || true; rm -rf "$dir"' EXIT
  opened="$dir/opened.txt"
  opener_stand_in "$dir" "$opened"
  export MT_DIALOG_FIT_REPORT=1
}

# Starts the form; sets pid, wid and the client area's screen position wx, wy.
start_form() {
  "${COMPANION[@]}" 2>"$dir/stderr.txt" &
  pid=$!
  wid=$(wait_for_window '^Marrowtide gobble-run Screen Saver$') || fail "the form did not open"
  focus_window "$wid" 200 20
}

# Clicks at a position given relative to the form's client area.
click_form() {
  xdotool mousemove $((wx + $1)) $((wy + $2)) click 1
  sleep 0.2
}

# The form's controls, by the centre of their layout rectangles (frame offset 16, 77).
click_submit() { click_form $((312 + 36)) $((448 + 12)); }
click_never_show() { click_form $((16 + 44)) $((448 + 12)); }
click_friend1() { click_form $((16 + 72 + 80)) $((77 + 40 + 9)); }

# The caption of the form's message boxes.
message_box_id() { xdotool search --onlyvisible --name '^Marrowtide Gobble-run$' 2>/dev/null | head -n1; }

expect_no_fit_complaints() {
  if grep -q "caption does not fit" "$dir/stderr.txt"; then
    cat "$dir/stderr.txt" >&2
    fail "a caption is clipped"
  fi
}

# Types friend 1, the first name and the own address, moving on in the tab order.
type_entries() {  # friend1 first-name own-address
  xdotool type --delay 20 "$1"
  xdotool key Tab Tab Tab Tab Tab
  xdotool type --delay 20 "$2"
  xdotool key Tab Tab Tab
  xdotool type --delay 20 "$3"
}
