#!/usr/bin/env bash
# The Debian package: built by CPack from the build tree, it holds the installed layout,
# names the libraries both programs load, carries copyright and changelog, has stripped
# programs, and lintian finds no error in it.
#   package_test.sh   (MT_BUILD_DIR from CTest)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../support/e2e/e2e_lib.sh"
source "$here/desktop_lib.sh"

work=$(mktemp -d /tmp/mt-package-XXXXXX)
trap 'rm -rf "$work"' EXIT
(cd "$MT_BUILD_DIR" && cpack -G DEB -B "$work/cpack" >"$work/cpack.log" 2>&1) ||
  fail "cpack failed: $(tail -20 "$work/cpack.log")"
deb=$(ls "$work"/cpack/marrowtide-gobble-run_*_*.deb 2>/dev/null | head -n1)
[ -n "$deb" ] || fail "no marrowtide-gobble-run_<version>_<arch>.deb: $(ls "$work/cpack")"

dpkg-deb -x "$deb" "$work/root"
cmake --install "$MT_BUILD_DIR" --prefix "$work/installed/usr" >/dev/null
(cd "$work/root" && find . ! -type d | sort) >"$work/package.list"
(cd "$work/installed" && find . ! -type d | sort) >"$work/install.list"
diff "$work/install.list" "$work/package.list" || fail "the package's files differ from the install"
for f in marrowtide-gobble-run MarrowtideEmail; do
  file "$work/root/usr/lib/marrowtide-gobble-run/$f" | grep -q ', stripped' || fail "$f is not stripped"
done
[ -f "$work/root/usr/share/doc/marrowtide-gobble-run/copyright" ] || fail "no copyright file"
zcat "$work/root/usr/share/doc/marrowtide-gobble-run/changelog.Debian.gz" | head -n1 |
  grep -q '^marrowtide-gobble-run (' || fail "no changelog"

depends=$(dpkg-deb -f "$deb" Depends)
for lib in libsdl2-2.0-0 libsdl2-mixer-2.0-0 libfltk1.3 libx11-6 libstdc++6 libc6 \
  fonts-liberation2 xdg-utils; do
  case ", $depends" in *", $lib"*) ;; *) fail "Depends lacks $lib: $depends" ;; esac
done
pass "package layout, stripped programs, copyright, changelog, dependencies: $depends"

lintian --no-tag-display-limit "$deb" >"$work/lintian.log" 2>&1
if grep -q '^E:' "$work/lintian.log"; then
  fail "lintian errors: $(grep '^E:' "$work/lintian.log")"
fi
pass "lintian: no error ($(grep -c '^W:' "$work/lintian.log") warnings)"
