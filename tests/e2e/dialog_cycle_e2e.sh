#!/usr/bin/env bash
# End-to-end test that opening and closing dialogs never costs the program its X connection:
# several runs under IceWM, each opening and closing the records list from the menu (Alt+F,
# H, Enter) ten times a second apart, then Alt+x. Every run must end with exit code 0 and
# without an X error on standard error. (Closed dialog windows were once destroyed while a
# wake-up message addressed to them could still be on its way, a fatal BadWindow error.)
# Usage: dialog_cycle_e2e.sh <rolvi_e2e program> <work directory> [runs] [cycles per run]
set -euo pipefail

runs="${3:-6}"
cycles="${4:-10}"
source "$(dirname "$(realpath "${BASH_SOURCE[0]}")")/x_session.sh"
begin_test "$1" "$2"
start_window_manager

for run in $(seq "$runs"); do
  if ! launch "$run" "run$run"; then
    fail "run $run: the main window did not appear"
    continue
  fi
  for _ in $(seq "$cycles"); do
    activate "$main"
    xdotool key alt+f
    sleep 0.1
    xdotool key h
    close_records "run $run" || true
    sleep 1
    kill -0 "$program_pid" 2> /dev/null || break
  done
  activate "$main"
  xdotool key alt+x
  wait_exit 50
  check_equal "run $run: exit status" 0 "$exit_status"
  if grep -q "X Error\|X error" "run$run.log"; then
    fail "run $run: X error: $(grep -m1 -i "X error" "run$run.log")"
  fi
done

finish "dialog cycle ($runs runs of $cycles cycles)"
