# The Debian release the project builds for and tests on, named once: the clean roots of the
# package test and the 32-bit Wine are made of it, and the backports suite of the same release
# supplies qemu-i386 where it is needed. The package lists (scripts/packages/) name no release
# or LLVM version: clang and libclang-rt-dev are the release's default LLVM. Sourced.
debian_suite=bookworm
debian_mirror=http://deb.debian.org/debian
debian_security_mirror=http://deb.debian.org/debian-security

# The apt sources of a clean root of the release, as mmdebstrap takes them (one per argument).
debian_sources=(
  "deb $debian_mirror $debian_suite main"
  "deb $debian_mirror $debian_suite-updates main"
  "deb $debian_security_mirror $debian_suite-security main"
)
