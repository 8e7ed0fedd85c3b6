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

# Screenshots are PNG files of the client area.
printf 'size 700 420\nshot %s/shot.png\n' "$work" | "$replay" --dir "$work"
[ "$(head -c 8 "$work/shot.png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] ||
  fail "screenshot is not a PNG"

# Script errors: the line number on standard error and exit code 2.
set +e
printf 'dump\njump 1 2\n' | "$replay" --dir "$work" > /dev/null 2> "$work/error.txt"
[ $? -eq 2 ] || fail "unknown command did not exit 2"
grep -q '^line 2: ' "$work/error.txt" || fail "unknown command line number"
printf 'click 9 0\n' | "$replay" --dir "$work" > /dev/null 2>&1
[ $? -eq 2 ] || fail "out-of-range click did not exit 2"
{ grep -v "^name " "$work/score.txt"; echo "command 256"; } | "$replay" --seed 3 --dir "$work/none" > /dev/null 2>&1
[ $? -eq 2 ] || fail "a name dialog without an answer did not exit 2"
set -e

echo "replay checks passed"
