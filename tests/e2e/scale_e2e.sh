#!/usr/bin/env bash
# End-to-end test of the enlarged desktop program on a 2560x1600 screen under IceWM: the same
# seed and the same move at scale 1 and at ROLVI_SCALE=2. At scale 2 the window's client
# (menu bar and game) is the scale-1 picture enlarged 2x pixel for pixel, before and after
# the move, whose clicks aim at cell centres in the enlarged window; the minimum size and the
# dialogs are doubled. Without ROLVI_SCALE the scale follows Xft.dpi (rounded to the nearest
# multiple of 96: 144 gives 2) unless GDK_SCALE says otherwise, and a bad ROLVI_SCALE is
# reported and ignored.
# Usage: scale_e2e.sh <rolvi_e2e program> <autoplay program> <work directory>
set -euo pipefail

source "$(dirname "$(realpath "${BASH_SOURCE[0]}")")/x_session.sh"
xvfb_screen=2560x1600x24
begin_test "$@"
start_window_manager

seed=12345
"$autoplay" --seed "$seed" --moves 1 | grep '^click' > move.txt
read -r _ from_column from_row < <(sed -n 1p move.txt)
read -r _ to_column to_row < <(sed -n 2p move.txt)
echo "the move: ($from_column, $from_row) to ($to_column, $to_row)"

bar=20           # the menu bar's height at scale 1
board="142 45"   # BoardOrigin of a 612 by 374 client area

drops_seconds=2
start_program() {  # name of the run (its directory), environment assignments...
  launch "$seed" "$@" || { fail "the main window did not appear ($*)"; exit 1; }
}
client_shot() {  # file
  local x y w h
  read -r x y w h <<< "$(geometry "$main")"
  import -window root -crop "${w}x${h}+${x}+${y}" +repage "$1"
}
# Clicks the centre of a cell of the enlarged board: (BoardOrigin + 36 cell + 18) scaled.
click_cell() {  # scale, column, row
  local x y bx by
  read -r x y _ _ <<< "$(geometry "$main")"
  read -r bx by <<< "$board"
  xdotool mousemove $((x + $1 * (bx + 36 * $2 + 18))) $((y + $1 * (bar + by + 36 * $3 + 18))) click 1
}
play_move() {  # scale
  click_cell "$1" "$from_column" "$from_row"
  sleep 0.4
  click_cell "$1" "$to_column" "$to_row"
  sleep 2.5  # the move and the drops
}
same_picture() {  # label, expected, actual
  local differing
  differing="$(compare -metric AE "$2" "$3" null: 2>&1 || true)"
  check_equal "$1: pixels that differ" 0 "$differing"
}
rules_size() {
  xdotool key F1
  local rules w h
  if rules="$(wait_window "规则")"; then
    read -r _ _ w h <<< "$(geometry "$rules")"
    echo "$w $h"
    activate "$rules"
    xdotool key Return
    wait_gone "规则" || true
  else
    echo "none"
  fi
}

# Scale 1: the pictures to compare with.
start_program scale1 ROLVI_SCALE=1
read -r _ _ w1 h1 <<< "$(geometry "$main")"
check_equal "scale 1: client size" "612 394" "$w1 $h1"
client_shot fresh1.png
rules1="$(rules_size)"
activate "$main"
play_move 1
client_shot moved1.png
quit "scale 1"

# Scale 2.
start_program scale2 ROLVI_SCALE=2
read -r _ _ w2 h2 <<< "$(geometry "$main")"
check_equal "scale 2: client size" "1224 788" "$w2 $h2"
check_equal "scale 2: minimum size" "1224 by 788" \
  "$(xprop -id "$main" WM_NORMAL_HINTS | grep -o 'minimum size: [0-9]* by [0-9]*' | cut -d' ' -f3-)"
client_shot fresh2.png
convert fresh1.png -scale 200% fresh1x2.png
same_picture "the fresh game at scale 2 against scale 1 enlarged" fresh1x2.png fresh2.png
read -r rw rh <<< "$rules1"
check_equal "scale 2: the rules' client doubled" "$((rw * 2)) $((rh * 2))" "$(rules_size)"
activate "$main"
play_move 2
client_shot moved2.png
convert moved1.png -scale 200% moved1x2.png
same_picture "after the move at scale 2 against scale 1 enlarged" moved1x2.png moved2.png
# Read at cell centres in the scale-2 screenshots: the ball's cell is empty afterwards, and
# the empty cell it was sent to is not.
read -r bx by <<< "$board"
cell_pixel() {  # picture, column, row
  pixel "$1" $((2 * (bx + 36 * $2 + 18))) $((2 * (bar + by + 36 * $3 + 18)))
}
empty="$(cell_pixel fresh2 "$to_column" "$to_row")"
if [ "$(cell_pixel fresh2 "$from_column" "$from_row")" != "$empty" ] &&
  [ "$(cell_pixel moved2 "$from_column" "$from_row")" = "$empty" ] &&
  [ "$(cell_pixel moved2 "$to_column" "$to_row")" != "$empty" ]; then
  echo "ok: the ball went from ($from_column, $from_row) to ($to_column, $to_row)"
else
  fail "the ball did not go from ($from_column, $from_row) to ($to_column, $to_row)"
fi
quit "scale 2"

# Without ROLVI_SCALE: Xft.dpi 192 calls for 2, GDK_SCALE=1 overrides it, and a bad
# ROLVI_SCALE is reported and left to the desktop.
xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "Xft.dpi:	192"
start_program xft
read -r _ _ w h <<< "$(geometry "$main")"
check_equal "Xft.dpi 192: client size" "1224 788" "$w $h"
quit "Xft.dpi 192"
# A 150 % desktop: Xft.dpi 144 is nearer to twice 96 than to once.
xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "Xft.dpi:	144"
start_program xft144
read -r _ _ w h <<< "$(geometry "$main")"
check_equal "Xft.dpi 144: client size" "1224 788" "$w $h"
quit "Xft.dpi 144"
xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "Xft.dpi:	192"
start_program gdk GDK_SCALE=1
read -r _ _ w h <<< "$(geometry "$main")"
check_equal "GDK_SCALE=1 over Xft.dpi 192: client size" "612 394" "$w $h"
quit "GDK_SCALE=1"
start_program bad ROLVI_SCALE=0
read -r _ _ w h <<< "$(geometry "$main")"
check_equal "ROLVI_SCALE=0 ignored, Xft.dpi decides: client size" "1224 788" "$w $h"
quit "ROLVI_SCALE=0"
if grep -q 'ROLVI_SCALE="0" is not a whole number' bad.log; then
  echo "ok: ROLVI_SCALE=0 is reported"
else
  fail "ROLVI_SCALE=0 was not reported: $(cat bad.log)"
fi

finish scale
