#!/usr/bin/env bash
# End-to-end test of an idle program in a real X server: with nothing selected it sleeps
# without waking (no timer wake-ups: its threads' voluntary context switches stay flat while
# nothing happens), and a selected ball wakes it again for every 50 ms tick and jumps.
# Usage: idle_wakeups_e2e.sh <rolvi_e2e program> <work directory>
set -euo pipefail

source "$(dirname "$(realpath "${BASH_SOURCE[0]}")")/x_session.sh"
begin_test "$@"
launch 11 game || { fail "the main window did not appear"; exit 1; }

wake_ups() {  # voluntary context switches of all the program's threads
  cat /proc/"$program_pid"/task/*/status | awk '/^voluntary_ctxt_switches/ { n += $2 } END { print n }'
}
before="$(wake_ups)"
sleep 4
idle=$(($(wake_ups) - before))
echo "idle for 4 s with nothing selected: $idle wake-ups"
if [ "$idle" -le 2 ]; then echo "ok: the idle program sleeps"; else fail "$idle wake-ups while idle"; fi

# Select the first ball: the cells' centres compared with the most common colour, the empty one.
shot board
read_board board
ball=""
for row in $(seq 0 8); do
  for column in $(seq 0 8); do
    [ -z "$ball" ] && [ "${colour[$column,$row]}" != "$empty" ] && ball="$column $row"
  done
done
read -r column row <<< "$ball"
xdotool mousemove "$(cell_x "$column")" "$(cell_y "$row")" click 1
sleep 0.5
before="$(wake_ups)"
sleep 2
jumping=$(($(wake_ups) - before))
echo "2 s with a selected ball: $jumping wake-ups"
if [ "$jumping" -ge 20 ]; then echo "ok: the jump wakes the program"; else fail "only $jumping wake-ups"; fi
# The ball's cell changes between screenshots: it jumps.
x0=$(($(cell_x "$column") - 18))
y0=$(($(cell_y "$row") - 18))
changed=no
first="$(import -window root -crop "36x36+$x0+$y0" +repage -depth 8 rgb:- | md5sum)"
for _ in 1 2 3 4 5; do
  sleep 0.07
  [ "$(import -window root -crop "36x36+$x0+$y0" +repage -depth 8 rgb:- | md5sum)" != "$first" ] &&
    changed=yes
done
check_equal "the selected ball jumps" yes "$changed"

quit "idle"
finish "idle wake-up"
