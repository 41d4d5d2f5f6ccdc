# Helpers for the tests of the installed program (source after e2e_lib.sh).
#   MT_BUILD_DIR   the build tree to install from (passed by CTest)

# Installs into a fresh folder that only root may write, as a system-wide install is;
# prints the prefix.
install_prefix() {
  local prefix
  prefix=$(mktemp -d /tmp/mt-install-XXXXXX)
  chmod 755 "$prefix"
  cmake --install "$MT_BUILD_DIR" --prefix "$prefix/usr" >/dev/null || fail "cmake --install failed"
  echo "$prefix"
}

# The tests that need a user who may not write the program folder run only as root.
need_root() {
  [ "$(id -u)" = 0 ] || { echo "skipped: needs root to act as another user"; exit 77; }
}

# Runs a command as the unprivileged user "nobody" with its own HOME.
as_nobody() {
  local home=$1
  shift
  setpriv --reuid=65534 --regid=65534 --clear-groups \
    env -u XDG_CONFIG_HOME HOME="$home" "$@"
}

# A folder that "nobody" owns.
nobody_home() {
  local home
  home=$(mktemp -d /tmp/mt-home-XXXXXX)
  chown 65534:65534 "$home"
  echo "$home"
}
