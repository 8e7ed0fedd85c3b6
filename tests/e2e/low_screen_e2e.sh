#!/usr/bin/env bash
# End-to-end test of where the main window goes on a 1280x800 screen, lower than the window
# at ROLVI_SCALE=2 (788 pixels of client below the title bar): centred, its frame would start
# above the screen and hide the title bar. The frame stays inside the desktop's work area
# instead, its top-left corner (the title bar) in view, without a window manager (a panel
# set in _NET_WORKAREA) and under IceWM. At scale 1 the window is centred as always, and
# Xft.dpi 144, which asks for 2, gets 1 here, where twice the window does not fit.
# Usage: low_screen_e2e.sh <rolvi_e2e program> <work directory>
set -euo pipefail

source "$(dirname "$(realpath "${BASH_SOURCE[0]}")")/x_session.sh"
xvfb_screen=1280x800x24
begin_test "$@"

start_program() {  # name of the run (its directory), environment assignments...
  launch 12345 "$@" || { fail "the main window did not appear ($*)"; exit 1; }
}

# No window manager, a 30-pixel panel along the top: the client, which has no frame, starts
# below the panel. Centring 620 by 420 on the 640 by 400 screen the scale leaves puts x at 10,
# twice that on the screen.
xprop -root -f _NET_WORKAREA 32c -set _NET_WORKAREA "0, 30, 1280, 770"
start_program panel ROLVI_SCALE=2
read -r x y w h <<< "$(geometry "$main")"
check_equal "scale 2 below a panel: client size" "1224 788" "$w $h"
check_equal "scale 2 below a panel: the client starts below the panel" "20 30" "$x $y"
quit "scale 2 below a panel"
xprop -root -remove _NET_WORKAREA

start_window_manager
start_program scale2 ROLVI_SCALE=2
read -r fx fy fw fh <<< "$(outer_geometry "$main")"
check_equal "scale 2 under IceWM: the frame's top-left on the screen" "20 0" "$fx $fy"
[ $((fx + fw)) -le 1280 ] || fail "scale 2 under IceWM: the frame reaches past the right edge"
quit "scale 2 under IceWM"

start_program scale1 ROLVI_SCALE=1
read -r fx fy _ _ <<< "$(outer_geometry "$main")"
check_equal "scale 1 under IceWM: the frame at the centred point" \
  "$(((1280 - 620) / 2)) $(((800 - 420) / 2))" "$fx $fy"
quit "scale 1 under IceWM"

xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "Xft.dpi:	144"
start_program xft144
read -r _ _ w h <<< "$(geometry "$main")"
check_equal "Xft.dpi 144 where twice the window does not fit: client size" "612 394" "$w $h"
quit "Xft.dpi 144"

finish "low screen"
