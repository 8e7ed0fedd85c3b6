#!/usr/bin/env bash
# End-to-end test of entering a result in the desktop program: a game played to a score by
# the greedy player's moves (clicked with xdotool), ended with F4; the name dialog refuses a
# 14-byte name with its message box and accepts a valid one; the records list shows it; the
# record file holds it after Alt+x. Also saves the dialogs' screenshots.
# Usage: record_entry_e2e.sh <rolvi_e2e program> <autoplay program> <work directory>
set -euo pipefail

source "$(dirname "$(realpath "${BASH_SOURCE[0]}")")/x_session.sh"
begin_test "$@"

seed=3
scoring_moves "$seed" 60
launch "$seed" game || { fail "the main window did not appear"; exit 1; }
play_moves moves.txt
shot scored

# Type into the focused dialog.
type_in() {  # window id, text or keys...
  xdotool windowfocus --sync "$1" 2> /dev/null || true
  shift
  "$@"
  sleep 0.3
}

key F4
if name="$(wait_window "恭喜恭喜")"; then
  echo "ok: F4 with a qualifying score asks for a name"
  shot name-dialog
  type_in "$name" xdotool type --delay 20 "ABCDEFGHIJKLMN"
  type_in "$name" xdotool key Return
  if error="$(wait_window "错 误")"; then
    echo "ok: a 14-byte name is refused with a message box"
    shot message-box
    type_in "$error" xdotool key Return
    wait_gone "错 误" || fail "the message box stayed open"
  else
    fail "no message box for a 14-byte name"
  fi
  type_in "$name" xdotool key End
  for _ in $(seq 16); do type_in "$name" xdotool key BackSpace; done
  type_in "$name" xdotool type --delay 20 "Grace"
  type_in "$name" xdotool key Return
  wait_gone "恭喜恭喜" && echo "ok: a valid name closes the dialog" || fail "the name dialog stayed"
  close_records "after the name" records-after-entry && echo "ok: the records list followed"
else
  fail "F4 with a qualifying score did not ask for a name"
fi

quit "the end"
check_equal "record file size" 160 "$(stat -c %s game/winrolvi.res 2> /dev/null || echo none)"
# The name stands in record 1 (below the King's 100): its length byte, then its bytes.
check_equal "record 1 holds the name" "05 47 72 61 63 65" \
  "$(od -An -tx1 -j16 -N6 game/winrolvi.res 2> /dev/null | tr -s ' ' | sed 's/^ //;s/ $//')"

finish "record entry"
