# Shared by the end-to-end tests: a private Xvfb display, checks that count failures, starting
# and ending the program, and helpers that wait for windows, read their geometry, take
# screenshots and read pixels. A test sources it, then calls begin_test with its arguments;
# the EXIT trap stops the display, the window manager if one was started, and the program
# whose pid is in $program_pid.

# The programs run at scale 1 unless a test sets a scale itself.
unset ROLVI_SCALE GDK_SCALE

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
check_equal() {  # what, expected, actual
  if [ "$2" = "$3" ]; then echo "ok: $1"; else fail "$1: expected '$2', got '$3'"; fi
}

# A display of our own (1024x768 unless $xvfb_screen says otherwise); start_display makes a
# new one after a test has killed the last.
program_pid=""
wm_pid=""
xvfb_pid=""
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2> /dev/null || true
  [ -n "$wm_pid" ] && kill "$wm_pid" 2> /dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2> /dev/null || true
}
trap cleanup EXIT
start_display() {
  rm -f display.txt
  exec 3> display.txt
  # No reset when the last client leaves: a client connecting during a reset can be refused.
  Xvfb -displayfd 3 -screen 0 "${xvfb_screen:-1024x768x24}" -nolisten tcp -noreset \
    >> xvfb.log 2>&1 &
  xvfb_pid=$!
  exec 3>&-
  for _ in $(seq 300); do  # up to 30 s
    [ -s display.txt ] && break
    sleep 0.1
  done
  export DISPLAY=":$(head -n 1 display.txt)"
}

# Begins a test: the program (and with three arguments the greedy player) as absolute paths
# in $program and $autoplay, a fresh work directory (the last argument) as the current one,
# and a display of its own there (set xvfb_screen first for another screen than 1024x768x24).
begin_test() {  # program [autoplay] work_directory
  program="$(realpath "$1")"
  [ $# -lt 3 ] || autoplay="$(realpath "$2")"
  local work="${!#}"
  rm -rf "$work"
  mkdir -p "$work"
  cd "$work"
  start_display
}

# The last line of a test: how many checks failed, or that all passed.
finish() {  # what the test checks
  if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed; see $PWD"
    exit 1
  fi
  echo "all $1 checks passed"
}

# Waits until a top-level window with this exact name is viewable; prints its id.
wait_window() {
  for _ in $(seq 100); do
    local id
    id="$(xwininfo -root -tree 2> /dev/null | grep -F "\"$1\": (" | awk '{ print $1 }' | head -n 1)"
    if [ -n "$id" ] && xwininfo -id "$id" | grep -q IsViewable; then
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  return 1
}
wait_gone() {
  for _ in $(seq 50); do
    local id
    id="$(xwininfo -root -tree 2> /dev/null | grep -F "\"$1\": (" | awk '{ print $1 }' | head -n 1)"
    if [ -z "$id" ] || ! xwininfo -id "$id" | grep -q IsViewable; then return 0; fi
    sleep 0.1
  done
  return 1
}
geometry() {  # prints "x y width height" of a window
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
    /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'
}
shot() { import -window root "$1.png"; }
# Colour of a screen pixel in a screenshot, as #RRGGBB.
pixel() {
  convert "$1.png" -crop "1x1+$2+$3" +repage -depth 8 txt:- | tail -n 1 |
    grep -o '#[0-9A-F]\{6\}'
}
# The screen centre of a board cell in the main window's client area (column, then row).
cell_x() { echo $((client_x + 142 + 2 + 36 * $1 + 18)); }
cell_y() { echo $((client_y + 45 + 2 + 36 * $1 + 18)); }
# Reads the 81 cells of a screenshot into colour[column,row] and sets empty to the most
# common colour, that of an empty cell (a fresh board has only a few balls).
read_board() {  # screenshot name
  declare -gA colour
  local row column
  for row in $(seq 0 8); do
    for column in $(seq 0 8); do
      colour[$column,$row]="$(pixel "$1" "$(cell_x "$column")" "$(cell_y "$row")")"
    done
  done
  empty="$(printf '%s\n' "${colour[@]}" | sort | uniq -c | sort -rn | head -n 1 | awk '{print $2}')"
}
key() {
  xdotool windowfocus --sync "$main" 2> /dev/null || true
  xdotool key "$@"
  sleep 0.4
}


# Starts IceWM with its classic win95 theme and no task bar, as a desktop a player might use;
# returns once it manages the screen (it has set _NET_SUPPORTING_WM_CHECK on the root).
start_window_manager() {
  mkdir -p wm-home/.icewm
  echo 'Theme="win95/default.theme"' > wm-home/.icewm/theme
  printf 'ShowTaskBar=0\n' > wm-home/.icewm/preferences
  # Title fonts through fontconfig, so that Chinese captions find a face.
  printf 'TitleFontNameXft="WenQuanYi Micro Hei:size=9"\n' > wm-home/.icewm/prefoverride
  local attempt
  for attempt in 1 2 3; do  # a window manager that could not connect is started again
    HOME="$PWD/wm-home" icewm >> icewm.log 2>&1 &
    wm_pid=$!
    for _ in $(seq 300); do  # up to 30 s: a loaded machine starts it slowly
      xprop -root _NET_SUPPORTING_WM_CHECK 2> /dev/null | grep -q 'window id' && return 0
      kill -0 "$wm_pid" 2> /dev/null || break
      sleep 0.1
    done
    echo "the window manager did not start (attempt $attempt)" >> icewm.log
  done
  echo "the window manager did not start" >&2
  return 1
}
# Gives a window the focus the way a desktop does, through the window manager.
activate() {
  xdotool windowactivate --sync "$1" 2> /dev/null || xdotool windowfocus --sync "$1" 2> /dev/null || true
}

# The frame a window manager put around a window: "left right top bottom", zeros without one.
frame_extents() {
  local extents
  extents="$(xprop -id "$1" _NET_FRAME_EXTENTS 2> /dev/null | grep -o '= .*' | tr -d '=,' || true)"
  echo "${extents:- 0 0 0 0}" | sed 's/^ *//'
}
# "x y width height" of a window with its frame.
outer_geometry() {
  local x y w h left right top bottom
  read -r x y w h <<< "$(geometry "$1")"
  read -r left right top bottom <<< "$(frame_extents "$1")"
  echo "$((x - left)) $((y - top)) $((w + left + right)) $((h + top + bottom))"
}
# A window id as a number, for comparing ids that xwininfo and xprop print differently.
window_number() { printf '%d' "$1"; }
# The owner a window names in WM_TRANSIENT_FOR, as a number; empty without one.
transient_for() {
  local owner
  owner="$(xprop -id "$1" WM_TRANSIENT_FOR 2> /dev/null | grep -o '0x[0-9a-f]*' || true)"
  [ -n "$owner" ] && window_number "$owner"
}
# Waits up to $1 tenths of a second (default 100) for the program whose pid is in
# $program_pid to end and sets exit_status to its exit code, or to "still running" after
# stopping it. (Only the shell that started the program can wait for it, so this is no
# command substitution.)
wait_exit() {  # [tenths]
  for _ in $(seq "${1:-100}"); do
    kill -0 "$program_pid" 2> /dev/null || break
    sleep 0.1
  done
  exit_status=0
  if kill -0 "$program_pid" 2> /dev/null; then
    kill "$program_pid" 2> /dev/null || true
    wait "$program_pid" 2> /dev/null || true
    exit_status="still running"
  else
    wait "$program_pid" || exit_status=$?
  fi
  program_pid=""
}

# Plays moves given as pairs of replay lines "click COL ROW" (the greedy player's output) on
# the board of a 612 by 374 client area whose top-left is at ($client_x, $client_y); each
# move waits for its animation, removal, score race or drops.
play_moves() {  # file of moves
  local column row
  while read -r _ column row; do
    xdotool mousemove $((client_x + 142 + 36 * column + 18)) $((client_y + 45 + 36 * row + 18)) click 1
    sleep 0.15
    read -r _ column row
    xdotool mousemove $((client_x + 142 + 36 * column + 18)) $((client_y + 45 + 36 * row + 18)) click 1
    sleep 1.6
  done < "$1"
}

# env's arguments that start a program in Chinese, the language the tests read, whatever the
# caller's locale: LANG=zh_CN.UTF-8 and no other locale variable.
chinese_locale=(-u LANGUAGE -u LC_ALL -u LC_MESSAGES LANG=zh_CN.UTF-8)

# Starts the program in directory $2 (made when missing) with ROLVI_TEST_SEED=$1, in Chinese
# (chinese_locale), with the environment assignments (NAME=value) and then the program
# arguments that follow; its output goes to $2.log. Waits for the main window and the first
# game's drops ($drops_seconds, 1.5 by default) and activates it; false when no window appears.
# Sets program_pid, main, launch_ms (how long the window took to appear), and client_x and
# client_y, where the 612 by 374 game area starts below the menu bar.
launch() {  # seed directory [NAME=value...] [arguments...]
  local seed="$1" directory="$2" settings=() start y height
  shift 2
  while [ $# -gt 0 ] && [[ "$1" == *=* ]]; do
    settings+=("$1")
    shift
  done
  mkdir -p "$directory"
  start=$(date +%s%N)
  env -C "$directory" "${chinese_locale[@]}" ROLVI_TEST_SEED="$seed" SDL_AUDIODRIVER=dummy \
    "${settings[@]}" "$program" "$@" >> "$directory.log" 2>&1 &
  program_pid=$!
  main="$(wait_window "Color rolvi")" || return 1
  launch_ms=$((($(date +%s%N) - start) / 1000000))
  sleep "${drops_seconds:-1.5}"
  activate "$main"
  read -r client_x y _ height <<< "$(geometry "$main")"
  client_y=$((y + height - 374))
}
# The greedy player's clicks from seed $1 until it has scored, in at most $2 moves, in
# moves.txt.
scoring_moves() {  # seed, moves
  "$autoplay" --seed "$1" --until score:10 --moves "$2" | grep '^click' > moves.txt
}
# Closes the records list with its button once it shows (after a screenshot when $2 names
# one); fails the check named $1 when it does not show or does not go.
close_records() {  # label [screenshot]
  local records
  records="$(wait_window "排行榜")" || { fail "$1: the records list did not show"; return 1; }
  [ -z "${2:-}" ] || shot "$2"
  activate "$records"
  xdotool key Return
  wait_gone "排行榜" || fail "$1: the records list stayed open"
}
# Ends the program with Alt+x and checks that it exits with code 0.
quit() {  # label for the check
  activate "$main"
  xdotool key alt+x
  wait_exit
  check_equal "$1: exit code after Alt+x" 0 "$exit_status"
}
