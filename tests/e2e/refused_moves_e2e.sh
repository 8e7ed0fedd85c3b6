#!/usr/bin/env bash
# End-to-end test of refused moves with the machine's own audio (SDL's choice of driver, not
# the dummy one the other tests use): the audio device is tried once per run, so whatever
# the sound library says on standard error when there is no device is said once, not at
# every refused move. With a working device nothing is said at all.
# Usage: refused_moves_e2e.sh <rolvi_e2e program> <autoplay program> <work directory>
set -euo pipefail

source "$(dirname "$(realpath "${BASH_SOURCE[0]}")")/x_session.sh"
begin_test "$@"

# Seed 1 after the greedy player's first two moves: the ball at (2, 8) is walled in by balls
# on its three sides and the board's edge, so every cell it is sent to refuses the move.
"$autoplay" --seed 1 --moves 2 | grep '^click' > moves.txt
launch 1 game SDL_AUDIODRIVER= || { fail "the main window did not appear"; exit 1; }
play_moves moves.txt
click_cell() {  # column, row
  xdotool mousemove $((client_x + 142 + 36 * $1 + 18)) $((client_y + 45 + 36 * $2 + 18)) click 1
  sleep 0.5
}
click_cell 2 8
lines=()
for _ in 1 2 3; do
  click_cell 0 0
  lines+=("$(wc -l < game.log)")
done
echo "lines on standard error after each of three refused moves: ${lines[*]}"
check_equal "nothing more on standard error after the first refused move" \
  "${lines[0]} ${lines[0]}" "${lines[1]} ${lines[2]}"
# The moves were refused: the ball is still where it was and the corner is empty.
shot board
read_board board
[ "${colour[2,8]}" != "$empty" ] && [ "${colour[0,0]}" = "$empty" ] ||
  fail "the walled-in ball moved"
quit "refused moves"

finish "refused moves"
