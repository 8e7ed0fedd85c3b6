#!/usr/bin/env bash
# End-to-end test of the record file kept safe, under IceWM: a result entered and then lost to
# kill -9 is on disk already; and two programs started in one folder before either enters a
# result ("Anna" in one, "Bert" in the other) both keep theirs, whichever ends last.
# Usage: record_sharing_e2e.sh <rolvi_e2e program> <autoplay program> <work directory>
set -euo pipefail

source "$(dirname "$(realpath "${BASH_SOURCE[0]}")")/x_session.sh"
begin_test "$@"
start_window_manager || { fail "no window manager"; exit 1; }

# Five moves of this seed score a line, which qualifies for the table below the King's 100.
seed=7
scoring_moves "$seed" 60

# Names in the record file, one per line, best first.
names_in() {  # record file
  local record length
  for record in $(seq 0 9); do
    length="$(od -An -tu1 -j$((16 * record)) -N1 "$1" | tr -d ' ')"
    dd if="$1" bs=1 skip=$((16 * record + 1)) count="$length" status=none | iconv -f GBK -t UTF-8
    echo
  done
}
# Plays the scoring moves in the active main window and enters `name` with F4.
enter_result() {  # name
  play_moves moves.txt
  activate "$main"
  xdotool key F4
  local dialog
  dialog="$(wait_window "恭喜恭喜")" || { fail "$1: F4 did not ask for a name"; return 1; }
  activate "$dialog"
  xdotool key ctrl+a BackSpace
  xdotool type --delay 20 "$1"
  xdotool key Return
  wait_window "排行榜" > /dev/null || { fail "$1: the records list did not open"; return 1; }
}

echo "-- a result entered, then kill -9"
if launch "$seed" killed; then
  if enter_result Grace; then
    kill -KILL "$program_pid"
    wait_exit 50
    check_equal "killed: record 1 of the file on disk" "Grace" "$(names_in killed/winrolvi.res | sed -n 2p)"
  fi
else
  fail "killed: no main window"
fi

echo "-- two programs in one folder"
# The window of the program with this process id, once it shows.
window_of() {  # pid
  local id
  for _ in $(seq 100); do
    id="$(xdotool search --all --onlyvisible --pid "$1" --name '^Color rolvi$' 2> /dev/null | head -n 1 || true)"
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}
use() {  # window id: the main window the moves go to
  main="$1"
  activate "$main"
  local y height
  read -r client_x y _ height <<< "$(geometry "$main")"
  client_y=$((y + height - 374))
}
mkdir shared
launch "$seed" shared || fail "shared: the first program's window did not appear"
first_pid="$program_pid"
first="$(window_of "$first_pid")" || fail "shared: no window of the first program"
env -C shared ROLVI_TEST_SEED="$seed" SDL_AUDIODRIVER=dummy "$program" >> shared-second.log 2>&1 &
second_pid=$!
second="$(window_of "$second_pid")" || fail "shared: no window of the second program"
sleep 1.5  # the second program's first game lands

if [ -n "$first" ] && [ -n "$second" ]; then
  use "$first"
  enter_result Anna && close_records "Anna" || true
  use "$second"
  enter_result Bert && close_records "Bert" || true
  # The first program ends last: with the old single save at exit Bert would now be lost.
  use "$second"
  xdotool key alt+x
  program_pid="$second_pid"
  wait_exit
  check_equal "shared: the second program's exit code" 0 "$exit_status"
  use "$first"
  xdotool key alt+x
  program_pid="$first_pid"
  wait_exit
  check_equal "shared: the first program's exit code" 0 "$exit_status"
  check_equal "shared: records 1 and 2" "Anna Bert" \
    "$(names_in shared/winrolvi.res | sed -n 2,3p | tr '\n' ' ' | sed 's/ $//')"
  check_equal "shared: the record file's size" 160 "$(stat -c %s shared/winrolvi.res)"
  check_equal "shared: nothing else in the folder" "winrolvi.res" "$(ls -A shared)"
fi
kill -KILL "$first_pid" "$second_pid" 2> /dev/null || true

finish "record sharing"
