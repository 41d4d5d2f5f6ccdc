#!/usr/bin/env bash
# Runs every benchmark of a build tree and writes docs/performance.md from what they
# measured, with the report's summary line also in the README; nothing in the report is
# typed by hand.
#   tools/run-benchmarks.sh [build/linux] [seconds of each real run, default 20]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/linux}" && pwd)
seconds=${2:-20}
report=$root/docs/performance.md
work=$(mktemp -d /tmp/mt-bench-XXXXXX)
trap 'rm -rf "$work"' EXIT

for b in graphics/bench_graphics scene/bench_scene scene/libframe_probe.so; do
  [ -e "$build/bench/$b" ] || { echo "missing $build/bench/$b: build first" >&2; exit 1; }
done
load_before=$(cut -d' ' -f1-3 /proc/loadavg)

echo "== blits" >&2
"$build/bench/graphics/bench_graphics" --benchmark_filter='Memcpy|BitBlt|Pixman' \
  --benchmark_min_time=0.5 --benchmark_format=csv >"$work/blits.csv"
echo "== frames" >&2
"$build/bench/scene/bench_scene" --benchmark_min_time=2 --benchmark_format=csv >"$work/frames.csv"
for run in "1920x1080 20" "1920x1080 70" "3840x2160 70"; do
  echo "== real run $run" >&2
  set -- $run
  "$root/bench/scene/real-run.sh" "$build" "$1" "$2" "$seconds" >"$work/real-$1-$2.txt"
done
load_after=$(cut -d' ' -f1-3 /proc/loadavg)

# CSV rows: "name",iterations,real,cpu,unit,bytes/s,items/s,label,error,message,counters...
blits() {
  awk -F, '
    NR > 1 && $1 ~ /^"BM_/ {
      name = $1; gsub(/"/, "", name); split(name, part, "/")
      rate[part[1] "|" part[2] "x" part[3]] = $NF
    }
    END {
      n = split("BitBlt_SRCCOPY:PixmanBlt BitBlt_SRCAND:PixmanAdd BitBlt_SRCPAINT:PixmanAdd " \
                "BitBlt_SRCINVERT:PixmanAdd", ops, " ")
      m = split("64x64 256x256 1920x1080", sizes, " ")
      print "| operation | size | ours, MPix/s | memcpy, MPix/s | pixman, MPix/s | pixman operation | ours ÷ memcpy | ours ÷ pixman |"
      print "|---|---|---:|---:|---:|---|---:|---:|"
      for (i = 1; i <= n; ++i) {
        split(ops[i], pair, ":")
        for (j = 1; j <= m; ++j) {
          ours = rate["BM_" pair[1] "|" sizes[j]]; mem = rate["BM_Memcpy|" sizes[j]]
          pix = rate["BM_" pair[2] "|" sizes[j]]
          op = pair[2] == "PixmanBlt" ? "pixman_blt" : "composite32, OP_ADD, x8r8g8b8"
          label = pair[1]; sub(/BitBlt_/, "", label)
          printf "| %s | %s | %.0f | %.0f | %.0f | %s | %.2f | %.2f |\n", label, sizes[j], ours,
                 mem, pix, op, ours / mem, ours / pix
        }
      }
    }' "$work/blits.csv"
}

frames() {
  awk -F, '
    NR > 1 && $1 ~ /^"BM_/ {
      name = $1; gsub(/"/, "", name); split(name, part, "/")
      size = part[2] " × " part[3]; cpu[part[1] "|" size] = $4
      if (!(size in seen)) { seen[size] = 1; order[++n] = size }
    }
    END {
      print "| screen | program, µs a frame | literal steps, µs a frame | program ÷ literal |"
      print "|---|---:|---:|---:|"
      for (i = 1; i <= n; ++i) {
        p = cpu["BM_ProgramFrame|" order[i]]; l = cpu["BM_LiteralFrame|" order[i]]
        printf "| %s | %.0f | %.0f | %.2f |\n", order[i], p, l, p / l
      }
    }' "$work/frames.csv"
}

value() { awk -v k="$2" '$1 == k { print $2 }' "$work/real-$1.txt"; }

real_runs() {
  echo "| screen | speed | saver CPU, share of one core | X server CPU | frames/s (period) | X write calls a frame | start to first frame | peak memory |"
  echo "|---|---:|---:|---:|---:|---:|---:|---:|"
  for run in 1920x1080-20 1920x1080-70 3840x2160-70; do
    local size=${run%-*} speed=${run#*-} fps
    fps=$(value "$run" fps)
    printf '| %s | %s | %s | %s | %s (%s ms) | %s | %s ms | %s MB |\n' "${size/x/ × }" "$speed" \
      "$(value "$run" saver_cpu)" "$(value "$run" xserver_cpu)" "$fps" \
      "$(awk -v f="$fps" 'BEGIN { printf "%.1f", (f > 0 ? 1000 / f : 0) }')" \
      "$(value "$run" x_writes_per_frame)" "$(value "$run" first_frame_ms)" \
      "$(value "$run" peak_mb)"
  done
}

ratio_1080=$(frames | awk -F'|' '$2 ~ /1920/ { gsub(/ /, "", $5); print $5 }')
summary="At 1920 × 1080 and speed 20 the saver uses $(value 1920x1080-20 saver_cpu) of one core \
(the X server $(value 1920x1080-20 xserver_cpu)), makes $(value 1920x1080-20 x_writes_per_frame) \
write calls to the X server a frame and shows its first frame $(value 1920x1080-20 first_frame_ms) ms \
after starting; a frame costs $ratio_1080 of the literal frame steps' CPU time."

mkdir -p "$root/docs"
{
  echo "# Performance"
  echo
  echo "Written by \`make bench\` ($(basename "$0")) on $(date -u '+%Y-%m-%d %H:%M UTC'); every figure"
  echo "comes from that run."
  echo
  echo "**Summary.** $summary"
  echo
  echo "Machine: $(lscpu | sed -n 's/^Model name: *//p' | head -n1), $(nproc) cores seen,"
  echo "$(awk '/MemTotal/ { printf "%.1f GB", $2 / 1048576 }' /proc/meminfo) memory, Linux $(uname -r),"
  echo "Debian $(cat /etc/debian_version 2>/dev/null || echo '?'). Load average $load_before before the"
  echo "run and $load_after after it: on a shared machine every figure is CPU time, not wall time."
  echo
  echo "## Blits"
  echo
  echo "The software GDI's BitBlt on a rectangle inside larger surfaces (rows one by one, as a"
  echo "sprite's are), beside \`memcpy\` of the same bytes and pixman doing the same job on the"
  echo "same geometry: \`pixman_blt\` for SRCCOPY, and a one-pass \`pixman_image_composite32\` with"
  echo "\`PIXMAN_OP_ADD\` on x8r8g8b8 for the bitwise operations. Millions of pixels per second of"
  echo "CPU time (\`bench/graphics\`)."
  echo
  blits
  echo
  echo "## Frame cost"
  echo
  echo "One frame of the real scene without a display (the screen is a memory bitmap), the shipped"
  echo "pictures, a click every 16 frames, CPU time (\`bench/scene\`). *Program* is the saver's own"
  echo "frame, which redoes of the fixed sprites only the parts that something moving reaches; *literal steps*"
  echo "restore, save, draw and copy every sprite in every frame."
  echo
  frames
  echo
  echo "## Real runs"
  echo
  echo "The built saver full screen under a private Xvfb of the given size, sound off, for"
  echo "$seconds seconds after its first frame (\`bench/scene/real-run.sh\`). CPU shares are CPU"
  echo "time over wall time from \`/proc\`; frames are counted, and the first frame timed, by a"
  echo "preloaded probe on SDL's present and wait calls; X write calls are the \`write\`,"
  echo "\`writev\`, \`sendmsg\` and \`sendto\` calls on the saver's connections to the X server in a"
  echo "second run of the same length under \`strace\`; peak memory is the saver's VmHWM."
  echo
  real_runs
} >"$report"

# The README quotes the summary line between its markers.
if grep -q '<!-- performance-summary -->' "$root/README.md"; then
  awk -v line="$summary" '
    /<!-- performance-summary -->/ { print; print "> " line; skip = 1; next }
    /<!-- \/performance-summary -->/ { skip = 0 }
    !skip' "$root/README.md" >"$work/README.md"
  cat "$work/README.md" >"$root/README.md"
fi
cat "$report"
