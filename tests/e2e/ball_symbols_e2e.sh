#!/usr/bin/env bash
# End-to-end test of the ball symbols option in the desktop program under a window manager:
# chosen from the Options menu by its mnemonic, the symbols show at once, pixel for pixel as
# the replay driver draws them; started with --user-data the choice is kept in the settings
# file beside the record file and the next start shows the symbols from the first frame, also
# at ROLVI_SCALE=2 (the scale-1 picture enlarged); the classic run from a terminal starts
# without them whatever the data directory holds, and leaves no settings file behind.
# Usage: ball_symbols_e2e.sh <rolvi_e2e program> <replay program> <work directory>
set -euo pipefail

source "$(dirname "$(realpath "${BASH_SOURCE[0]}")")/x_session.sh"
xvfb_screen=1600x1200x24  # room for the window at scale 2
begin_test "$@"
replay="$(realpath "$2")"
start_window_manager || { fail "no window manager"; exit 1; }

seed=4242
settings=xdg/rolvi/rolvi.ini
bar=20  # the menu bar's height at scale 1

client_shot() {  # file, scale
  local x y w h
  read -r x y w h <<< "$(geometry "$main")"
  import -window root -crop "$((612 * $2))x$((374 * $2))+${x}+$((y + bar * $2))" +repage "$1"
}
same_picture() {  # label, expected, actual
  check_equal "$1: pixels that differ" 0 "$(compare -metric AE "$2" "$3" null: 2>&1 || true)"
}
toggle_symbols() {  # Options (Alt+O), then its item "球上符号(&B)"
  activate "$main"
  xdotool key alt+o
  sleep 0.4
  xdotool key b
  sleep 0.6
}
listing() { (cd "$1" && find . -mindepth 1 -printf '%p\n' | sort | paste -sd ' '); }

# What the headless game shows for the same seed without and with the symbols.
printf 'shot %s/plain.png\ncommand 514\nshot %s/symbols.png\n' "$PWD" "$PWD" |
  "$replay" --seed "$seed" --dir "$(mktemp -d -p "$PWD")"

# With --user-data: off at first, on from the menu, kept in the settings file.
if launch "$seed" first XDG_DATA_HOME="$PWD/xdg" --user-data; then
  client_shot first-plain.png 1
  same_picture "first start, symbols off" plain.png first-plain.png
  toggle_symbols
  client_shot first-symbols.png 1
  same_picture "symbols chosen from the menu" symbols.png first-symbols.png
  check_equal "the settings file right after the choice" "ball-symbols=1" \
    "$(grep -v '^#' "$settings" 2> /dev/null || echo none)"
  quit "with --user-data"
else
  fail "with --user-data the window did not appear"
fi
# Beside it the game in progress, kept as every --user-data run keeps it; the next starts
# continue that game, which no move has changed, so that they show the same board.
check_equal "the data directory holds the kept game and the settings file" \
  "./rolvi.game ./rolvi.ini" "$(listing xdg/rolvi)"

# The next start with --user-data shows the symbols from the first frame, also at scale 2.
if launch "$seed" second XDG_DATA_HOME="$PWD/xdg" --user-data; then
  client_shot second.png 1
  same_picture "the next start keeps the symbols" symbols.png second.png
  quit "second start"
else
  fail "the second start's window did not appear"
fi
drops_seconds=2
if launch "$seed" scaled XDG_DATA_HOME="$PWD/xdg" ROLVI_SCALE=2 --user-data; then
  client_shot scaled.png 2
  convert symbols.png -scale 200% symbols-x2.png
  same_picture "the symbols at scale 2 against scale 1 enlarged" symbols-x2.png scaled.png
  toggle_symbols
  quit "at scale 2"
  check_equal "switched off at scale 2" "ball-symbols=0" \
    "$(grep -v '^#' "$settings" 2> /dev/null || echo none)"
else
  fail "the scale-2 start's window did not appear"
fi
drops_seconds=1.5

# The classic run ignores the data directory and writes nothing beside its record file.
printf '# Color rolvi settings\nball-symbols=1\n' > "$settings"
if launch "$seed" classic XDG_DATA_HOME="$PWD/xdg"; then
  client_shot classic.png 1
  same_picture "the classic run starts without symbols" plain.png classic.png
  toggle_symbols
  client_shot classic-symbols.png 1
  same_picture "the classic run's menu still switches them on" symbols.png classic-symbols.png
  quit "classic run"
  check_equal "the classic run's directory stays empty" "" "$(listing classic)"
  check_equal "the data directory's file is untouched" "ball-symbols=1" "$(grep -v '^#' "$settings")"
else
  fail "the classic run's window did not appear"
fi

# A damaged settings file is ignored: the game starts without symbols.
printf 'ball-symbols=maybe\n' > "$settings"
if launch "$seed" damaged XDG_DATA_HOME="$PWD/xdg" --user-data; then
  client_shot damaged.png 1
  same_picture "a damaged settings file is ignored" plain.png damaged.png
  quit "with a damaged settings file"
  check_equal "nothing on standard error" "" "$(cat damaged.log)"
else
  fail "with a damaged settings file the window did not appear"
fi

finish "ball symbols"
