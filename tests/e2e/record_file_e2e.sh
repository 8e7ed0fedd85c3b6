#!/usr/bin/env bash
# End-to-end test of where the desktop program keeps its record file, under a window manager:
# a FIFO named winrolvi.res neither hangs the start nor takes the table at exit; started with
# --user-data, as its desktop entry starts it, the program keeps the file in the user's data
# directory (made private on demand) and nothing in the current one; a data directory that
# cannot be made is reported once and the game plays on; unknown arguments get a usage and
# exit code 2.
# Usage: record_file_e2e.sh <rolvi_e2e program> <autoplay program> <work directory>
set -euo pipefail

program="$(realpath "$1")"
autoplay="$(realpath "$2")"
work="$3"
rm -rf "$work"
mkdir -p "$work"
cd "$work"

source "$(dirname "$(realpath "${BASH_SOURCE[0]}")")/x_session.sh"
start_window_manager || { fail "no window manager"; exit 1; }

# Five moves from seed 10 score a line; with the default table any score enters it.
seed=10
"$autoplay" --seed "$seed" --until score:10 --moves 20 | grep '^click' > moves.txt

# Starts the program in directory $1 with the environment and arguments that follow (an
# environment assignment is NAME=value); its output goes to $1.log. Sets program_pid and main,
# and started_ms, how long the window took to appear.
start_program() {
  local directory="$1"
  shift
  local start
  start=$(date +%s%N)
  env -C "$directory" ROLVI_TEST_SEED=$seed SDL_AUDIODRIVER=dummy "$@" > "$directory.log" 2>&1 &
  program_pid=$!
  main="$(wait_window "Color rolvi")" || return 1
  started_ms=$((($(date +%s%N) - start) / 1000000))
  sleep 1.5  # the first game's drops
}
press() {  # window id, keys...
  activate "$1"
  shift
  xdotool key "$@"
  sleep 0.4
}
# Plays the moves, ends the game with F4, takes the offered name and closes the records list.
enter_a_result() {
  local main_x main_y main_width main_height client_x client_y
  read -r main_x main_y main_width main_height <<< "$(geometry "$main")"
  client_x=$main_x
  client_y=$((main_y + main_height - 374))
  activate "$main"
  while read -r _ column row; do
    xdotool mousemove $((client_x + 142 + 36 * column + 18)) $((client_y + 45 + 36 * row + 18)) click 1
    sleep 0.15
    read -r _ column row
    xdotool mousemove $((client_x + 142 + 36 * column + 18)) $((client_y + 45 + 36 * row + 18)) click 1
    sleep 1.6
  done < moves.txt
  press "$main" F4
  local dialog
  dialog="$(wait_window "恭喜恭喜")" || { fail "F4 with a result did not ask for a name"; return 0; }
  press "$dialog" Return
  dialog="$(wait_window "排行榜")" || { fail "the records list did not follow the name"; return 0; }
  press "$dialog" Return
  wait_gone "排行榜" || fail "the records list stayed open"
}
# Alt+x; sets status to the exit code, or to "still running" after ten seconds.
quit_program() {
  press "$main" alt+x
  wait_exit
}
listing() { (cd "$1" && find . -mindepth 1 -printf '%p %y\n' | sort | tr '\n' ' '); }
mode() { stat -c %a "$1" 2> /dev/null || echo none; }

# A FIFO in place of the record file: the defaults, a prompt start, and at exit no write and
# no wait for a reader.
mkdir fifo
mkfifo fifo/winrolvi.res
if start_program fifo "$program"; then
  [ "$started_ms" -le 5000 ] && echo "ok: the window appeared after $started_ms ms" ||
    fail "the window took $started_ms ms to appear"
  enter_a_result
  quit_program
  check_equal "exit code after Alt+x with a result and a FIFO for the record file" 0 "$exit_status"
  check_equal "what the FIFO's directory holds afterwards" "./winrolvi.res p " "$(listing fifo)"
else
  fail "with a FIFO named winrolvi.res the window did not appear"
  exit 1
fi

# The desktop entry's option: the file goes to $XDG_DATA_HOME/rolvi, made with mode 0700.
mkdir elsewhere
if start_program elsewhere XDG_DATA_HOME="$PWD/xdg/data" "$program" --user-data; then
  enter_a_result
  quit_program
  check_equal "exit code after Alt+x with --user-data" 0 "$exit_status"
  check_equal "record file size in the data directory" 160 \
    "$(stat -c %s xdg/data/rolvi/winrolvi.res 2> /dev/null || echo none)"
  check_equal "record 1 holds the offered name" "09 55 6c 76 6f" \
    "$(od -An -tx1 -j16 -N5 xdg/data/rolvi/winrolvi.res 2> /dev/null | tr -s ' ' | sed 's/^ //;s/ $//')"
  check_equal "modes of the directories made" "700 700 700" \
    "$(mode xdg) $(mode xdg/data) $(mode xdg/data/rolvi)"
  check_equal "the current directory stays empty" "" "$(listing elsewhere)"
  check_equal "nothing on standard error" "" "$(cat elsewhere.log)"
else
  fail "with --user-data the window did not appear"
fi

# A data directory that cannot be made (a file stands in its way): one line on standard
# error, and the game plays with the default table.
mkdir blocked
touch not-a-directory
if start_program blocked XDG_DATA_HOME="$PWD/not-a-directory" "$program" --user-data; then
  quit_program
  check_equal "exit code after Alt+x without a data directory" 0 "$exit_status"
  check_equal "lines on standard error" 1 "$(wc -l < blocked.log)"
  grep -q "cannot make the data directory $PWD/not-a-directory/rolvi" blocked.log &&
    echo "ok: the data directory's problem is reported" || fail "report: $(cat blocked.log)"
  check_equal "nothing saved in the current directory" "" "$(listing blocked)"
else
  fail "without a data directory the window did not appear"
fi

# Unknown arguments: a usage on standard error, exit code 2, no window.
status=0
timeout 10 "$program" --user-data --records-here > usage.out 2> usage.err || status=$?
check_equal "exit code for an unknown argument" 2 "$status"
check_equal "usage line" "usage: rolvi [--user-data]" "$(head -n 1 usage.err)"
check_equal "nothing on standard output" "" "$(cat usage.out)"

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed; logs in $work"
  exit 1
fi
echo "all record file checks passed"
