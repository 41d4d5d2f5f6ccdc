#!/bin/sh
# A still of the full-screen scene built from the shipped files, laid out as the frame loop
# places them, for judging the art at its real size.
# Usage: mock-scene.sh <asset folder> <width> <height> <output .png>
set -eu
a=$1
W=$2
H=$3
out=$4
im=/usr/bin/convert
size() { /usr/bin/identify -format "$2" "$a/$1"; }
tw=$(size tree.bmp %w); th=$(size tree.bmp %h)
lw=$(size logo.bmp %w); lh=$(size logo.bmp %h)
cell=$(size bomb.bmp %h)

sprite() {  # file, cell index from 0 (or -), x, y
  if [ "$2" = - ]; then crop=""; else crop="-crop ${cell}x${cell}+$(($2 * cell))+0 +repage"; fi
  # shellcheck disable=SC2086
  printf '( %s %s -transparent #00FF00 ) -geometry +%s+%s -composite ' "$a/$1" "$crop" "$3" "$4"
}

args="-size ${W}x${H} tile:$a/background.bmp "
args="$args$(sprite grassPatchRight.bmp - $((2 * W / 3)) $((2 * H / 3)))"
args="$args$(sprite grassPatch.bmp - 100 100)"
i=0
# A fixed spread of turkeys in every pose, both directions.
for turkey in "R 0 300 200" "L 1 520 330" "R 1 760 180" "L 0 640 520" "R 2 380 560" "L 3 870 420" \
            "R 4 220 420" "L 0 1200 250" "R 1 1400 600" "L 1 1050 760" "R 0 1600 420" "L 4 700 900" \
            "R 3 1300 900" "L 2 150 700"; do
  set -- $turkey
  x=$(($3 * W / 1920)); y=$(($4 * H / 1080))
  if [ "$1" = R ]; then f=turkeyRight.bmp; else f=turkeyLeft.bmp; fi
  args="$args$(sprite $f $2 $x $y)"
  i=$((i + 1))
done
args="$args$(sprite bomb.bmp 2 $((W / 2)) $((H / 3)))"
args="$args$(sprite logo.bmp - $((W - lw - 5)) $((H - lh - 3)))"
args="$args$(sprite tree.bmp - 30 $((H - th - 2)))"
args="$args$(sprite treeSmall.bmp - $((W - tw)) 0)"
# shellcheck disable=SC2086
$im $args -define png:exclude-chunks=date,time -strip "$out"
