#!/usr/bin/env bash
# End-to-end test of where the desktop program puts its windows on a 1024x768 screen. The main
# window is centred as a 620 by 420 outer rectangle: at (202, 174). Without a window manager
# its client is there; under IceWM, which reports its frames in _NET_FRAME_EXTENTS, the
# frame's top-left is there and the client (612 by 374 below a 20-pixel menu bar) inside it.
# The statistics window's frame starts at the main window's frame + (BoardOrigin.x + 340, 32);
# the rules, frame included, are centred on the screen.
# Usage: placement_e2e.sh <rolvi_e2e program> <work directory>
set -euo pipefail

source "$(dirname "$(realpath "${BASH_SOURCE[0]}")")/x_session.sh"
begin_test "$@"

board_x=142  # BoardOrigin.x of a 612-pixel client area
centred="202 174"

# The windows of one run: the main window, the statistics window and the rules.
check_windows() {  # label
  local label="$1" x y w h fx fy sx sy sw sh rx ry rw rh
  read -r x y w h <<< "$(geometry "$main")"
  read -r fx fy _ _ <<< "$(outer_geometry "$main")"
  check_equal "$label: main window's client size" "612 394" "$w $h"
  check_equal "$label: main window's frame (client without one) at the centred point" \
    "$centred" "$fx $fy"

  xdotool key F5
  if stats="$(wait_window "统计")"; then
    read -r sx sy sw sh <<< "$(outer_geometry "$stats")"
    check_equal "$label: statistics window's frame beside the board" \
      "$((fx + board_x + 340)) $((fy + 32))" "$sx $sy"
    read -r _ _ sw sh <<< "$(geometry "$stats")"
    check_equal "$label: statistics window's client size" "164 310" "$sw $sh"
    activate "$main"
    xdotool key F5
    wait_gone "统计" || fail "$label: F5 did not close the statistics window"
  else
    fail "$label: F5 did not open the statistics window"
  fi

  xdotool key F1
  if rules="$(wait_window "规则")"; then
    read -r rx ry rw rh <<< "$(outer_geometry "$rules")"
    check_equal "$label: the rules, frame included, centred on the screen" \
      "$(((1024 - rw) / 2)) $(((768 - rh) / 2))" "$rx $ry"
    xdotool key Return
    wait_gone "规则" || fail "$label: the rules stayed open"
  else
    fail "$label: F1 did not open the rules"
  fi
}

launch 12345 game || { fail "the main window did not appear"; exit 1; }
check_equal "no window manager: no frame" "0 0 0 0" "$(frame_extents "$main")"
check_windows "no window manager"
quit "no window manager"

start_window_manager
launch 12345 game || { fail "the main window did not appear"; exit 1; }
read -r left right top bottom <<< "$(frame_extents "$main")"
if [ "$top" -gt 0 ]; then
  echo "ok: IceWM reports a frame of $left, $right, $top, $bottom"
else
  fail "IceWM reported no frame for the main window"
fi
check_windows "IceWM"
quit "IceWM"

finish placement
