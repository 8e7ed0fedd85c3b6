#!/usr/bin/env bash
# End-to-end test of a start without a display: with DISPLAY unset, and with a DISPLAY where
# no X server answers, the program says on standard error which display it could not open
# and ends with a non-zero exit code within two seconds, instead of running unseen on an
# off-screen video driver. A video driver named in SDL_VIDEODRIVER is still taken as asked.
# The usage (--help, or an unknown argument) needs no display.
# Usage: no_display_e2e.sh <rolvi_e2e program> <work directory>
set -euo pipefail

source "$(dirname "$(realpath "${BASH_SOURCE[0]}")")/x_session.sh"
program="$(realpath "$1")"
rm -rf "$2"
mkdir -p "$2"
cd "$2"

# A display number that no server holds: no socket, abstract or not, and no lock file.
free=""
for n in $(seq 150 400); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ] &&
    ! grep -q "/tmp/.X11-unix/X$n\$" /proc/net/unix; then
    free=":$n"
    break
  fi
done
[ -n "$free" ] || { fail "no free display number"; exit 1; }

# Starts the program with the environment changes given (env's arguments, -u first) and waits up to
# two seconds for it to end; sets exit_status and keeps its output in $1.log.
start_without_display() {  # name, env arguments...
  local name="$1"
  shift
  env "$@" ROLVI_TEST_SEED=1 SDL_AUDIODRIVER=dummy "$program" > "$name.log" 2>&1 &
  program_pid=$!
  wait_exit 20
}

# The program must end by itself, with a non-zero code and a message naming the display.
expect_refusal() {  # label, name, expected words of the message, env arguments...
  local label="$1" name="$2" words="$3"
  shift 3
  start_without_display "$name" "$@"
  if [ "$exit_status" = "still running" ]; then
    fail "$label: still running after two seconds"
  elif [ "$exit_status" -eq 0 ]; then
    fail "$label: exit code 0"
  else
    echo "ok: $label: exit code $exit_status within two seconds"
  fi
  if grep -q "^rolvi: no display could be opened: .*$words" "$name.log"; then
    echo "ok: $label: $(grep '^rolvi:' "$name.log")"
  else
    fail "$label: no message naming the display: $(cat "$name.log")"
  fi
}

expect_refusal "DISPLAY unset" unset "DISPLAY is not set" -u DISPLAY -u WAYLAND_DISPLAY \
  -u SDL_VIDEODRIVER
expect_refusal "DISPLAY=$free without a server" dead "\"$free\"" -u WAYLAND_DISPLAY \
  -u SDL_VIDEODRIVER DISPLAY="$free"

# Asked for by name, SDL's dummy driver is taken: the program runs (with nothing to see).
start_without_display asked -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=dummy
check_equal "SDL_VIDEODRIVER=dummy is taken as asked" "still running" "$exit_status"

# The usage needs no display: --help prints it on standard output and exits 0; an unknown
# argument prints it on standard error and exits 2.
status=0
env -u DISPLAY "$program" --help > help.txt 2> help-errors.txt || status=$?
check_equal "--help: exit code" 0 "$status"
if grep -q '^usage: rolvi ' help.txt && grep -q -- '--help' help.txt && [ ! -s help-errors.txt ]; then
  echo "ok: --help prints the usage on standard output"
else
  fail "--help: $(cat help.txt help-errors.txt)"
fi
status=0
env -u DISPLAY "$program" --hepl > bad.txt 2> bad-errors.txt || status=$?
check_equal "an unknown argument: exit code" 2 "$status"
if grep -q '^usage: rolvi ' bad-errors.txt && [ ! -s bad.txt ]; then
  echo "ok: an unknown argument prints the usage on standard error"
else
  fail "an unknown argument: $(cat bad.txt bad-errors.txt)"
fi

finish "no display"
