#!/usr/bin/env bash
# End-to-end test of the desktop program's largest size, under a window manager: the window
# tells the window manager its maximum size, a window made 16000 by 16000 pixels anyway is
# sized back to a client area of at most 8192 on a side, and the memory that size took is
# given back when the window shrinks again.
# Usage: window_size_e2e.sh <rolvi_e2e program> <work directory>
set -euo pipefail

source "$(dirname "$(realpath "${BASH_SOURCE[0]}")")/x_session.sh"
begin_test "$@"
start_window_manager || { fail "no window manager"; exit 1; }
launch 1 game || { fail "the main window did not appear"; exit 1; }
bar=$((client_y - $(geometry "$main" | awk '{ print $2 }')))

# The program's memory now (VmRSS) or at its peak (VmHWM), in MB.
memory_mb() { echo $(($(awk -v field="$1:" '$1 == field { print $2 }' "/proc/$program_pid/status") / 1024)); }
# Waits up to twenty seconds until the window has this size ("width height"); prints the size.
wait_size() {
  local now=""
  for _ in $(seq 100); do
    now="$(geometry "$main" | awk '{ print $3, $4 }')"
    [ "$now" = "$1" ] && break
    sleep 0.2
  done
  echo "$now"
}
# Waits up to ten seconds until the program holds at most this many MB; prints what it holds.
wait_rss_at_most() {
  local now
  for _ in $(seq 50); do
    now=$(memory_mb VmRSS)
    [ "$now" -le "$1" ] && break
    sleep 0.2
  done
  echo "$now"
}

hints="$(xprop -id "$main" WM_NORMAL_HINTS)"
grep -q "program specified maximum size: 8192 by $((8192 + bar))" <<< "$hints" &&
  echo "ok: the maximum size is a client area of 8192 by 8192" ||
  fail "maximum size hint: $hints"

xdotool windowsize "$main" 16000 16000
check_equal "window size after a resize to 16000 by 16000" "8192 $((8192 + bar))" \
  "$(wait_size "8192 $((8192 + bar))")"
sleep 1  # the last paint at that size
large=$(memory_mb VmHWM)
[ "$large" -le 640 ] && echo "ok: at most $large MB at the largest size" ||
  fail "$large MB at the largest size (at most 640 expected)"

xdotool windowsize "$main" 700 500
check_equal "window size after shrinking" "700 500" "$(wait_size "700 500")"
small=$(wait_rss_at_most 100)
[ "$small" -le 100 ] && echo "ok: $small MB after shrinking" ||
  fail "$small MB after shrinking (at most 100 expected)"

quit "the end"

finish "window size"
