#!/usr/bin/env bash
# Makes the per-user installer of a Windows program folder with Debian's makensis.
#   build-installer.sh PROGRAM-FOLDER INSTALLER-FILE VERSION
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
makensis -V2 -NOCD -DDIST="$(cd "$1" && pwd)" -DASSETS="$here/../../assets/gobblerun" \
  -DVERSION="$3" -DOUTFILE="$2" "$here/installer.nsi"
