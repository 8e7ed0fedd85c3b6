# The 32-bit Wine that scripts/test-windows32 runs the shipped rolvi.exe with, kept apart from
# this machine: a Debian root of its own under build/wine32/root, made once with mmdebstrap
# (i386 added inside it, wine32:i386 and its libraries installed there with apt) and reused.
# The host's package system and foreign architectures are never touched. Sourced, after
# scripts/lib/debian.sh and scripts/lib/as_root.sh, with $repo the repository.
#
# Where the kernel does not run 32-bit programs, the static qemu-i386 of the release's
# backports suite runs them through a binfmt_misc entry that hands every i386 ELF file to it
# (Wine starts its own child processes). That entry is the kernel's, so it is registered only
# while a script needs it and removed when it ends (binfmt_misc is unmounted again if it had
# to be mounted).

wine32_base="$repo/build/wine32"
wine32_root="$wine32_base/root"
wine32_loader=/usr/lib/wine/wine
wine32_server=/usr/lib/wine/wineserver32
wine32_binfmt=/proc/sys/fs/binfmt_misc
wine32_entry=rolvi-wine32-qemu
wine32_mounted_binfmt=0
wine32_registered=0

wine32_say() { echo "-- wine32: $*"; }
wine32_fail() {
  echo "wine32: FAILED: $*" >&2
  exit 1
}

# What the root holds; a root made from another recipe is made again.
wine32_recipe() {
  echo "$debian_suite amd64,i386 essential wine32:i386 fonts-wqy-microhei 1"
}

# Whether the kernel runs 32-bit programs: a 96-byte i386 program that exits with code 42.
wine32_runs_natively() {
  local probe="$wine32_base/probe-i386" status=0
  mkdir -p "$wine32_base"
  printf '%b' '\x7fELF\x01\x01\x01\0\0\0\0\0\0\0\0\0\x02\0\x03\0\x01\0\0\0\x54\x80\x04\x08' \
    '\x34\0\0\0\0\0\0\0\0\0\0\0\x34\0\x20\0\x01\0\0\0\0\0\0\0' \
    '\x01\0\0\0\0\0\0\0\0\x80\x04\x08\0\x80\x04\x08\x60\0\0\0\x60\0\0\0\x05\0\0\0\0\x10\0\0' \
    '\xb8\x01\0\0\0\xbb\x2a\0\0\0\xcd\x80' > "$probe"  # exit(42)
  chmod +x "$probe"
  "$probe" 2> /dev/null || status=$?
  [ "$status" -eq 42 ]
}

# Decides how 32-bit programs run here: sets wine32_way to native or qemu.
# ROLVI_WINE32_EMULATION=qemu forces the emulated way, =native refuses it.
wine32_choose_way() {
  local mode="${ROLVI_WINE32_EMULATION:-auto}"
  case "$mode" in auto | native | qemu) ;; *) wine32_fail "ROLVI_WINE32_EMULATION must be auto, native or qemu" ;; esac
  # An entry of ours that a run stopped by force left behind: the probe asks the kernel alone.
  if [ -e "$wine32_binfmt/$wine32_entry" ]; then
    echo -1 | as_root tee "$wine32_binfmt/$wine32_entry" > /dev/null || true
    wine32_say "removed the binfmt_misc entry $wine32_entry that an interrupted run left"
  fi
  if [ "$mode" != qemu ] && wine32_runs_natively; then
    wine32_way=native
  else
    [ "$mode" != native ] || wine32_fail "the kernel does not run 32-bit programs (ROLVI_WINE32_EMULATION=native)"
    wine32_way=qemu
  fi
}

# The static qemu-i386 from the backports suite, fetched through a private apt list folder
# (the system's sources stay as they are); only the binary is kept, in build/wine32/qemu.
wine32_fetch_qemu() {
  local qemu_dir="$wine32_base/qemu"
  [ ! -x "$qemu_dir/qemu-i386" ] || [ ! -s "$qemu_dir/qemu-i386.conf" ] || return 0
  local apt_dir="$wine32_base/downloads/backports-apt"
  mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$apt_dir/debs"
  echo "deb [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg]" \
    "$debian_mirror $debian_suite-backports main" > "$apt_dir/sources.list"
  local private_apt=(-o "Dir::Etc::SourceList=$apt_dir/sources.list" -o Dir::Etc::SourceParts=/dev/null
    -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache"
    -o Dir::State::Status=/dev/null -o APT::Architectures::=amd64 -qq -o APT::Sandbox::User="$(id -un)")
  if ! ls "$apt_dir"/debs/qemu-user_*_amd64.deb > /dev/null 2>&1; then
    wine32_say "downloading qemu-user from $debian_suite-backports"
    apt-get "${private_apt[@]}" update ||
      wine32_fail "could not read $debian_suite-backports' package list (no network to Debian's archive?)"
    (cd "$apt_dir/debs" && apt-get "${private_apt[@]}" download "qemu-user/$debian_suite-backports") ||
      wine32_fail "could not download qemu-user from $debian_suite-backports (no network to Debian's archive?)"
  fi
  rm -rf "$qemu_dir.partial"
  mkdir -p "$qemu_dir.partial"
  dpkg-deb --fsys-tarfile "$apt_dir"/debs/qemu-user_*_amd64.deb |
    tar -x -C "$qemu_dir.partial" ./usr/bin/qemu-i386 ./usr/share/qemu/binfmt.d/qemu-i386.conf ||
    wine32_fail "qemu-user's package holds no qemu-i386"
  rm -rf "$qemu_dir"
  mkdir -p "$qemu_dir"
  mv "$qemu_dir.partial/usr/bin/qemu-i386" "$qemu_dir/qemu-i386"
  mv "$qemu_dir.partial/usr/share/qemu/binfmt.d/qemu-i386.conf" "$qemu_dir/qemu-i386.conf"
  rm -rf "$qemu_dir.partial"
  # Debian's qemu takes the program's own argv[0] (binfmt flag P) when its name ends so.
  ln -sf qemu-i386 "$qemu_dir/i386-binfmt-P"
  "$qemu_dir/qemu-i386" --version | head -n 1 | grep -q version || wine32_fail "$qemu_dir/qemu-i386 does not run"
}

# Registers the entry that hands i386 programs to qemu-i386, for this run only: the caller
# calls wine32_binfmt_remove when it ends (both scripts do so in their EXIT trap).
wine32_binfmt_register() {
  local qemu_dir="$wine32_base/qemu"
  if [ ! -e "$wine32_binfmt/register" ]; then
    grep -qw binfmt_misc /proc/filesystems ||
      wine32_fail "this kernel has no binfmt_misc: 32-bit programs cannot be handed to qemu-i386"
    as_root mount -t binfmt_misc binfmt_misc "$wine32_binfmt" ||
      wine32_fail "cannot mount binfmt_misc on $wine32_binfmt"
    wine32_mounted_binfmt=1
  fi
  [ ! -e "$wine32_binfmt/$wine32_entry" ] || echo -1 | as_root tee "$wine32_binfmt/$wine32_entry" > /dev/null
  # Debian's magic, mask and flags for i386 ELF files (F among them: the interpreter is opened
  # now, so that it also serves the programs in the root), our name and interpreter.
  local type offset magic mask flags
  IFS=: read -r _ _ type offset magic mask _ flags < "$qemu_dir/qemu-i386.conf"
  local why="the kernel does not run 32-bit programs"
  [ "${ROLVI_WINE32_EMULATION:-auto}" != qemu ] || why="ROLVI_WINE32_EMULATION=qemu"
  wine32_say "$why: registering the binfmt_misc entry $wine32_entry (i386 programs" \
    "through qemu-i386) for this run; it is removed at its end"
  echo ":$wine32_entry:$type:$offset:$magic:$mask:$qemu_dir/i386-binfmt-P:$flags" |
    as_root tee "$wine32_binfmt/register" > /dev/null ||
    wine32_fail "could not register $wine32_entry in binfmt_misc"
  wine32_registered=1
}

wine32_binfmt_remove() {
  if [ "$wine32_registered" -eq 1 ] && [ -e "$wine32_binfmt/$wine32_entry" ]; then
    echo -1 | as_root tee "$wine32_binfmt/$wine32_entry" > /dev/null || true
    wine32_say "removed the binfmt_misc entry $wine32_entry"
  fi
  wine32_registered=0
  if [ "$wine32_mounted_binfmt" -eq 1 ]; then
    as_root umount "$wine32_binfmt" || true
    wine32_mounted_binfmt=0
  fi
}

# Makes the root when it is missing or of another recipe. mmdebstrap needs root; the finished
# tree is handed to the invoking user, so that nothing under build/ stays root's and a plain
# rm -rf build removes it. The downloaded packages are kept in build/wine32/apt-cache.
wine32_make_root() {
  local recipe cache="$wine32_base/apt-cache"
  recipe="$(wine32_recipe)"
  [ "$(cat "$wine32_root/.rolvi-recipe" 2> /dev/null)" != "$recipe" ] || return 0
  command -v mmdebstrap > /dev/null || wine32_fail "mmdebstrap is missing (scripts/install-deps windows-tests)"
  wine32_say "making the root build/wine32/root: $debian_suite with i386, wine32:i386 (a few minutes)"
  mkdir -p "$cache"
  as_root rm -rf --one-file-system "$wine32_root" "$wine32_root.partial"
  local started=$SECONDS
  as_root timeout 1800 mmdebstrap --mode=root --variant=essential --skip=essential/unlink \
    --architectures=amd64,i386 --include=wine32:i386,fonts-wqy-microhei \
    --aptopt='APT::Install-Recommends "false"' --dpkgopt=force-unsafe-io \
    --setup-hook='mkdir -p "$1"/var/cache/apt/archives/' \
    --setup-hook="sync-in $cache /var/cache/apt/archives/" \
    --customize-hook="sync-out /var/cache/apt/archives $cache" \
    "$debian_suite" "$wine32_root.partial" "${debian_sources[@]}" \
    > "$wine32_base/mmdebstrap.log" 2>&1 ||
    wine32_fail "could not make the root (no network to Debian's archive? see build/wine32/mmdebstrap.log)"
  give_back "$wine32_root.partial" "$cache"
  [ -x "$wine32_root.partial$wine32_loader" ] || wine32_fail "the root has no $wine32_loader"
  [ -x "$wine32_root.partial$wine32_server" ] || wine32_fail "the root has no $wine32_server"
  echo "$recipe" > "$wine32_root.partial/.rolvi-recipe"
  mv "$wine32_root.partial" "$wine32_root"
  wine32_say "root made in $((SECONDS - started)) s ($(du -sh "$wine32_root" | cut -f1))"
}
