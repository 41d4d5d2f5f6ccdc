#!/bin/sh
# Every shipped picture and cursor, enlarged, on one neutral sheet: the quick way to look
# at all the art at once. Usage: contact-sheet.sh <asset folder> <output .png>
# Sprite sheets show their transparent key colour as the sheet's grey.
set -eu
assets=$1
out=$2
magick_dir=/usr/bin
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

n=0
add() {  # file, enlargement in percent, key colour transparent (yes/no)
  n=$((n + 1))
  name=$(basename "$1")
  if [ "$3" = yes ]; then key="-transparent #00FF00"; else key=""; fi
  # shellcheck disable=SC2086
  "$magick_dir/convert" "$1" $key -filter point -resize "$2%" \
    -background '#8c8c8c' -flatten -bordercolor '#8c8c8c' -border 6 \
    -gravity South -splice 0x18 -fill '#1e1e1e' -pointsize 13 -annotate +0+3 "$name" \
    "$work/$(printf %02d $n).png"
}

for f in turkeyRight turkeyLeft bomb logo grassPatch grassPatchRight; do
  add "$assets/$f.bmp" 200 yes
done
add "$assets/tree.bmp" 100 yes
add "$assets/treeSmall.bmp" 100 yes
add "$assets/background.bmp" 100 no
for f in preview settingsPicture referralPicture; do add "$assets/$f.bmp" 200 no; done
for f in weaponShotgun weaponFlame weaponRifle settingsIcon previewIcon referralIcon; do
  add "$assets/$f.bmp" 400 no
done
for f in scopeShot scopeFlame scopeRifle saverDesign; do add "$assets/$f.cur" 400 no; done

"$magick_dir/montage" "$work"/*.png -mode concatenate -tile 4x -geometry +8+8 \
  -background '#8c8c8c' -define png:exclude-chunks=date,time -strip "$out"
