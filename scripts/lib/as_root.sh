# Runs the few steps that need root (apt, mmdebstrap, chroot, binfmt_misc) as root: directly
# when the script already runs as root, else through sudo. Everything else, and every file the
# scripts leave under build/, stays the invoking user's. Sourced.
as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  elif command -v sudo > /dev/null; then
    sudo -- "$@"
  else
    echo "this step needs root and there is no sudo: $*" >&2
    return 1
  fi
}

# Hands a tree that a root step made back to the invoking user (nothing to do as root).
give_back() {  # path...
  [ "$(id -u)" -eq 0 ] || as_root chown -R --no-dereference "$(id -u):$(id -g)" "$@"
}
