#!/usr/bin/env bash
# End-to-end test of where the desktop program keeps its record file, under a window manager:
# a FIFO named winrolvi.res neither hangs the start nor takes the table at exit, and the
# player is told, in a message box and on standard error, where and why; started with
# --user-data, as its desktop entry starts it, the program keeps the file in the user's data
# directory (made private on demand) and nothing in the current one; a data directory that
# cannot be made is reported once and the game plays on; unknown arguments get a usage and
# exit code 2.
# Usage: record_file_e2e.sh <rolvi_e2e program> <autoplay program> <work directory>
set -euo pipefail

source "$(dirname "$(realpath "${BASH_SOURCE[0]}")")/x_session.sh"
begin_test "$@"
start_window_manager || { fail "no window manager"; exit 1; }

# Five moves from seed 10 score a line; with the default table any score enters it.
seed=10
scoring_moves "$seed" 20

press() {  # window id, keys...
  activate "$1"
  shift
  xdotool key "$@"
  sleep 0.4
}
# Plays the moves, ends the game with F4, takes the offered name and closes the records list.
enter_a_result() {
  play_moves moves.txt
  press "$main" F4
  local dialog
  dialog="$(wait_window "恭喜恭喜")" || { fail "F4 with a result did not ask for a name"; return 0; }
  press "$dialog" Return
  close_records "after the name" || true
}
listing() { (cd "$1" && find . -mindepth 1 -printf '%p %y\n' | sort | tr '\n' ' '); }
mode() { stat -c %a "$1" 2> /dev/null || echo none; }

# A window titled $1 other than the main window, as its id; fails after ten seconds.
wait_other_window() {  # title
  local id
  for _ in $(seq 100); do
    id="$(xwininfo -root -tree 2> /dev/null | grep -F "\"$1\": (" | awk '{ print $1 }' |
      grep -v -x "$main" | head -n 1)"
    if [ -n "$id" ] && xwininfo -id "$id" | grep -q IsViewable; then
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  return 1
}

# A FIFO in place of the record file: the defaults, a prompt start, and at exit no write and
# no wait for a reader. The result that could not be kept is told as soon as its name is
# taken: a message box over the main window names the file and the reason; the exit, which
# fails to save for the same reason, tells nothing more.
mkdir fifo
mkfifo fifo/winrolvi.res
if launch "$seed" fifo; then
  [ "$launch_ms" -le 5000 ] && echo "ok: the window appeared after $launch_ms ms" ||
    fail "the window took $launch_ms ms to appear"
  play_moves moves.txt
  press "$main" F4
  if dialog="$(wait_window "恭喜恭喜")"; then
    press "$dialog" Return
    if box="$(wait_other_window "Color rolvi")"; then
      echo "ok: a message box tells that the table could not be saved"
      shot fifo-not-saved
      press "$box" Return
    else
      fail "no message box told that the table could not be saved"
    fi
    close_records "after the name and the message box" || true
  else
    fail "F4 with a result did not ask for a name"
  fi
  quit "with a result and a FIFO for the record file"
  check_equal "what the FIFO's directory holds afterwards" "./winrolvi.res p " "$(listing fifo)"
  check_equal "the problem on standard error, once" \
    "rolvi: 无法保存排行榜： $PWD/fifo/winrolvi.res 这不是普通文件。" "$(cat fifo.log)"
else
  fail "with a FIFO named winrolvi.res the window did not appear"
  exit 1
fi

# The desktop entry's option: the file goes to $XDG_DATA_HOME/rolvi, made with mode 0700.
mkdir elsewhere
if launch "$seed" elsewhere XDG_DATA_HOME="$PWD/xdg/data" --user-data; then
  enter_a_result
  quit "with --user-data"
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
if launch "$seed" blocked XDG_DATA_HOME="$PWD/not-a-directory" --user-data; then
  quit "without a data directory"
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
check_equal "usage line" "usage: rolvi [--user-data] [--keep-game]" "$(head -n 1 usage.err)"
check_equal "nothing on standard output" "" "$(cat usage.out)"

finish "record file"
