#!/usr/bin/env bash
# End-to-end test of the keyboard focus around the statistics window under a window manager
# (IceWM in Xvfb): a click into the statistics window is handled there and the focus goes
# back to the main window, so F1 opens the rules and F5 closes the statistics window without
# a click on the main window in between.
# Usage: focus_e2e.sh <rolvi_e2e program> <work directory>
set -euo pipefail

source "$(dirname "$(realpath "${BASH_SOURCE[0]}")")/x_session.sh"
begin_test "$@"
start_window_manager
launch 12345 game || { fail "the main window did not appear"; exit 1; }

# Presses keys wherever the focus is, as a player does; no window is focused first.
press() {
  xdotool key "$@"
  sleep 0.5
}
click_statistics() {
  local x y w h
  read -r x y w h <<< "$(geometry "$stats")"
  xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 1
  sleep 0.5
}

press F5
stats="$(wait_window "统计")" || { fail "F5 did not open the statistics window"; exit 1; }

click_statistics
press F1
if rules="$(wait_window "规则")"; then
  echo "ok: after a click in the statistics window F1 opens the rules"
  press Return
  wait_gone "规则" || fail "the rules' button did not close them"
else
  fail "after a click in the statistics window F1 did not open the rules"
  activate "$main"
fi

click_statistics
press F5
wait_gone "统计" && echo "ok: after another click there F5 closes the statistics window" ||
  fail "after a click in the statistics window F5 did not close it"

quit "the end"

finish focus
