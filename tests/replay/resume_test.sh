#!/usr/bin/env bash
# A replay script cut in two: the first part ends with `keep`, the second starts from the kept
# game with --resume, on the same record folder. Its dump and record table and its screenshot
# after a whole paint equal those of the script played without a break, at cuts all through
# greedy games of three seeds (with game overs, names and records). Left out: the virtual
# clock, which counts this run's animations, and the dirty flag, which says whether a result
# entered the table in this run. A kept game that cannot be read is reported in one line and a
# new game starts; --resume never writes the kept game.
# Usage: resume_test.sh REPLAY AUTOPLAY
set -euo pipefail
replay="$1"
autoplay="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# The end of every script: the state, and the picture as a whole paint shows it.
ending() { printf 'dump\nrecords\nsize 612 374\nshot %s\n' "$1"; }
without_clock() { grep -v -e '^clock ' -e '^dirty ' "$1"; }

cuts=0
for seed in 4 9 23; do
  "$autoplay" --seed "$seed" --moves 70 > "$work/moves.txt"
  lines=$(wc -l < "$work/moves.txt")
  mkdir -p "$work/whole"
  { cat "$work/moves.txt"; ending "$work/whole.png"; } |
    "$replay" --seed "$seed" --dir "$work/whole" > "$work/whole.txt"
  # Every ninth move (each move is three lines: the name answer and two clicks).
  for ((cut = 27; cut < lines; cut += 27)); do
    rm -rf "$work/cut" "$work/game.kept"
    mkdir -p "$work/cut"
    { head -n "$cut" "$work/moves.txt"; echo "keep $work/game.kept"; } |
      "$replay" --seed "$seed" --dir "$work/cut" > /dev/null
    [ "$(stat -c %s "$work/game.kept")" = 184 ] || fail "seed $seed cut $cut: no kept game"
    cp "$work/game.kept" "$work/game.before"
    # Another seed for the second part: the kept random state decides.
    { tail -n +"$((cut + 1))" "$work/moves.txt"; ending "$work/cut.png"; } |
      "$replay" --seed 999 --dir "$work/cut" --resume "$work/game.kept" > "$work/cut.txt"
    diff -u <(without_clock "$work/whole.txt") <(without_clock "$work/cut.txt") > /dev/null ||
      fail "seed $seed cut after line $cut: the dump differs"
    cmp -s "$work/whole.png" "$work/cut.png" || fail "seed $seed cut after line $cut: the picture differs"
    cmp -s "$work/game.kept" "$work/game.before" || fail "--resume wrote the kept game"
    cuts=$((cuts + 1))
  done
  rm -rf "$work/whole"
done
[ "$cuts" -ge 20 ] || fail "only $cuts cuts"

# Right after the start the dump is the kept state (a ball still selected included).
printf 'click 1 2\ntick 4\ncommand 512\nkeep %s\ndump\n' "$work/selected.kept" |
  "$replay" --seed 1 --dir "$work" > "$work/kept-dump.txt"
printf 'dump\n' | "$replay" --dir "$work" --resume "$work/selected.kept" > "$work/resumed-dump.txt"
diff -u <(without_clock "$work/kept-dump.txt") <(without_clock "$work/resumed-dump.txt") ||
  fail "the resumed dump is not the kept one"
grep -qx 'clock 0' "$work/resumed-dump.txt" || fail "a resumed game set up a new one"

# A kept game that cannot be read: one line on standard error, a new game, exit code 0.
printf 'dump\n' | "$replay" --seed 1 --dir "$work" > "$work/fresh.txt"
head -c 184 /dev/zero > "$work/zeros.kept"
printf 'dump\n' | "$replay" --seed 1 --dir "$work" --resume "$work/zeros.kept" \
  > "$work/ignored.txt" 2> "$work/error.txt" || fail "an unreadable kept game stopped the driver"
diff -u "$work/fresh.txt" "$work/ignored.txt" || fail "an unreadable kept game changed the game"
[ "$(wc -l < "$work/error.txt")" = 1 ] || fail "not one line on standard error"
grep -qx "replay: the kept game in $work/zeros.kept cannot be read (it is not a kept game); a new game starts" \
  "$work/error.txt" || fail "report: $(cat "$work/error.txt")"
printf 'dump\n' | "$replay" --seed 1 --dir "$work" --resume "$work/missing.kept" \
  > "$work/missing.txt" 2> "$work/error.txt"
diff -u "$work/fresh.txt" "$work/missing.txt" || fail "a missing kept game changed the game"
[ ! -s "$work/error.txt" ] || fail "a missing kept game was reported"

# keep where nothing can be written: a script error.
status=0
printf 'keep %s/no/such/dir/game.kept\n' "$work" | "$replay" --dir "$work" > /dev/null \
  2> "$work/error.txt" || status=$?
[ "$status" -eq 2 ] || fail "keep into a missing folder exited $status"
grep -q "^line 1: cannot write " "$work/error.txt" || fail "keep error: $(cat "$work/error.txt")"
echo "replay resume checks passed ($cuts cuts)"
