#!/usr/bin/env bash
# End-to-end test of play by keyboard in the desktop program under a window manager: the
# greedy player's game to a score played with the board cursor's keys alone (xdotool key, no
# pointer event at all), sent move after move without waiting for the animations, which keep
# them queued; the client area, cursor included, is then pixel for pixel what the replay
# driver shows for the same keys. Alt+x still ends the program.
# Usage: keyboard_play_e2e.sh <rolvi_e2e program> <autoplay program> <replay program> <work directory>
set -euo pipefail

source "$(dirname "$(realpath "${BASH_SOURCE[0]}")")/x_session.sh"
begin_test "$@"
replay="$(realpath "$3")"
start_window_manager || { fail "no window manager"; exit 1; }

seed=3
bar=20  # the menu bar's height
"$autoplay" --seed "$seed" --until score:10 --moves 60 --keys | grep '^key ' > keys.txt
{ cat keys.txt; printf 'dump\nshot %s/expected.png\n' "$PWD"; } |
  "$replay" --seed "$seed" --dir "$(mktemp -d -p "$PWD")" > expected.txt
score="$(awk '/^score / { print $2 }' expected.txt)"
[ "${score:-0}" -ge 10 ] || fail "the greedy player's keys do not score in the headless game"

# The replay script's key names as X key names.
keysym() {
  case "$1" in
    left) echo Left ;; right) echo Right ;; up) echo Up ;; down) echo Down ;;
    home) echo Home ;; end) echo End ;; pageup) echo Prior ;; pagedown) echo Next ;;
    space) echo space ;; enter) echo Return ;;
  esac
}

launch "$seed" game || { fail "the main window did not appear"; exit 1; }
# Each move's keys in one go (the second Enter sends the ball off); the next move's keys
# come while the ball may still travel, its line burst or the new balls land.
pending=()
enters=0
while read -r _ name; do
  pending+=("$(keysym "$name")")
  [ "$name" = enter ] || continue
  enters=$((enters + 1))
  if [ $((enters % 2)) -eq 0 ]; then
    xdotool key --delay 40 "${pending[@]}"
    pending=()
    sleep 0.4
  fi
done < keys.txt
echo "$enters clicks by keys, $(wc -l < keys.txt) keys in all"
sleep 3
read -r x y _ _ <<< "$(geometry "$main")"
import -window root -crop "612x374+${x}+$((y + bar))" +repage played.png
check_equal "pixels that differ from the headless game played by the same keys" 0 \
  "$(compare -metric AE expected.png played.png null: 2>&1 || true)"
quit "after the game by keys"

finish "keyboard play"
