#!/usr/bin/env bash
# A real run of the screen saver under a private Xvfb, sound off, measured from outside:
#   bench/scene/real-run.sh BUILD_DIR WxH SPEED SECONDS [PROGRAM_FOLDER]
# Prints "key value" lines:
#   saver_cpu, xserver_cpu   CPU time over wall time (share of one core) while it runs
#   fps                      frames a second over the same time (frame_probe.cpp)
#   first_frame_ms           from the start of the process to the whole stage on screen
#   peak_mb                  the saver's peak resident memory (VmHWM)
#   x_writes_per_frame       write calls to the X connection per frame, from a second run
#                            of the same length under strace (strace slows the saver, so
#                            the first run is not traced)
# PROGRAM_FOLDER defaults to BUILD_DIR/dist; the probe is BUILD_DIR/bench/scene/.
set -euo pipefail
build=$(cd "$1" && pwd)
size=$2
speed=$3
seconds=$4
dist=${5:-$build/dist}
probe=$build/bench/scene/libframe_probe.so
[ -x "$dist/marrowtide-gobble-run" ] || { echo "no program in $dist" >&2; exit 1; }
[ -f "$probe" ] || { echo "no probe at $probe" >&2; exit 1; }

work=$(mktemp -d /tmp/mt-real-run-XXXXXX)
xvfb_pid=
saver_pid=
cleanup() {
  [ -n "$saver_pid" ] && kill "$saver_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# Xvfb of our own, so its CPU time is ours to read.
mkfifo "$work/fifo"
Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset 3>"$work/fifo" 2>/dev/null &
xvfb_pid=$!
read -r display <"$work/fifo"
export DISPLAY=":$display"
export SDL_AUDIODRIVER=dummy

mkdir "$work/program"
cp -a "$dist/." "$work/program/"
printf '[speed]\nspeed=%s\n[soundPlay]\nsoundPlay=0\n[weapon]\nweapon=0\n[applic]\nappdisplay=0\n' \
  "$speed" >"$work/program/rovoradizu.ini"

ticks() { cut -d' ' -f14,15 "/proc/$1/stat" | awk '{ print $1 + $2 }'; }
now_ns() { date +%s%N; }

# Starts the saver (optionally under a tracer), waits for its first frame and lets it run.
# Sets saver_pid, start_ns, t0, t1, cpu and server ticks over [t0, t1].
run_saver() {
  local probe_out=$1 trace=${2:-}
  local env=(MT_PROBE_OUT="$probe_out" LD_PRELOAD="$probe")
  start_ns=$(now_ns)
  if [ -n "$trace" ]; then
    # The probe goes to the saver only, not to strace.
    strace -f -ttt -yy -e trace=write,writev,sendmsg,sendto -o "$trace" \
      "${env[@]/#/-E}" "$work/program/marrowtide-gobble-run" /s &
  else
    env "${env[@]}" "$work/program/marrowtide-gobble-run" /s &
  fi
  saver_pid=$!
  # Under strace the saver is strace's child, once strace has started it.
  traced_pid=$saver_pid
  if [ -n "$trace" ]; then
    traced_pid=
    for _ in $(seq 500); do
      traced_pid=$(pgrep -P "$saver_pid" -x marrowtide-gobb | head -n1 || true)
      [ -n "$traced_pid" ] && break
      sleep 0.01
    done
  fi
  until xdotool search --onlyvisible --name "^Form1$" >/dev/null 2>&1; do sleep 0.01; done
  sleep 0.5
  t0=$(now_ns)
  s0=$(ticks "$traced_pid")
  x0=$(ticks "$xvfb_pid")
  sleep "$seconds"
  s1=$(ticks "$traced_pid")
  x1=$(ticks "$xvfb_pid")
  t1=$(now_ns)
  peak_kb=$(awk '/VmHWM/ { print $2 }' "/proc/$traced_pid/status")
  server_sockets=$(find "/proc/$xvfb_pid/fd" -type l -printf '%l\n' 2>/dev/null |
                   sed -n 's/^socket:\[\([0-9]*\)\]$/\1/p' | tr '\n' ' ')
  xdotool mousemove 5 5 key q
  for _ in $(seq 100); do kill -0 "$saver_pid" 2>/dev/null || break; sleep 0.1; done
  kill "$saver_pid" 2>/dev/null || true
  wait "$saver_pid" 2>/dev/null || true
  saver_pid=
}

hz=$(getconf CLK_TCK)

run_saver "$work/probe1"
awk -v s=$((s1 - s0)) -v x=$((x1 - x0)) -v hz="$hz" -v wall=$((t1 - t0)) \
    -v start="$start_ns" -v t0="$t0" -v t1="$t1" -v kb="$peak_kb" '
  $1 == "first_frame_ns" { first = $2 }
  $1 == "frame" && $2 >= t0 && $2 <= t1 { if (!n++) a = $2; b = $2 }
  END {
    printf "saver_cpu %.4f\n", s / hz / (wall / 1e9)
    printf "xserver_cpu %.4f\n", x / hz / (wall / 1e9)
    printf "fps %.2f\n", (n > 1 ? (n - 1) / ((b - a) / 1e9) : 0)
    printf "first_frame_ms %.0f\n", (first > 0 ? (first - start) / 1e6 : -1)
    printf "peak_mb %.1f\n", kb / 1024
  }' "$work/probe1"

# The traced run: write calls on any socket whose peer is one of the X server's, between
# the first and the last frame.
run_saver "$work/probe2" "$work/trace"
awk -v sockets="$server_sockets" '
  BEGIN { n = split(sockets, list, " "); for (i = 1; i <= n; ++i) server[list[i]] = 1 }
  FILENAME ~ /probe2$/ {
    if ($1 == "frame") { frame[frames++] = $2 }
    next
  }
  {
    if (!match($0, /<UNIX-STREAM:\[[0-9]+->[0-9]+/)) next
    s = substr($0, RSTART, RLENGTH); sub(/.*->/, "", s)
    if (!(s in server)) next
    t = $2 * 1e9
    if (frames > 1 && t >= frame[0] && t < frame[frames - 1]) ++writes
  }
  END { printf "x_writes_per_frame %.2f\n", (frames > 1 ? writes / (frames - 1) : -1) }
' "$work/probe2" "$work/trace"
