#!/usr/bin/env bash
# Writes the Windows packages into build/packages/: a zip of each program folder and the
# per-user installer of the 32-bit build, which runs on every Windows.
#   make-packages.sh SOURCE-DIR VERSION    (after `make win`)
set -euo pipefail
src=$(cd "$1" && pwd)
version=$2
out="$src/build/packages"
mkdir -p "$out"
for arch in win32 win64; do
  dist="$src/build/$arch/dist"
  [ -f "$dist/Marrowtide Gobble-run.scr" ] || { echo "no $dist: run make win first" >&2; exit 1; }
  zip_file="$out/marrowtide-gobble-run-$version-$arch.zip"
  rm -f "$zip_file"
  # The folder inside the zip carries the program's name, as the installer's does.
  stage=$(mktemp -d)
  trap 'rm -rf "$stage"' EXIT
  cp -a "$dist" "$stage/Marrowtide Gobble-run"
  (cd "$stage" && zip -qrX "$zip_file" "Marrowtide Gobble-run")
  rm -rf "$stage"
  trap - EXIT
done
"$src/packaging/windows/build-installer.sh" "$src/build/win32/dist" \
  "$out/marrowtide-gobble-run-$version-setup.exe" "$version"
ls -l "$out"
