#!/usr/bin/env bash
# A real 20-second run of the screen saver under Xvfb at speed 20: CPU time over wall
# time, the time from start to the first frame on the screen, and peak memory.
#   bench/scene/run-20s.sh [build/linux] [WxH]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build/linux}
size=${2:-1920x1080}
export MT_DIST=$build/dist
exec "$root/tests/support/e2e/with-xvfb" --size "$size" -- bash -c '
  set -euo pipefail
  source "'"$root"'/tests/support/e2e/e2e_lib.sh"
  dir=$(make_program_folder)
  trap "rm -rf $dir" EXIT
  printf "[speed]\nspeed=20\n[soundPlay]\nsoundPlay=1\n[weapon]\nweapon=0\n[applic]\nappdisplay=0\n" >"$dir/rovoradizu.ini"
  export SDL_AUDIODRIVER=dummy
  start=$(date +%s%N)
  "$dir/marrowtide-gobble-run" /s &
  pid=$!
  # The first frame is the whole stage, copied right after the window is shown.
  until xdotool search --onlyvisible --name "^Form1$" >/dev/null 2>&1; do sleep 0.005; done
  shown=$(date +%s%N)
  t0=$(date +%s%N)
  read -r -a s0 < <(cut -d" " -f14,15 /proc/$pid/stat)
  sleep 20
  read -r -a s1 < <(cut -d" " -f14,15 /proc/$pid/stat)
  t1=$(date +%s%N)
  hwm=$(awk "/VmHWM/ { print \$2 }" /proc/$pid/status)
  xdotool mousemove 5 5 key q
  wait $pid
  hz=$(getconf CLK_TCK)
  awk -v u=$(( (s1[0] - s0[0]) + (s1[1] - s0[1]) )) -v hz=$hz -v wall=$(( t1 - t0 )) \
      -v first=$(( shown - start )) -v hwm=$hwm -v size='"$size"' "BEGIN {
    cpu = u / hz; w = wall / 1e9
    printf \"screen %s, speed 20, %.1f s\\n\", size, w
    printf \"cpu time %.2f s, cpu/wall %.3f of one core\\n\", cpu, cpu / w
    printf \"start to first frame %.0f ms\\n\", first / 1e6
    printf \"peak memory (VmHWM) %.1f MB\\n\", hwm / 1024
  }"
'
