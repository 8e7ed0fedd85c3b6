#!/usr/bin/env bash
# End-to-end test of the kept game, under IceWM: the desktop program started as its desktop
# entry starts it (--user-data, with XDG_DATA_HOME in the work directory) plays some moves and
# and selects a ball, and is ended by SIGTERM, and in a second case by the death of its X
# server; the game is kept as it stood, and the next --user-data start (with another seed)
# shows it, pixel for pixel what the headless game shows after the same moves (but for the
# selected ball, which jumps), and plays on from there, the ball still selected. The classic start from a terminal keeps no
# game, and with --keep-game it keeps it in the current directory.
# Usage: resume_e2e.sh <rolvi_e2e program> <autoplay program> <replay program> <work directory>
set -euo pipefail

replay="$(realpath "$3")"
source "$(dirname "$(realpath "${BASH_SOURCE[0]}")")/x_session.sh"
begin_test "$1" "$2" "$4"
start_window_manager || { fail "no window manager"; exit 1; }

seed=7
data="$PWD/xdg"
kept="$data/rolvi/rolvi.game"
# Six moves of the greedy player and its seventh, and the game they lead to as the headless
# game paints it.
"$autoplay" --seed "$seed" --moves 7 | grep '^click' > all.txt
head -n 12 all.txt > moves.txt
tail -n 2 all.txt > next.txt
read -r _ from_column from_row < next.txt
for name in moves all; do
  { cat "$name.txt"; echo "size 612 374"; echo "shot $PWD/expected-$name.png"; } |
    "$replay" --seed "$seed" --dir "$PWD/replay-$name" > /dev/null
done

# The client area of the main window, 612 by 374 below its menu bar, as a PNG.
client_shot() {  # name
  shot "$1-screen"
  convert "$1-screen.png" -crop "612x374+$client_x+$client_y" +repage "$1.png"
}
# The picture with the cell of the ball that was selected (it jumps) blacked out.
without_selected() {  # picture, result
  local x=$((144 + 36 * from_column)) y=$((47 + 36 * from_row))
  convert "$1" -fill black -draw "rectangle $x,$y $((x + 35)),$((y + 35))" "$2"
}
same_picture() {  # label, picture, expected picture
  local differing
  differing="$(compare -metric AE "$2" "$3" null: 2>&1 || true)"
  check_equal "$1: pixels that differ from the headless game's" 0 "$differing"
}
# Plays the six moves, selects the seventh move's ball and lets it jump a while.
play_and_select() {
  play_moves moves.txt
  cp "$kept" turn-end.kept
  xdotool mousemove $((client_x + 142 + 36 * from_column + 18)) \
    $((client_y + 45 + 36 * from_row + 18)) click 1
  sleep 0.5
}
# What the end of the session kept: the game with the ball still selected.
check_kept() {  # label
  check_equal "$1: kept game size" 184 "$(stat -c %s "$kept" 2> /dev/null || echo none)"
  local flags
  flags="$(od -An -tu1 -j136 -N1 "$kept" 2> /dev/null | tr -d ' ')"
  check_equal "$1: kept with the ball selected" 4 "$((${flags:-0} & 4))"
  cmp -s turn-end.kept "$kept" && fail "$1: the session's end kept nothing new" ||
    echo "ok: $1: the session's end kept the game as it stood"
}

# Starts again with another seed: the kept game is shown, its ball still selected, and the
# seventh move plays from there.
continues() {  # label
  if launch 99 "again-$1" XDG_DATA_HOME="$data" --user-data; then
    client_shot "continued-$1"
    without_selected "continued-$1.png" "continued-$1-masked.png"
    without_selected expected-moves.png expected-moves-masked.png
    same_picture "$1" "continued-$1-masked.png" expected-moves-masked.png
    read -r _ column row < <(tail -n 1 next.txt)
    xdotool mousemove $((client_x + 142 + 36 * column + 18)) \
      $((client_y + 45 + 36 * row + 18)) click 1
    sleep 1.6
    # Minimised and restored: a whole paint, as the headless game's.
    xdotool windowminimize --sync "$main" 2> /dev/null || xdotool windowminimize "$main"
    sleep 0.5
    activate "$main"
    sleep 0.5
    client_shot "moved-$1"
    same_picture "$1, after the seventh move" "moved-$1.png" expected-all.png
    quit "$1, the continued run"
  else
    fail "$1: the main window did not appear again"
  fi
}

echo "-- SIGTERM in the middle of a game"
if launch "$seed" term XDG_DATA_HOME="$data" --user-data; then
  play_and_select
  kill -TERM "$program_pid"
  wait_exit 50
  check_equal "term: exit status" 0 "$exit_status"
  check_kept term
  continues term
else
  fail "term: no main window"
fi

echo "-- the X server dies in the middle of a game"
rm -f "$kept"
if launch "$seed" lost XDG_DATA_HOME="$data" --user-data; then
  play_and_select
  kill -KILL "$xvfb_pid"
  xvfb_pid=""
  wait_exit 50
  [ "$exit_status" != "still running" ] && echo "ok: lost: the program ended ($exit_status)" ||
    fail "lost: the program kept running"
  check_kept lost
  kill "$wm_pid" 2> /dev/null || true
  start_display
  start_window_manager || fail "lost: no window manager on the new display"
  continues lost
else
  fail "lost: no main window"
fi

echo "-- a terminal start keeps no game; --keep-game keeps it beside the record file"
if launch "$seed" classic; then
  play_moves moves.txt
  quit "classic"
  check_equal "classic: files in the current directory" "" "$(ls classic)"
fi
if launch "$seed" asked --keep-game; then
  play_moves moves.txt
  quit "--keep-game"
  check_equal "--keep-game: files in the current directory" "rolvi.game" "$(ls asked)"
  if launch 99 asked --keep-game; then
    client_shot continued-asked
    same_picture "--keep-game" continued-asked.png expected-moves.png
    quit "--keep-game, the continued run"
  fi
fi

finish "kept game"
