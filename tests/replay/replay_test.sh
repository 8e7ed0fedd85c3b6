#!/usr/bin/env bash
# End-to-end checks of the replay driver: the state of a fresh seeded game, logging, records
# written at exit, screenshots, and the errors a script can make.
# Usage: replay_test.sh REPLAY AUTOPLAY
set -euo pipefail
replay="$1"
autoplay="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# A fresh game from seed 1: the five balls land where the random sequence puts them.
printf 'dump\n' | "$replay" --seed 1 --dir "$work" > "$work/fresh.txt"
cat > "$work/expected.txt" <<'DUMP'
board
000000000
000000000
040000000
050007000
000000000
000000000
000000000
002000000
006000000
next 1 6 6
score 0
recordScore 100
recordBeaten 0
selection 0 0 0
frameCounter 0
tally 0 0 0 0 0 0 0 0
king 0 0
player 125 0
showNext 1
statsOpen 0
clock 500
end
DUMP
diff -u "$work/expected.txt" "$work/fresh.txt" || fail "fresh game dump differs"
[ ! -e "$work/winrolvi.res" ] || fail "a record file was written without a qualifying result"

# Selecting a ball and ticking: the counter starts at 3; commands toggle the flags.
printf 'click 1 2\ntick 4\ncommand 512\ncommand 513\ndump\n' | "$replay" --seed 1 --dir "$work" \
  > "$work/selected.txt"
grep -qx 'selection 1 1 2' "$work/selected.txt" || fail "selection not shown"
grep -qx 'frameCounter 7' "$work/selected.txt" || fail "frame counter"
grep -qx 'showNext 0' "$work/selected.txt" || fail "preview toggle"
grep -qx 'statsOpen 1' "$work/selected.txt" || fail "statistics toggle"

# Logging: dialogs, message boxes and statistics refreshes.
printf 'log on\ncommand 768\ncommand 769\ncommand 257\ncommand 513\ncommand 256\n' |
  "$replay" --seed 1 --dir "$work" > "$work/log.txt"
grep -qx 'dialog rules' "$work/log.txt" || fail "rules dialog not logged"
grep -qx 'dialog about' "$work/log.txt" || fail "about dialog not logged"
grep -qx 'dialog records' "$work/log.txt" || fail "records dialog not logged"
grep -qx 'stats-refresh' "$work/log.txt" || fail "statistics refresh not logged"

# A scoring game abandoned with the new-game command asks a name; a refused one shows its
# message and the next answer is taken; the record file holds the result at exit.
"$autoplay" --seed 3 --until score:20 --moves 300 > "$work/score.txt"
{ grep -v "^name " "$work/score.txt"; echo "log on"; echo "name 12345678901234"; echo "name Grace";
  echo "command 256"; echo "records"; } | "$replay" --seed 3 --dir "$work" > "$work/entered.txt"
grep -q '^messagebox 姓名太长' "$work/entered.txt" || fail "14-byte name not refused"
grep -qx 'dialog name' "$work/entered.txt" || fail "name dialog not logged"
grep -qP '^Grace\t[0-9]+$' "$work/entered.txt" || fail "name not in the table"
grep -qx 'lastName Grace' "$work/entered.txt" || fail "last name"
grep -qx 'dirty 1' "$work/entered.txt" || fail "table not dirty"
[ "$(stat -c %s "$work/winrolvi.res")" = 160 ] || fail "record file not written at exit"
printf 'records\n' | "$replay" --dir "$work" | grep -qP '^Grace\t' || fail "record file not read back"

# By keys alone: the greedy player's game to a score played with the board cursor's keys
# instead of clicks gives, dumped before every move and at the end, the same dumps; with the
# cursor hidden by a last press beside the board, the same picture.
"$autoplay" --seed 3 --until score:20 --moves 300 --keys > "$work/keys.txt"
! grep -qv '^key \|^name ' "$work/keys.txt" || fail "the game by keys has other lines than keys"
grep -q '^key \(home\|end\|pageup\|pagedown\)$' "$work/keys.txt" ||
  fail "the game by keys makes no jump to an end of a row or column"
mkdir -p "$work/bykeys"
by_move() {  # moves file, screenshot
  sed 's/^name Autoplay$/dump/' "$1"
  printf 'dump\npress 0 0\nrelease 0 0\nshot %s\n' "$2"
}
by_move "$work/score.txt" "$work/clicks.png" | "$replay" --seed 3 --dir "$work/bykeys" \
  > "$work/clicks-dumps.txt"
by_move "$work/keys.txt" "$work/keys.png" | "$replay" --seed 3 --dir "$work/bykeys" \
  > "$work/keys-dumps.txt"
[ "$(grep -c '^score' "$work/keys-dumps.txt")" -gt 10 ] || fail "too few dumps of the game by keys"
diff -u "$work/clicks-dumps.txt" "$work/keys-dumps.txt" > /dev/null ||
  fail "the game by keys differs from the game by clicks"
grep -q '^score [1-9]' "$work/keys-dumps.txt" || fail "the game by keys did not score"
cmp -s "$work/clicks.png" "$work/keys.png" || fail "the game by keys looks different at its end"

# Screenshots are PNG files of the client area.
printf 'size 700 420\nshot %s/shot.png\n' "$work" | "$replay" --dir "$work"
[ "$(head -c 8 "$work/shot.png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] ||
  fail "screenshot is not a PNG"

# Script errors: exit code 2 and one line on standard error that names the script line.
script_error() {  # expected error line, script lines...
  local expected="$1" status=0
  shift
  printf '%s\n' "$@" | "$replay" --dir "$work" > /dev/null 2> "$work/error.txt" || status=$?
  [ "$status" -eq 2 ] || fail "'$*' exited $status, not 2"
  grep -qxF "$expected" "$work/error.txt" || fail "'$*': $(cat "$work/error.txt")"
}
script_error "line 2: unknown command: jump" dump "jump 1 2"
script_error "line 1: bad number: 9" "click 9 0"
script_error "line 2: unknown key: sideways" "key left" "key sideways"
script_error "line 1: wrong number of arguments to key" "key"
status=0
{ grep -v "^name " "$work/score.txt"; echo "command 256"; } |
  "$replay" --seed 3 --dir "$work/none" > /dev/null 2>&1 || status=$?
[ $status -eq 2 ] || fail "a name dialog without an answer did not exit 2"

# Sizes beyond the largest client area (8192 on a side) are script errors, not an abort or
# gigabytes of framebuffer; the largest size itself is taken.
too_large="is too large: the client area has at most 8192 pixels on a side"
script_error "line 2: size 65535 65535 $too_large" dump "size 65535 65535"
script_error "line 1: size 8193 600 $too_large" "size 8193 600"
script_error "line 1: size 600 8193 $too_large" "size 600 8193"
printf 'size 8192 400\nsize 400 8192\ndump\n' | "$replay" --dir "$work" > /dev/null 2>&1 ||
  fail "the largest size was refused"
status=0
"$replay" --size 8193 400 --dir "$work" < /dev/null > /dev/null 2> "$work/error.txt" || status=$?
[ $status -eq 2 ] || fail "--size 8193 400 did not exit 2"
grep -q -- '--size takes a width and a height from 1 to 8192' "$work/error.txt" ||
  fail "--size 8193 400: $(cat "$work/error.txt")"
"$replay" --size 8192 1 --dir "$work" < /dev/null > /dev/null 2>&1 || fail "--size 8192 1 was refused"

# A script with CRLF line endings plays as the same script with LF endings.
script='click 1 2\ntick 4\nsize 700 420 # a comment\nlog on\ncommand 769\ndump\nrecords\n'
printf "$script" | "$replay" --dir "$work" > "$work/lf.txt" 2>&1 || fail "the LF script failed"
printf "$script" | sed 's/$/\r/' | "$replay" --dir "$work" > "$work/crlf.txt" 2>&1 ||
  fail "a CRLF script failed: $(cat "$work/crlf.txt")"
diff -u "$work/lf.txt" "$work/crlf.txt" > /dev/null || fail "a CRLF script played differently"

# An error message quotes at most 80 characters of the offending word, then "...".
long80="$(printf 'x%.0s' $(seq 80))"
script_error "line 1: unknown command: $long80..." "$(printf 'x%.0s' $(seq 200)) 1 2"
script_error "line 1: bad number: $(printf '球%.0s' $(seq 80))..." \
  "size 1 $(printf '球%.0s' $(seq 100))"
script_error "line 1: bad number: $long80" "click 1 $long80"
# autoplay --until gameover prints moves up to the one that fills the board: its game-over
# box comes with the last move printed and not before.
mkdir -p "$work/over"
message_boxes() {  # seed, script file
  { echo "log on"; cat "$2"; } | "$replay" --seed "$1" --dir "$work/over" | grep -c '^messagebox' || true
}
for seed in 2 5; do
  "$autoplay" --seed "$seed" --until gameover --moves 3000 > "$work/over.txt"
  [ "$(message_boxes "$seed" "$work/over.txt")" = 1 ] ||
    fail "seed $seed: the moves of --until gameover did not end the game"
  head -n -3 "$work/over.txt" > "$work/before.txt"  # without the last move's three lines
  [ "$(message_boxes "$seed" "$work/before.txt")" = 0 ] ||
    fail "seed $seed: --until gameover went on after the game was over"
done

# autoplay --help prints its usage and plays nothing; a flag without its value is an error.
"$autoplay" --help > "$work/help.txt" 2>&1 || fail "autoplay --help did not exit 0"
grep -q '^usage: autoplay ' "$work/help.txt" || fail "autoplay --help: $(head -n 3 "$work/help.txt")"
! grep -q '^click' "$work/help.txt" || fail "autoplay --help played a game"
for arguments in "--seed" "--seed 1 --until" "--bogus" "--until never" "--moves x"; do
  status=0
  # shellcheck disable=SC2086  # the arguments are split on purpose
  "$autoplay" $arguments > "$work/bad.txt" 2>&1 || status=$?
  [ "$status" -eq 2 ] || fail "autoplay $arguments exited $status, not 2"
  grep -q '^usage: autoplay ' "$work/bad.txt" || fail "autoplay $arguments gave no usage"
done
echo "replay checks passed"
