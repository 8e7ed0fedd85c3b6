# The smoke checks of the Windows program under Wine, in a virtual X display, shared by
# scripts/test-windows (64-bit Wine) and scripts/test-windows32 (32-bit Wine). Sourced; the
# caller sets these and then calls run_smoke_checks:
#   smoke_name      the calling script, for messages
#   wine            the command that runs a Windows program (an array: the 32-bit one runs in
#                   a root of its own); wineserver its wineserver, likewise
#   work            the folder for the prefix, the runs and the screenshots
#   program         the program of runs 1 and 2; seeded_program the same build's
#                   rolvi_smoke.exe, whose first game follows ROLVI_TEST_SEED (run 3)
#   docs            where the screenshots worth keeping go
#   start_timeout   seconds a start may take to show its window before it is retried
# Run 1: the title "Color rolvi", F1 (rules), F5 (statistics), a ball moved by two clicks and
# another by keys alone, the about box, the default records list, Alt+x with exit code 0 and no record file. Run 2: a
# prepared record file shown by the records dialog and left byte for byte as it was by a run
# in which nothing qualifies. Run 3: a game played to a score (the greedy player's moves for
# a fixed seed), ended with F4, a name entered; the record file then holds exactly what the
# headless game writes for the same moves and name.
# Every step waits for what the next one needs (a window, its picture drawn, a menu open, the
# board the headless game has after a move, a file), each with a time-out; none sleeps for a
# fixed time.

step() {  # a line of the log, with the seconds since the checks began
  echo "-- [$((SECONDS - smoke_started)) s] $*"
}

smoke_fail() {
  echo "$smoke_name: FAILED: $*" >&2
  exit 1
}

# The native replay tools that plan and check run 3, in the release build of scripts/test.
build_smoke_tools() {
  cmake --preset release > /dev/null
  cmake --build --preset release --target autoplay replay > /dev/null
  autoplay="$(pwd)/build/release/tools/replay/autoplay"
  replay="$(pwd)/build/release/tools/replay/replay"
}

# --- Wine and the display ---------------------------------------------------------------------

xvfb_pid=""
game_pid=""
# Ends the program's start: the loader (which became the program's process) and the
# subshell that waits for it.
stop_game() {
  [ -n "$game_pid" ] || return 0
  pkill -P "$game_pid" 2> /dev/null || true
  kill "$game_pid" 2> /dev/null || true
  wait "$game_pid" 2> /dev/null || true
  game_pid=""
}

smoke_cleanup() {
  stop_game
  timeout 30 "${wineserver[@]}" -k 2> /dev/null || true
  [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2> /dev/null || true
  # The caller's own clean-up, if it has one.
  ! declare -F smoke_after > /dev/null || smoke_after
}

start_display() {
  local display_file="$work/display"
  rm -f "$display_file"
  Xvfb -displayfd 6 -screen 0 1024x768x24 -nolisten tcp 6> "$display_file" > /dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 50); do [ -s "$display_file" ] && break; sleep 0.1; done
  [ -s "$display_file" ] || smoke_fail "Xvfb did not start"
  export DISPLAY=":$(cat "$display_file")"
}

# The prefix, made once, and the font settings of scripts/wine/fonts.reg: Chinese faces for the
# dialog templates and the system's menu and caption fonts, and frames drawn by Wine itself
# (there is no window manager).
prepare_prefix() {
  local attempt
  for attempt in 1 2; do
    [ ! -f "$WINEPREFIX/system.reg" ] || break
    step "creating the Wine prefix (slow the first time)"
    if ! timeout 600 "${wine[@]}" wineboot -i > "$work/wineboot.log" 2>&1 ||
      ! timeout 300 "${wineserver[@]}" -w; then
      echo "   wineboot did not finish (attempt $attempt); starting over with a new prefix"
      timeout 30 "${wineserver[@]}" -k 2> /dev/null || true
      rm -rf "$WINEPREFIX"
    fi
  done
  [ -f "$WINEPREFIX/system.reg" ] || smoke_fail "the Wine prefix could not be made (see $work/wineboot.log)"
  # The .reg file is UTF-8; regedit wants UTF-16.
  { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE scripts/wine/fonts.reg; } > "$work/fonts.reg"
  timeout 300 "${wine[@]}" regedit /S "$work/fonts.reg" > /dev/null 2>&1 ||
    smoke_fail "regedit did not take the font settings"
  timeout 300 "${wineserver[@]}" -w || smoke_fail "Wine did not settle after regedit"
}

# --- windows, screenshots, pixels -------------------------------------------------------------

window_id() {  # window_id NAME -> the X window whose name is exactly NAME, or nothing
  xdotool search --name "^$1\$" 2> /dev/null | head -n 1 || true
}

find_window() {  # find_window NAME TENTHS -> X window id within TENTHS tenths of a second
  local id=""
  for _ in $(seq "$2"); do  # a poll every tenth of a second
    id="$(window_id "$1")"
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

wait_window() {  # wait_window NAME -> X window id
  find_window "$1" 300 || smoke_fail "no window named \"$1\" appeared"
}

wait_gone() {
  for _ in $(seq 200); do
    [ -z "$(window_id "$1")" ] && return 0
    sleep 0.1
  done
  smoke_fail "the window named \"$1\" did not close"
}

geometry() {  # geometry ID -> "X Y WIDTH HEIGHT"
  eval "$(xdotool getwindowgeometry --shell "$1")"
  echo "$X $Y $WIDTH $HEIGHT"
}

# Key events sent to a window; xdotool's complaint that the X focus is PointerRoot (there is no
# window manager) is left out.
send_key() {  # send_key WINDOW KEY...
  xdotool key --window "$@" 2> /dev/null
}

shot() {  # shot FILE
  import -window root "$1" 2> /dev/null
}

# A checksum of what the screen shows in a rectangle.
region_sum() {  # region_sum X Y WIDTH HEIGHT
  import -window root -crop "${3}x${4}+${1}+${2}" rgb:- 2> /dev/null | md5sum | cut -c1-32
}

main_sum() { region_sum "$wx" "$wy" "$ww" "$wh"; }

# Polls a condition every fifth of a second until it holds; fails the checks with what was
# awaited when it has not held within the time-out.
wait_for() {  # wait_for SECONDS WHAT COMMAND...
  local seconds="$1" what="$2" deadline
  shift 2
  deadline=$((SECONDS + seconds))
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || smoke_fail "$what: not within $seconds s"
    sleep 0.2
  done
}

# Waits until the main window's picture stops changing (drops, moves, removals and the score
# race are animated), at most 30 seconds.
wait_still() {
  local previous="" current
  for _ in $(seq 60); do
    current="$(main_sum)"
    [ "$current" = "$previous" ] && return 0
    previous="$current"
    sleep 0.4
  done
  smoke_fail "the main window kept changing for 30 seconds"
}

# True once the main window shows something else than the picture whose checksum is given.
main_changed_from() { [ "$(main_sum)" != "$1" ]; }
main_shows() { [ "$(main_sum)" = "$1" ]; }

# A window has drawn itself once it shows more than two colours and holds still between two
# looks (Wine maps a window before it paints it).
drawn_previous=""
window_drawn() {  # window_drawn ID
  local x y w h sample current colours
  read -r x y w h < <(geometry "$1")
  sample="$work/window.rgb"
  import -window root -crop "${w}x${h}+${x}+${y}" -depth 8 "rgb:$sample" 2> /dev/null || return 1
  current="$(md5sum < "$sample")"
  colours="$(convert -size "${w}x${h}" -depth 8 "rgb:$sample" -format %k info: 2> /dev/null || echo 0)"
  if [ "$current" = "$drawn_previous" ] && [ "$colours" -gt 2 ]; then
    drawn_previous=""
    return 0
  fi
  drawn_previous="$current"
  return 1
}
wait_drawn() {  # wait_drawn ID NAME
  drawn_previous=""
  wait_for 30 "the window \"$2\" drawn" window_drawn "$1"
}

# Opens a menu of the main window with its Alt key and waits until it shows (the picture
# changes: the title is highlighted with the drop-down, and the menu loop then takes the keys)
# and has stopped changing.
open_menu() {  # open_menu KEY
  local before
  before="$(main_sum)"
  send_key "$main" "$1"
  wait_for 20 "the menu of $1 opened" main_changed_from "$before"
  wait_still
}

# Saves the part of a screenshot that covers the given windows into $docs.
save_region() {  # save_region SHOT NAME ID...
  local shot_file="$1" name="$2"
  shift 2
  local left=100000 top=100000 right=0 bottom=0 x y w h
  for id in "$@"; do
    read -r x y w h < <(geometry "$id")
    ((x < left)) && left=$x
    ((y < top)) && top=$y
    ((x + w > right)) && right=$((x + w))
    ((y + h > bottom)) && bottom=$((y + h))
  done
  ((left < 0)) && left=0
  ((top < 0)) && top=0
  convert "$shot_file" -crop "$((right - left))x$((bottom - top))+${left}+${top}" +repage \
    -define png:compression-level=9 -define png:exclude-chunks=date,time "$docs/$name.png"
}

# Prints the colour of each point "x,y" of a screenshot, one per line, in order. Only the
# rectangle around the points is read.
pixels() {  # pixels SHOT x,y...
  local shot_file="$1"
  shift
  local points="$*" left top right bottom
  read -r left top right bottom < <(echo "$points" | tr ' ,' '\n ' | awk '
    NF == 2 {
      if (n++ == 0) { l = r = $1; t = b = $2 }
      if ($1 < l) l = $1; if ($1 > r) r = $1; if ($2 < t) t = $2; if ($2 > b) b = $2
    }
    END { print l, t, r, b }')
  convert "$shot_file" -crop "$((right - left + 1))x$((bottom - top + 1))+$left+$top" +repage txt:- |
    awk -v points="$points" -v left="$left" -v top="$top" '
    BEGIN { n = split(points, list, " "); for (i = 1; i <= n; i++) wanted[list[i]] = i }
    NR > 1 {
      split($1, at, ":"); split(at[1], xy, ",")
      key = (xy[1] + left) "," (xy[2] + top)
      if (key in wanted) colour[wanted[key]] = $NF
    }
    END { for (i = 1; i <= n; i++) print colour[i] }'
}

# The index of the first of the given points where white follows black in a screenshot, or
# nothing.
first_edge() {  # first_edge SHOT x,y...
  local previous="" colour i=0
  for colour in $(pixels "$@"); do
    if [ "$previous" = "black" ] && [ "$colour" = "white" ]; then
      echo "$i"
      return
    fi
    previous="$colour"
    i=$((i + 1))
  done
}

# The board's frame in a screenshot of the main window: its white outer line follows the black
# client background, along the window's middle row and then down a column inside the first
# cell column. Sets board_x and board_y; with "quiet", a board not (yet) shown is no failure.
find_board() {  # find_board SHOT [quiet]
  local mid_y=$((wy + wh / 2)) points="" x y offset
  board_x="" board_y=""
  for x in $(seq $((wx + 8)) $((wx + ww / 2))); do points+="$x,$mid_y "; done
  offset="$(first_edge "$1" $points)"
  if [ -z "$offset" ]; then
    [ -n "${2:-}" ] && return 1
    smoke_fail "board not found on row $mid_y"
  fi
  local left=$((wx + 8 + offset))
  points=""
  for y in $(seq $((wy + 30)) "$mid_y"); do points+="$((left + 20)),$y "; done
  offset="$(first_edge "$1" $points)"
  if [ -z "$offset" ]; then
    [ -n "${2:-}" ] && return 1
    smoke_fail "board top not found"
  fi
  board_x=$left
  board_y=$((wy + 30 + offset))
  [ -n "${2:-}" ] || echo "   board frame at $board_x,$board_y"
}

# The board as 81 characters, row by row, 1 for a ball and 0 for an empty cell, read at the
# cell centres of a screenshot; the empty cell's colour is the most common one. Sets empty.
board_cells() {  # board_cells SHOT
  local points="" row col colours
  for row in $(seq 0 8); do for col in $(seq 0 8); do points+="$(centre "$col" "$row") "; done; done
  mapfile -t colours < <(pixels "$1" $points)
  empty="$(printf '%s\n' "${colours[@]}" | sort | uniq -c | sort -rn | head -n 1 | awk '{print $2}')"
  local colour cells=""
  for colour in "${colours[@]}"; do
    if [ "$colour" = "$empty" ]; then cells+=0; else cells+=1; fi
  done
  echo "$cells"
}

# True once the board shows the cells given (81 characters as board_cells prints them) or,
# given "balls:N", N balls; the first look also finds the board. Sets board_seen.
board_shows() {  # board_shows CELLS|balls:N
  shot "$shots/poll.png"
  if [ -z "${board_x:-}" ]; then
    find_board "$shots/poll.png" quiet || return 1
  fi
  board_seen="$(board_cells "$shots/poll.png")"
  case "$1" in
    balls:*) [ "$(tr -cd 1 <<< "$board_seen" | wc -c)" -eq "${1#balls:}" ] ;;
    *) [ "$board_seen" = "$1" ] ;;
  esac
}

# Waits until the board shows what is given (as for board_shows) and the picture holds still.
wait_board() {  # wait_board CELLS|balls:N WHAT
  local deadline=$((SECONDS + 60))
  until board_shows "$1"; do
    [ "$SECONDS" -lt "$deadline" ] ||
      smoke_fail "$2: the board shows ${board_seen:-no board}, expected $1"
    sleep 0.2
  done
  wait_still
}

centre() {  # centre COLUMN ROW -> "x,y" on the screen
  echo "$((board_x + 2 + 36 * $1 + 18)),$((board_y + 2 + 36 * $2 + 18))"
}

click_cell() {  # click_cell COLUMN ROW
  local at
  at="$(centre "$1" "$2")"
  xdotool mousemove "${at%,*}" "${at#*,}" click 1
}

# A screen checksum of one board cell.
cell_sum() {  # cell_sum COLUMN ROW
  region_sum $((board_x + 2 + 36 * $1)) $((board_y + 2 + 36 * $2)) 36 36
}

# True when the board cell shows a ball (1) or is empty (0), on a fresh screenshot; $empty is
# the empty cell's colour.
board_cell_is() {  # board_cell_is COLUMN ROW 0|1
  local colour
  shot "$shots/poll.png"
  colour="$(pixels "$shots/poll.png" "$(centre "$1" "$2")")"
  if [ "$3" = 0 ]; then [ "$colour" = "$empty" ]; else [ "$colour" != "$empty" ]; fi
}

# Selects the ball of one cell, waits until it jumps (its cell's picture changes: the
# selection has been taken), then clicks the cell it is to go to.
move_ball() {  # move_ball COLUMN ROW TO_COLUMN TO_ROW
  local resting
  resting="$(cell_sum "$1" "$2")"
  click_cell "$1" "$2"
  wait_for 20 "the ball at $1,$2 selected (jumping)" cell_changed_from "$1" "$2" "$resting"
  click_cell "$3" "$4"
}
cell_changed_from() { [ "$(cell_sum "$1" "$2")" != "$3" ]; }

# The empty cell farthest down the board, off the ball's row, that the ball can reach in
# up/down/left/right steps through empty cells; -1 if there is none.
reachable_target() {  # reachable_target BALL OCCUPANCY (81 characters, 1 for a ball)
  awk -v ball="$1" -v cells="$2" 'BEGIN {
    for (i = 0; i < 81; i++) empty[i] = substr(cells, i + 1, 1) == "0"
    queue[0] = ball; seen[ball] = 1; head = 0; tail = 1
    while (head < tail) {
      c = queue[head++]; n = 0
      if (c >= 9) step[++n] = c - 9
      if (c < 72) step[++n] = c + 9
      if (c % 9 > 0) step[++n] = c - 1
      if (c % 9 < 8) step[++n] = c + 1
      for (j = 1; j <= n; j++)
        if (empty[step[j]] && !(step[j] in seen)) { seen[step[j]] = 1; queue[tail++] = step[j] }
    }
    for (i = 80; i >= 0; i--)
      if (i != ball && (i in seen) && int(i / 9) != int(ball / 9)) { print i; exit }
    print -1
  }'
}

# --- starting and ending the program ----------------------------------------------------------

# Runs a program in $run_dir, its exit code into $run_dir/exit-code, and waits for its main
# window and the first game's board (the cells given, or five balls), its drops over. A start
# that shows no window in $start_timeout seconds is ended with the whole Wine session and
# tried again, at most three times in all; each retry is logged.
start_game() {  # start_game PROGRAM [CELLS]
  local attempt started
  for attempt in 1 2 3; do
    rm -f "$run_dir/exit-code"
    started=$SECONDS
    (cd "$run_dir" && { "${wine[@]}" "$1" > "$work/program.log" 2>&1; echo $? > exit-code; }) &
    game_pid=$!
    if main="$(find_window "Color rolvi" $((start_timeout * 10)))"; then
      echo "   window after $((SECONDS - started)) s"
      read -r wx wy ww wh < <(geometry "$main")
      board_x=""
      wait_board "${2:-balls:5}" "the first game's drops"
      return 0
    fi
    echo "   no window after $start_timeout s (start $attempt of 3): ending Wine"
    stop_game
    timeout 30 "${wineserver[@]}" -k 2> /dev/null || true
    [ "$attempt" = 3 ] || echo "   RETRY: starting again"
  done
  smoke_fail "no window named \"Color rolvi\" appeared in three starts"
}

end_game() {  # Alt+x, then the exit code must be 0
  send_key "$main" alt+x
  wait_for 60 "the program's end after Alt+x (its exit code in a file)" test -f "$run_dir/exit-code"
  wait "$game_pid" || true
  game_pid=""
  [ "$(cat "$run_dir/exit-code")" = 0 ] ||
    smoke_fail "exit code $(cat "$run_dir/exit-code"), expected 0"
  wait_gone "Color rolvi"
}

new_run_dir() {
  rm -rf "$run_dir"
  mkdir -p "$run_dir"
}

# --- run 1: no record file --------------------------------------------------------------------

run_first() {
  new_run_dir
  step "run 1: start, window title"
  start_game "$program"
  echo "   main window at $wx,$wy, $ww x $wh"
  shot "$shots/main.png"
  save_region "$shots/main.png" main "$main"

  step "the File menu"
  local idle
  idle="$(main_sum)"
  xdotool mousemove $((wx + 22)) $((wy + 33)) click 1
  wait_for 20 "the File menu opened by a click" main_changed_from "$idle"
  wait_still
  shot "$shots/menu.png"
  convert "$shots/menu.png" -crop "${ww}x${wh}+${wx}+${wy}" +repage \
    -define png:compression-level=9 -define png:exclude-chunks=date,time "$docs/menu.png"
  # The first Escape closes the drop-down, the second leaves the menu bar: the window is then
  # as it was before the click.
  xdotool key Escape
  xdotool key Escape
  wait_for 20 "the File menu closed by two Escapes" main_shows "$idle"

  step "F1: rules"
  send_key "$main" F1
  local rules
  rules="$(wait_window "规则")"
  wait_drawn "$rules" "规则"
  shot "$shots/rules.png"
  save_region "$shots/rules.png" rules "$main" "$rules"
  send_key "$rules" Return
  wait_gone "规则"

  step "F5: statistics window"
  send_key "$main" F5
  local stats
  stats="$(wait_window "统计")"
  wait_drawn "$stats" "统计"
  shot "$shots/statistics.png"
  save_region "$shots/statistics.png" statistics "$main" "$stats"

  step "a ball moves to an empty cell"
  find_board "$shots/statistics.png"
  local cells="" row col
  for row in $(seq 0 8); do for col in $(seq 0 8); do cells+="$(centre "$col" "$row") "; done; done
  local before
  mapfile -t before < <(pixels "$shots/statistics.png" $cells)
  # The empty cell's colour is the most common one; everything else is a ball.
  local empty
  empty="$(printf '%s\n' "${before[@]}" | sort | uniq -c | sort -rn | head -n 1 | awk '{print $2}')"
  local ball=-1 occupancy="" i
  for i in $(seq 0 80); do
    if [ "${before[$i]}" = "$empty" ]; then occupancy+=0; else occupancy+=1; fi
    if [ "${before[$i]}" != "$empty" ] && [ "$ball" -lt 0 ]; then ball=$i; fi
  done
  [ "$ball" -ge 0 ] || smoke_fail "no ball on the board"
  local target
  target="$(reachable_target "$ball" "$occupancy")"
  [ "$target" -ge 0 ] || smoke_fail "no empty cell the ball can reach"
  local ball_at target_at
  ball_at="$(centre $((ball % 9)) $((ball / 9)))"
  target_at="$(centre $((target % 9)) $((target / 9)))"
  echo "   ball at cell $((ball % 9)),$((ball / 9)), moving to $((target % 9)),$((target / 9))"
  move_ball $((ball % 9)) $((ball / 9)) $((target % 9)) $((target / 9))
  wait_for 30 "the ball gone from its cell" board_cell_is $((ball % 9)) $((ball / 9)) 0
  wait_still
  shot "$shots/moved.png"
  local after
  mapfile -t after < <(pixels "$shots/moved.png" "$ball_at" "$target_at")
  # The moved ball stands on its last jump frame, so its centre need not match its old one.
  [ "${after[1]}" != "$empty" ] || smoke_fail "the target cell is still empty"
  [ "${after[0]}" = "$empty" ] || smoke_fail "the ball's cell is not empty after the move (${after[0]})"
  save_region "$shots/moved.png" after-move "$main" "$stats"
  send_key "$main" F5
  wait_gone "统计"
  keyboard_move "$shots/moved.png" "$empty"

  step "about box"
  open_menu alt+h
  xdotool key a
  local about
  about="$(wait_window "关于")"
  wait_drawn "$about" "关于"
  shot "$shots/about.png"
  save_region "$shots/about.png" about "$main" "$about"
  send_key "$about" alt+F4 # the close path
  wait_gone "关于"

  step "records dialog with the default table"
  open_menu alt+f
  xdotool key h
  local records
  records="$(wait_window "排行榜")"
  wait_drawn "$records" "排行榜"
  read -r rx ry rw rh < <(geometry "$records")
  shot "$shots/records-default.png"
  send_key "$records" alt+F4
  wait_gone "排行榜"

  step "Alt+x"
  end_game
  [ ! -e "$run_dir/winrolvi.res" ] || smoke_fail "a run without a result wrote a record file"
}

# The arrows from one cell to another, as X key names: across, then down or up.
arrows_between() {  # arrows_between FROM TO (cell indexes)
  local dx=$(($2 % 9 - $1 % 9)) dy=$(($2 / 9 - $1 / 9)) keys=""
  while [ $dx -gt 0 ]; do keys+="Right "; dx=$((dx - 1)); done
  while [ $dx -lt 0 ]; do keys+="Left "; dx=$((dx + 1)); done
  while [ $dy -gt 0 ]; do keys+="Down "; dy=$((dy - 1)); done
  while [ $dy -lt 0 ]; do keys+="Up "; dy=$((dy + 1)); done
  echo "$keys"
}

# A move by keys alone: the first arrow shows the board cursor on the centre cell (no ball is
# selected), arrows and Return pick a ball and send it to an empty cell it can reach.
keyboard_move() {  # keyboard_move SHOT EMPTY_COLOUR
  step "a ball moves by keys"
  local cells="" row col colours occupancy="" ball=-1 i
  for row in $(seq 0 8); do for col in $(seq 0 8); do cells+="$(centre "$col" "$row") "; done; done
  mapfile -t colours < <(pixels "$1" $cells)
  for i in $(seq 0 80); do
    if [ "${colours[$i]}" = "$2" ]; then occupancy+=0; else occupancy+=1; fi
    if [ "${colours[$i]}" != "$2" ] && [ "$ball" -lt 0 ]; then ball=$i; fi
  done
  local target
  target="$(reachable_target "$ball" "$occupancy")"
  [ "$ball" -ge 0 ] && [ "$target" -ge 0 ] || smoke_fail "no ball with an empty cell to go to"
  echo "   ball at cell $((ball % 9)),$((ball / 9)), moving to $((target % 9)),$((target / 9))"
  # shellcheck disable=SC2046  # one key a word
  send_key "$main" Left $(arrows_between 40 "$ball") Return $(arrows_between "$ball" "$target") Return
  sleep 0.5
  wait_still
  shot "$shots/moved-by-keys.png"
  local after frame_x frame_y
  frame_x=$((board_x + 2 + 36 * (target % 9)))
  frame_y=$((board_y + 2 + 36 * (target / 9)))
  mapfile -t after < <(pixels "$shots/moved-by-keys.png" "$(centre $((ball % 9)) $((ball / 9)))" \
    "$(centre $((target % 9)) $((target / 9)))" "$frame_x,$frame_y")
  [ "${after[0]}" = "$2" ] || smoke_fail "by keys: the ball's cell is not empty after the move"
  [ "${after[1]}" != "$2" ] || smoke_fail "by keys: the target cell is still empty"
  [ "${after[2]}" = "navy" ] || smoke_fail "by keys: no board cursor on the target (${after[2]})"
}

# --- run 2: a prepared record file ------------------------------------------------------------

record() {  # record NAME SCORE: one 16-byte record (length, 13 name bytes, score LE)
  local name="$1" score="$2"
  printf "\\x$(printf %02x ${#name})"
  printf '%s' "$name"
  head -c $((13 - ${#name})) /dev/zero
  printf "\\x$(printf %02x $((score & 255)))\\x$(printf %02x $((score >> 8)))"
}

run_prepared_file() {
  step "run 2: records dialog with a prepared record file"
  new_run_dir
  {
    record "Wine Tester" 4321
    record "Alice" 900
    record "Bob" 850
    record "Carol" 700
    record "Dave" 512
    record "Eve" 300
    record "Mallory" 256
    record "Trent" 120
    record "Peggy" 42
    record "Victor" 7
  } > "$run_dir/winrolvi.res"
  cp "$run_dir/winrolvi.res" "$work/winrolvi.res.prepared"
  [ "$(stat -c %s "$run_dir/winrolvi.res")" = 160 ] || smoke_fail "prepared record file is not 160 bytes"
  start_game "$program"
  # File menu, second item: the records list.
  open_menu alt+f
  xdotool key h
  local records
  records="$(wait_window "排行榜")"
  wait_drawn "$records" "排行榜"
  shot "$shots/records.png"
  save_region "$shots/records.png" records "$main" "$records"
  # The same dialog at the same place must show other rows than with the default table.
  local list_area="$((rw - 40))x$((rh - 80))+$((rx + 20))+$((ry + 40))"
  convert "$shots/records-default.png" -crop "$list_area" +repage "$shots/list-default.png"
  convert "$shots/records.png" -crop "$list_area" +repage "$shots/list-file.png"
  if compare -metric AE "$shots/list-default.png" "$shots/list-file.png" null: 2> /dev/null; then
    smoke_fail "the records dialog shows the default table, not the prepared file"
  fi
  send_key "$records" alt+F4
  wait_gone "排行榜"
  step "F4 (a new game: score 0 does not qualify), then Alt+x"
  local old_game
  old_game="$(main_sum)"
  send_key "$main" F4
  wait_for 20 "the new game after F4" main_changed_from "$old_game"
  wait_board balls:5 "the new game's drops"
  end_game
  cmp "$work/winrolvi.res.prepared" "$run_dir/winrolvi.res" ||
    smoke_fail "the record file changed in a run in which nothing qualified"
}

# --- run 3: a result written ------------------------------------------------------------------

run_result_written() {
  local seed=3 name=tester # typed as key events sent to the dialog, which carry no Shift
  step "run 3: a game played to a score, a name entered, the record file written"
  new_run_dir
  # The greedy player's moves for the seed, and the record file the headless game writes when
  # those moves are followed by a new game and the name.
  "$autoplay" --seed "$seed" --until score:10 --moves 60 | grep '^click' > "$work/moves.txt"
  rm -rf "$work/expected" "$work/expected-boards"
  mkdir -p "$work/expected" "$work/expected-boards"
  { cat "$work/moves.txt"; echo "name $name"; echo "command 256"; } |
    "$replay" --seed "$seed" --dir "$work/expected" > /dev/null
  [ -s "$work/expected/winrolvi.res" ] || smoke_fail "the headless game wrote no record file"
  # The board the headless game has at the start and after each move, one line each: what
  # each step waits for.
  { echo dump; while read -r first && read -r second; do
    printf '%s\n%s\ndump\n' "$first" "$second"
  done < "$work/moves.txt"; } | "$replay" --seed "$seed" --dir "$work/expected-boards" |
    awk '/^board$/ { cells = ""; rows = 9; next } rows > 0 { cells = cells $1; if (--rows == 0) {
      gsub(/[1-9]/, "1", cells); print cells } }' > "$work/boards.txt"
  [ "$(wc -l < "$work/boards.txt")" -eq $(($(wc -l < "$work/moves.txt") / 2 + 1)) ] ||
    smoke_fail "the headless game's boards do not match its moves"

  local boards
  mapfile -t boards < "$work/boards.txt"
  ROLVI_TEST_SEED=$seed start_game "$seeded_program" "${boards[0]}"
  shot "$shots/seeded.png"
  find_board "$shots/seeded.png"
  local from_column from_row column row moves=0
  while read -r _ from_column from_row && read -r _ column row; do
    moves=$((moves + 1))
    move_ball "$from_column" "$from_row" "$column" "$row"
    wait_board "${boards[$moves]}" "move $moves"
  done < "$work/moves.txt"
  echo "   $moves moves played"
  shot "$shots/scored.png"
  save_region "$shots/scored.png" scored "$main"

  step "F4: the name dialog"
  send_key "$main" F4
  local dialog
  dialog="$(wait_window "恭喜恭喜")"
  wait_drawn "$dialog" "恭喜恭喜"
  # Whatever the field holds first goes; then the name and Return.
  send_key "$dialog" End
  for _ in $(seq 16); do send_key "$dialog" BackSpace; done
  xdotool type --window "$dialog" --delay 50 "$name" 2> /dev/null
  wait_drawn "$dialog" "恭喜恭喜 with the name typed"
  shot "$shots/name.png"
  save_region "$shots/name.png" name-dialog "$main" "$dialog"
  send_key "$dialog" Return
  wait_gone "恭喜恭喜"
  local records
  records="$(wait_window "排行榜")"
  wait_drawn "$records" "排行榜"
  shot "$shots/records-entered.png"
  save_region "$shots/records-entered.png" records-entered "$main" "$records"
  send_key "$records" alt+F4
  wait_gone "排行榜"
  wait_still
  end_game
  [ -f "$run_dir/winrolvi.res" ] || smoke_fail "no record file after a qualifying game"
  cmp "$work/expected/winrolvi.res" "$run_dir/winrolvi.res" ||
    smoke_fail "the record file differs from the headless game's ($(od -An -tx1 "$run_dir/winrolvi.res" | head -n 3))"
  echo "   record file holds $name with $(od -An -tu2 -j30 -N2 "$run_dir/winrolvi.res" | tr -d ' ') points"
}

# --- everything -------------------------------------------------------------------------------

run_smoke_checks() {
  smoke_started=$SECONDS
  shots="$work/shots"
  run_dir="$work/run"
  mkdir -p "$work" "$shots" "$docs"
  # Window titles are Chinese: xdotool matches them, and Wine runs, in a UTF-8 locale, also
  # where the caller's locale is POSIX.
  export LC_ALL=C.UTF-8
  export WINEPREFIX="$work/prefix"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=" # no Mono or Gecko installer prompts
  trap smoke_cleanup EXIT
  start_display
  prepare_prefix
  run_first
  run_prepared_file
  run_result_written
}
