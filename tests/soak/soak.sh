#!/usr/bin/env bash
# Soak test: the real saver full screen at 1920 x 1080 under Xvfb, a click at a random
# place every 100 ms, sound on (SDL's disk driver, so shots and the ambient timer really
# play), resident memory sampled every second. Fails when the run does not end cleanly or
# memory grows after the warm-up by more than the allowance.
#   soak.sh DIST SECONDS [CURVE.csv]   (starts its own Xvfb)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
dist=$(cd "${1:?program folder}" && pwd)
seconds=${2:?seconds}
curve=${3:-/dev/null}
allowance_kb=1024
# Growth counts from the end of the first minute (the first third of shorter runs), when
# every picture, cursor and sound has been loaded and the allocator has settled.
warm_up=$((seconds / 3 < 60 ? seconds / 3 : 60))

if [ -z "${MT_SOAK_INSIDE_XVFB:-}" ]; then
  MT_SOAK_INSIDE_XVFB=1 exec "$here/../support/e2e/with-xvfb" --size 1920x1080 -- "$0" "$@"
fi
export MT_DIST=$dist
source "$here/../support/e2e/e2e_lib.sh"

dir=$(make_program_folder)
trap 'kill "${saver:-}" "${clicker:-}" 2>/dev/null; rm -rf "$dir"' EXIT
write_settings "$dir/rovoradizu.ini" 20 1 0 0 5 0

SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null "$dir/marrowtide-gobble-run" /s 2>"$dir/stderr" &
saver=$!
wait_for_window '^Form1$' 200 >/dev/null || fail "no scene window"

# One xdotool for all clicks: its script holds every click, 100 ms apart.
clicks=$((seconds * 10))
for _ in $(seq "$clicks"); do
  echo "mousemove $((RANDOM % 1900 + 10)) $((RANDOM % 1060 + 10)) click --delay 0 1 sleep 0.1"
done >"$dir/clicks.xdo"
xdotool "$dir/clicks.xdo" &
clicker=$!

rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$saver/status" 2>/dev/null; }
echo "second,rss_kb" >"$curve"
samples=()
for second in $(seq 1 "$seconds"); do
  sleep 1
  kill -0 "$saver" 2>/dev/null || fail "the saver ended after $second s: $(cat "$dir/stderr")"
  rss=$(rss_kb)
  samples+=("$rss")
  echo "$second,$rss" >>"$curve"
  [ $((second % 60)) = 0 ] && echo "soak: ${second} s, resident ${rss} kB"
done
wait "$clicker" 2>/dev/null
clicker=
xdotool mousemove 5 5 key q
ended_with_success "$saver" "a key"
saver=
# SDL's disk driver announces itself on stderr; anything else is a complaint.
complaints=$(grep -v -e 'disk i/o audio driver' -e 'Writing to file' "$dir/stderr")
[ -z "$complaints" ] || fail "the saver said: $complaints"

base=${samples[$((warm_up - 1))]}
last=${samples[$((seconds - 1))]}
peak=$(printf '%s\n' "${samples[@]:$warm_up}" | sort -n | tail -n1)
echo "soak: $clicks clicks in ${seconds} s; resident ${samples[0]} kB at 1 s, $base kB at ${warm_up} s, $last kB at the end, peak after warm-up $peak kB"
[ $((last - base)) -lt "$allowance_kb" ] || fail "resident memory grew by $((last - base)) kB after the warm-up"
pass "no growth: $((last - base)) kB from ${warm_up} s to the end"
