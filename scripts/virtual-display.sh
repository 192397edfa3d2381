# Shared by the scripts that run the front panel on a virtual X server (sourced, not run): start the
# server, find the program's window by its title, choose menu items from the keyboard, read the program's
# memory and processor time, and stop both the program and the server on the way out. The caller sets app_pid once the program runs, and window once
# it is shown.

xvfb_pid=""
app_pid=""
window=""

stop_virtual_display() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}

# Starts Xvfb on a free display (no lock file and no socket), logging into $1, and exports DISPLAY.
start_virtual_display() {
  local log=$1 display=99
  while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do
    display=$((display + 1))
  done
  # -noreset: the server must not restart when the readiness probe below disconnects.
  Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp -noreset >"$log" 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$display"
  unset WAYLAND_DISPLAY
  for _ in $(seq 100); do
    xdpyinfo >/dev/null 2>&1 && return 0
    if ! kill -0 "$xvfb_pid" 2>/dev/null; then
      echo "Xvfb did not start" >&2
      cat "$log" >&2
      return 1
    fi
    sleep 0.1
  done
}

# Waits until the program's frame carries the title, and prints its window id.
wait_for_title() {
  local title=$1 id
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -n 1 || true)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    kill -0 "$app_pid" 2>/dev/null || { echo "the program ended early" >&2; return 1; }
    sleep 0.1
  done
  echo "no window titled '$title'" >&2
  return 1
}

# The program's resident memory in kB, and the processor time it has used (user and system) in clock ticks.
rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$app_pid/status"; }
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$app_pid/stat"; }

# Opens a menu of the window with Alt and its letter, then chooses the item by its letter.
menu() {
  xdotool windowfocus --sync "$window"
  xdotool key --delay 150 "alt+$1"
  sleep 0.3
  xdotool key "$2"
}

# Waits up to ten seconds for the program to end, and returns its exit status (1 if it is still running).
wait_for_end() {
  local status=0
  for _ in $(seq 100); do
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$app_pid" 2>/dev/null; then
    echo "the program did not end" >&2
    return 1
  fi
  wait "$app_pid" || status=$?
  app_pid=""
  return "$status"
}
