#!/usr/bin/env bash
# The layering rules of the source tree:
#  - only platform/ includes operating-system or toolkit headers;
#  - the referral program includes nothing of the screen saver;
#  - the graphics toolkit knows nothing of the scene, the scene nothing of the dialogs' code.
set -uo pipefail
root=${1:?source root}
cd "$root"
status=0
os_headers='#include <(windows\.h|SDL[^>]*|FL/[^>]*|X11/[^>]*|unistd\.h|sys/[^>]*|spawn\.h|fcntl\.h|dirent\.h|pthread\.h|signal\.h)>'

hits=$(grep -rnE "$os_headers" common saver referral 2>/dev/null)
if [ -n "$hits" ]; then
  echo "OS or toolkit headers outside platform/:"; echo "$hits"; status=1
fi
hits=$(grep -rnE '#include "saver/' referral 2>/dev/null)
if [ -n "$hits" ]; then
  echo "referral/ includes the screen saver:"; echo "$hits"; status=1
fi
hits=$(grep -rnE '#include "saver/(scene|windows|host)/' saver/graphics 2>/dev/null)
if [ -n "$hits" ]; then
  echo "the graphics toolkit reaches up a layer:"; echo "$hits"; status=1
fi
hits=$(grep -rnE '#include "(saver|referral)/' platform common 2>/dev/null)
if [ -n "$hits" ]; then
  echo "platform/ or common/ depends on the programs:"; echo "$hits"; status=1
fi
[ $status = 0 ] && echo "1 passed, 0 failed" || echo "0 passed, 1 failed"
exit $status
