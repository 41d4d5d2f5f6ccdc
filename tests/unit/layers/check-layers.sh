#!/usr/bin/env bash
# The include rules of the program code (common/, platform/, saver/, referral/):
#  - nothing outside platform/ includes an operating-system or toolkit header;
#  - each folder includes only from itself and the folders listed for it below. So
#    referral/ never includes saver/, and the layers run one way: the host, the scene and
#    the dialogs over the graphics toolkit and the stored layouts, all over platform/ and
#    common/. The host starts the scene and the dialogs through its Form interface only.
# Includes without a folder in them (a header beside the file) are always allowed.
set -uo pipefail
root=${1:?source root}
cd "$root"
failed=0

report() {  # report TITLE HITS
  [ -z "$2" ] && return
  echo "$1:"
  echo "$2"
  failed=$((failed + 1))
}

os_headers='#include <(windows\.h|SDL[^>]*|FL/[^>]*|X11/[^>]*|unistd\.h|sys/[^>]*|spawn\.h|fcntl\.h|dirent\.h|pthread\.h|signal\.h)>'
report "OS or toolkit headers outside platform/" "$(grep -rnE "$os_headers" common saver referral)"

# may_include FOLDER ALLOWED-PREFIX...: a layouts/ folder inside FOLDER has a rule of its own.
may_include() {
  local folder=$1
  shift
  local allowed hits
  allowed=$(IFS='|'; echo "$*")
  hits=$(find "$folder" -path "$folder/layouts" -prune -o -type f -print0 |
         xargs -0 grep -nE '#include "[^"]*/' | grep -vE "#include \"($allowed)/")
  report "$folder includes what lies above it or beside it" "$hits"
}

may_include common common
# platform/'s own headers are included by their folder inside it (internal/, core/, sdl/...).
may_include platform platform common portable internal core gdi ui sdl fltk x11
may_include saver/windows/layouts saver/windows/layouts common
may_include saver/graphics saver/graphics platform common
may_include saver/host saver/host saver/windows/layouts platform common
may_include saver/scene saver/scene saver/host saver/graphics saver/windows/layouts platform common
may_include saver/windows saver/windows saver/host saver/graphics platform common
may_include referral referral platform common

[ $failed = 0 ] && echo "1 passed, 0 failed" || echo "0 passed, 1 failed"
[ $failed = 0 ]
