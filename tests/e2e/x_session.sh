# Shared by the end-to-end tests: a private Xvfb display, checks that count failures, and
# helpers that wait for windows, read their geometry, take screenshots and read pixels.
# Source it after changing into the work directory; it sets DISPLAY and an EXIT trap that
# stops the display and the program whose pid is in $program_pid.

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
check_equal() {  # what, expected, actual
  if [ "$2" = "$3" ]; then echo "ok: $1"; else fail "$1: expected '$2', got '$3'"; fi
}

# A display of our own.
exec 3> display.txt
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp > xvfb.log 2>&1 &
xvfb_pid=$!
program_pid=""
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2> /dev/null || true
  kill "$xvfb_pid" 2> /dev/null || true
}
trap cleanup EXIT
for _ in $(seq 50); do
  [ -s display.txt ] && break
  sleep 0.1
done
export DISPLAY=":$(head -n 1 display.txt)"

# Waits until a top-level window with this exact name is viewable; prints its id.
wait_window() {
  for _ in $(seq 100); do
    local id
    id="$(xwininfo -root -tree 2> /dev/null | grep -F "\"$1\": (" | awk '{ print $1 }' | head -n 1)"
    if [ -n "$id" ] && xwininfo -id "$id" | grep -q IsViewable; then
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  return 1
}
wait_gone() {
  for _ in $(seq 50); do
    local id
    id="$(xwininfo -root -tree 2> /dev/null | grep -F "\"$1\": (" | awk '{ print $1 }' | head -n 1)"
    if [ -z "$id" ] || ! xwininfo -id "$id" | grep -q IsViewable; then return 0; fi
    sleep 0.1
  done
  return 1
}
geometry() {  # prints "x y width height" of a window
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
    /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'
}
shot() { import -window root "$1.png"; }
# Colour of a screen pixel in a screenshot, as #RRGGBB.
pixel() {
  convert "$1.png" -crop "1x1+$2+$3" +repage -depth 8 txt:- | tail -n 1 |
    grep -o '#[0-9A-F]\{6\}'
}
key() {
  xdotool windowfocus --sync "$main" 2> /dev/null || true
  xdotool key "$@"
  sleep 0.4
}

