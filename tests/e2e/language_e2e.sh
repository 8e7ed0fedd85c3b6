#!/usr/bin/env bash
# End-to-end test of the desktop program's language under a window manager (IceWM in Xvfb):
# LANGUAGE=en (beside LANG=zh_CN.UTF-8, which it overrides), LANG=en_US.UTF-8 and no locale at
# all show English, LANG=zh_CN.UTF-8 today's Chinese. For each start the dialogs' window titles
# (read with xwininfo, which also reads Chinese titles), the client area compared with the
# replay driver's picture in that language, and the three menus opened, compared with the
# expected pictures in tests/e2e/expected/.
# Usage: language_e2e.sh <rolvi_e2e program> <replay program> <work directory>
# With ROLVI_WRITE_EXPECTED=DIR the menus' pictures are written to DIR instead of compared.
set -euo pipefail

source "$(dirname "$(realpath "${BASH_SOURCE[0]}")")/x_session.sh"
expected_dir="$(dirname "$(realpath "${BASH_SOURCE[0]}")")/expected"
begin_test "$@"
replay="$(realpath "$2")"
start_window_manager || { fail "no window manager"; exit 1; }

seed=777
real_program="$program"

for language in zh en; do
  printf 'shot %s/first-%s.png\n' "$PWD" "$language" |
    "$replay" --seed "$seed" --lang "$language" --dir "$(mktemp -d -p "$PWD")"
done

same_picture() {  # label, expected, actual
  check_equal "$1: pixels that differ" 0 "$(compare -metric AE "$2" "$3" null: 2>&1 || true)"
}
# The main window's top: the menu bar with a menu open over the game.
menu_shot() {  # file
  local x y
  read -r x y _ _ <<< "$(geometry "$main")"
  import -window root -crop "612x130+${x}+${y}" +repage "$1"
}
# Opens a window by a key and checks its title; closes it with the key `close`, pressed in
# that window, or with "main" in the main window (the statistics window's F5).
check_dialog() {  # label, key, title, close, [main]
  activate "$main"
  xdotool key "$2"
  if wait_window "$3" > /dev/null; then
    echo "ok: $1: $2 opens \"$3\""
    [ "${5:-}" = main ] || activate "$(wait_window "$3")"
    xdotool key "$4"
    wait_gone "$3" || fail "$1: \"$3\" stayed open"
  else
    fail "$1: $2 opened no window titled \"$3\""
  fi
}

# Starts the program with the settings given, and checks that it speaks `language`.
check_start() {  # label, language (zh or en), [NAME=value... | -u NAME...]
  local label="$1" language="$2" rules statistics
  shift 2
  # "-u NAME" takes a variable away: the program then runs through env, which drops it.
  local settings=() unset=()
  while [ $# -gt 0 ]; do
    if [ "$1" = -u ]; then unset+=(-u "$2"); shift 2; else settings+=("$1"); shift; fi
  done
  if [ ${#unset[@]} -gt 0 ]; then
    program="$(command -v env)"
    launch "$seed" "$label" "${settings[@]}" "${unset[@]}" "$real_program" ||
      { program="$real_program"; fail "$label: the main window did not appear"; return; }
    program="$real_program"
  else
    launch "$seed" "$label" "${settings[@]}" ||
      { fail "$label: the main window did not appear"; return; }
  fi
  case "$language" in
    zh) rules="规则" statistics="统计" ;;
    en) rules="Rules" statistics="Statistics" ;;
  esac
  import -window root -crop "612x374+${client_x}+${client_y}" +repage "$label-client.png"
  same_picture "$label: the client area, as replay --lang $language" "first-$language.png" \
    "$label-client.png"
  check_dialog "$label" F1 "$rules" Return
  check_dialog "$label" F5 "$statistics" F5 main
  for menu in f o h; do
    activate "$main"
    xdotool key "alt+$menu"
    sleep 0.5
    if [ -n "${ROLVI_WRITE_EXPECTED:-}" ]; then
      menu_shot "$ROLVI_WRITE_EXPECTED/menu-$language-$menu.png"
    else
      menu_shot "$label-menu-$menu.png"
      same_picture "$label: the menu opened by Alt+$menu" "$expected_dir/menu-$language-$menu.png" \
        "$label-menu-$menu.png"
    fi
    xdotool key Escape Escape
    sleep 0.3
  done
  quit "$label"
}

# launch starts the program with LANG=zh_CN.UTF-8 and no other locale variable.
check_start chinese zh
check_start language-en en LANGUAGE=en
check_start lang-en en LANG=en_US.UTF-8
check_start no-locale en -u LANG

finish language
