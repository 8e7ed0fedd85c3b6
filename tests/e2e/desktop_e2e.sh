#!/usr/bin/env bash
# End-to-end test of the desktop program in a real X server: starts Xvfb, runs the test build
# of the program (fixed seed from ROLVI_TEST_SEED), drives it with xdotool and checks
# screenshots taken with ImageMagick's import.
# Usage: desktop_e2e.sh <rolvi_e2e program> <work directory>
set -euo pipefail

source "$(dirname "$(realpath "${BASH_SOURCE[0]}")")/x_session.sh"
begin_test "$@"

launch 12345 game || { fail "the main window did not appear"; exit 1; }
read -r main_x main_y main_width _ <<< "$(geometry "$main")"
check_equal "client width" 612 "$main_width"
check_equal "client height below a menu bar of 20 pixels" 20 "$((client_y - main_y))"

# The layout of a 612 by 374 client area fixes these pixels.
shot main
check_equal "header bar face" "#C0C0C0" "$(pixel main $((client_x + 5)) $((client_y + 5)))"
check_equal "board frame top-left corner" "#FFFFFF" \
  "$(pixel main $((client_x + 142)) $((client_y + 45)))"
check_equal "outside the board frame" "#000000" \
  "$(pixel main $((client_x + 141)) $((client_y + 44)))"
check_equal "board frame bottom-right corner" "#555555" \
  "$(pixel main $((client_x + 142 + 327)) $((client_y + 45 + 327)))"
check_equal "score box outline" "#FFFFFF" "$(pixel main $((client_x + 516)) $((client_y + 10)))"
check_equal "record box outline" "#FFFFFF" "$(pixel main $((client_x + 24)) $((client_y + 10)))"
check_equal "menu bar face" "#C0C0C0" "$(pixel main $((main_x + 300)) $((main_y + 5)))"

# F1: the rules; its button (Enter) closes them.
key F1
if rules="$(wait_window "规则")"; then
  echo "ok: F1 opened the rules"
  shot rules
  key Return
  wait_gone "规则" && echo "ok: the rules' button closed them" || fail "the rules stayed open"
else
  fail "F1 did not open the rules"
fi

# F5: the statistics window beside the board, 164 by 310; F5 again closes it.
key F5
if stats="$(wait_window "统计")"; then
  read -r sx sy sw sh <<< "$(geometry "$stats")"
  check_equal "statistics window place and size" "$((main_x + 142 + 340)) $((main_y + 32)) 164 310" \
    "$sx $sy $sw $sh"
  shot statistics
  key F5
  wait_gone "统计" && echo "ok: F5 closed the statistics" || fail "F5 did not close the statistics"
else
  fail "F5 did not open the statistics window"
fi

# The menu with Alt+F (first item highlighted) and with the mouse.
menu_item_pixel() { pixel "$1" $((main_x + 30)) $((client_y + 10)); }
key alt+f
shot menu_keyboard
check_equal "Alt+F opens the File menu with its first item highlighted" "#000080" \
  "$(menu_item_pixel menu_keyboard)"
key Escape Escape
shot menu_closed
check_equal "Escape closes the menu" "$(menu_item_pixel main)" "$(menu_item_pixel menu_closed)"
xdotool mousemove $((main_x + 12)) $((main_y + 10)) click 1
sleep 0.4
shot menu_mouse
check_equal "a click on the title opens the File menu" "#C0C0C0" "$(menu_item_pixel menu_mouse)"
xdotool mousemove $((main_x + 300)) $((main_y + 300)) click 1
sleep 0.4

# A click on a ball and a click on an empty neighbour move the ball.
shot board
read_board board
moved=""
for row in $(seq 0 8); do
  for column in $(seq 0 7); do
    if [ -z "$moved" ] && [ "${colour[$column,$row]}" != "$empty" ] &&
      [ "${colour[$((column + 1)),$row]}" = "$empty" ]; then
      moved="$column $row"
    fi
  done
done
if [ -n "$moved" ]; then
  read -r column row <<< "$moved"
  xdotool mousemove "$(cell_x "$column")" "$(cell_y "$row")" click 1
  sleep 0.3
  xdotool mousemove "$(cell_x $((column + 1)))" "$(cell_y "$row")" click 1
  sleep 2.5  # the move and the three drops
  shot moved
  if [ "$(pixel moved "$(cell_x $((column + 1)))" "$(cell_y "$row")")" != "$empty" ]; then
    echo "ok: the ball moved from ($column, $row) to the cell on its right"
  else
    fail "the ball at ($column, $row) did not move"
  fi
else
  fail "no ball with an empty right neighbour on the first board"
fi

quit "the end"

finish "end-to-end"
