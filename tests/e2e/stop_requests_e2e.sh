#!/usr/bin/env bash
# End-to-end test of the ways a desktop session ends the program, under IceWM: a stop signal
# while a dialog is open ends that dialog as its close box would and the program as Alt+x
# does (exit 0, the record table saved); the window manager's close of the main window saves
# it too; and when the X server dies the table is saved before the process ends.
# Usage: stop_requests_e2e.sh <rolvi_e2e program> <autoplay program> <work directory>
set -euo pipefail

source "$(dirname "$(realpath "${BASH_SOURCE[0]}")")/x_session.sh"
begin_test "$@"
start_window_manager

# Five moves of this seed score a line, which qualifies for the table below the King's 100.
seed=7
scoring_moves "$seed" 60

# Plays the scoring moves and opens the name dialog with F4; prints the dialog's id.
score_and_ask_name() {
  play_moves moves.txt
  activate "$main"
  xdotool key F4
  wait_window "恭喜恭喜"
}
type_into() {  # window id, xdotool arguments...
  activate "$1"
  shift
  xdotool "$@"
  sleep 0.3
}
end_case() {  # a program that failed to end is killed before the next case
  kill -KILL "$program_pid" 2> /dev/null || true
  program_pid=""
}
record_one() {  # folder: the length byte and first bytes of record 1 in its record file
  od -An -tx1 -j16 -N6 "$1/winrolvi.res" 2> /dev/null | tr -s ' ' | sed 's/^ //;s/ $//'
}

echo "-- SIGTERM while the records list shows the new entry"
launch "$seed" term || fail "term: no main window"
if name="$(score_and_ask_name)"; then
  type_into "$name" type --delay 20 "Grace"
  type_into "$name" key Return
  wait_window "排行榜" > /dev/null || fail "term: the records list did not open"
  kill -TERM "$program_pid"
  wait_exit 50
  check_equal "term: exit status within five seconds" 0 "$exit_status"
  check_equal "term: record 1 holds Grace" "05 47 72 61 63 65" "$(record_one term)"
else
  fail "term: no name dialog"
fi
end_case

echo "-- SIGHUP while the name dialog shows a name typed but not confirmed"
launch "$seed" hup || fail "hup: no main window"
if name="$(score_and_ask_name)"; then
  type_into "$name" type --delay 20 "Ada"
  kill -HUP "$program_pid"
  wait_exit 50
  check_equal "hup: exit status within five seconds" 0 "$exit_status"
  # As the close box does: the name in the field is checked and taken.
  check_equal "hup: record 1 holds Ada" "03 41 64 61" "$(record_one hup | cut -d' ' -f1-4)"
else
  fail "hup: no name dialog"
fi
end_case

echo "-- SIGINT while the rules are open, with no result: nothing is written"
launch "$seed" int || fail "int: no main window"
activate "$main"
xdotool key F1
wait_window "规则" > /dev/null || fail "int: F1 did not open the rules"
kill -INT "$program_pid"
wait_exit 50
check_equal "int: exit status within five seconds" 0 "$exit_status"
[ ! -e int/winrolvi.res ] && echo "ok: int: no record file" || fail "int: a record file was written"
end_case

echo "-- the window manager closes the main window after a result was entered"
launch "$seed" close || fail "close: no main window"
if name="$(score_and_ask_name)"; then
  type_into "$name" type --delay 20 "Grace"
  type_into "$name" key Return
  close_records close || true
  activate "$main"
  xdotool key alt+F4  # IceWM's close
  wait_exit 50
  check_equal "close: exit status" 0 "$exit_status"
  check_equal "close: record 1 holds Grace" "05 47 72 61 63 65" "$(record_one close)"
else
  fail "close: no name dialog"
fi
end_case

echo "-- the X server dies while the name dialog is open"
launch "$seed" lost || fail "lost: no main window"
if name="$(score_and_ask_name)"; then
  kill -KILL "$xvfb_pid"
  xvfb_pid=""
  wait_exit 50
  [ "$exit_status" != "still running" ] && echo "ok: lost: the program ended ($exit_status)" ||
    fail "lost: the program kept running"
  # The result keeps its place under the name the dialog offered.
  check_equal "lost: record 1 holds the offered name" "09 55 6c 76 6f 20" "$(record_one lost)"
  grep -q "connection to the display was lost" lost.log &&
    echo "ok: lost: the loss is reported" || fail "lost: the loss is not reported"
else
  fail "lost: no name dialog"
fi
end_case

finish "stop request"
