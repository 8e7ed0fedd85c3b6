#!/usr/bin/env bash
# End-to-end test of the program's owned windows under a window manager (IceWM in Xvfb), read
# with xprop: the statistics window is a utility window, transient for the main window, with
# no taskbar button and not kept above other programs; it leaves the screen when the main
# window is minimised and comes back on restore. The rules, the name dialog and its message
# box are modal dialogs, transient for their owner, with no taskbar button and no minimise
# or maximise function; the message box is centred over the name dialog.
# Usage: owned_windows_e2e.sh <rolvi_e2e program> <autoplay program> <work directory>
set -euo pipefail

source "$(dirname "$(realpath "${BASH_SOURCE[0]}")")/x_session.sh"
begin_test "$@"
start_window_manager

# A seed whose first two moves score, so that F4 asks for a name.
seed=150
scoring_moves "$seed" 10
launch "$seed" game || { fail "the main window did not appear"; exit 1; }
main_number="$(window_number "$main")"

# Checks the window type, owner, state and frame functions of an owned window.
check_owned() {  # label, window, expected type, expected owner (number)
  local label="$1" window="$2" type state motif
  type="$(xprop -id "$window" _NET_WM_WINDOW_TYPE | grep -o '_NET_WM_WINDOW_TYPE_[A-Z]*' |
    head -n 1 || true)"
  check_equal "$label: window type" "$3" "$type"
  check_equal "$label: transient for its owner" "$4" "$(transient_for "$window")"
  state="$(xprop -id "$window" _NET_WM_STATE)"
  if grep -q _NET_WM_STATE_SKIP_TASKBAR <<< "$state"; then
    echo "ok: $label: no taskbar button"
  else
    fail "$label: no _NET_WM_STATE_SKIP_TASKBAR in '$state'"
  fi
  if grep -q _NET_WM_STATE_ABOVE <<< "$state"; then fail "$label: kept above other windows"; fi
  # _MOTIF_WM_HINTS: flags, functions, decorations. The functions must be given (flag 1) and
  # hold neither minimise (8) nor maximise (16); the decorations no such buttons (32, 64).
  read -r flags functions decorations _ <<< "$(xprop -id "$window" _MOTIF_WM_HINTS |
    grep -o '= .*' | tr -d '=,')"
  if [ -n "${functions:-}" ] && ((flags & 1)) && ! ((functions & 24)) && ! ((functions & 1)) &&
    ! ((decorations & 97)); then
    echo "ok: $label: no minimise or maximise function"
  else
    fail "$label: minimise or maximise allowed (_MOTIF_WM_HINTS $flags $functions $decorations)"
  fi
}

xdotool key F5
if stats="$(wait_window "统计")"; then
  check_owned "statistics window" "$stats" _NET_WM_WINDOW_TYPE_UTILITY "$main_number"
  before="$(geometry "$stats")"
  xdotool windowminimize --sync "$main" 2> /dev/null || xdotool windowminimize "$main"
  sleep 1
  if xwininfo -id "$stats" | grep -q IsViewable; then
    fail "the statistics window stayed on the screen while the main window was minimised"
  else
    echo "ok: the statistics window left the screen with the minimised main window"
  fi
  activate "$main"
  sleep 1
  if xwininfo -id "$stats" | grep -q IsViewable; then
    echo "ok: the statistics window came back when the main window was restored"
    check_equal "the statistics window came back where it was" "$before" "$(geometry "$stats")"
    xprop -id "$stats" _NET_WM_STATE | grep -q _NET_WM_STATE_SKIP_TASKBAR ||
      fail "the statistics window came back with a taskbar button"
  else
    fail "the statistics window did not come back when the main window was restored"
  fi
  activate "$main"
  xdotool key F5
  wait_gone "统计" || fail "F5 did not close the statistics window"
else
  fail "F5 did not open the statistics window"
fi

activate "$main"
xdotool key F1
if rules="$(wait_window "规则")"; then
  check_owned "rules" "$rules" _NET_WM_WINDOW_TYPE_DIALOG "$main_number"
  xdotool key Return
  wait_gone "规则" || fail "the rules stayed open"
else
  fail "F1 did not open the rules"
fi

# Two scoring moves, then F4: the name dialog; an empty name brings the message box.
play_moves moves.txt
activate "$main"
xdotool key F4
if name="$(wait_window "恭喜恭喜")"; then
  check_owned "name dialog" "$name" _NET_WM_WINDOW_TYPE_DIALOG "$main_number"
  activate "$name"
  xdotool key End
  for _ in $(seq 16); do xdotool key BackSpace; done
  xdotool key Return
  if box="$(wait_window "错 误")"; then
    check_owned "message box" "$box" _NET_WM_WINDOW_TYPE_DIALOG "$(window_number "$name")"
    read -r nx ny nw nh <<< "$(outer_geometry "$name")"
    read -r bx by bw bh <<< "$(outer_geometry "$box")"
    check_equal "the message box centred over the name dialog, frames included" \
      "$((nx + (nw - bw) / 2)) $((ny + (nh - bh) / 2))" "$bx $by"
    activate "$box"
    xdotool key Return
    wait_gone "错 误" || fail "the message box stayed open"
  else
    fail "an empty name brought no message box"
  fi
  activate "$name"
  xdotool type --delay 20 "Ann"
  xdotool key Return
  close_records "after the name" || true
else
  fail "F4 after a scored game did not ask for a name"
fi

quit "the end"

finish owned-window
