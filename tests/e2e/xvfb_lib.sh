# Shared by the scripts that run the game in a real X server: a private
# Xvfb display, the game's window found by its caption, and polling with a
# deadline instead of fixed sleeps. Source it; it sets no shell options.

# The start of the main window's caption.
ORVANE_CAPTION="Orvane  v1"

_xvfb_pids=()
_xvfb_cleanup() {
  local pid
  for pid in "${_xvfb_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${_xvfb_pids[@]}"; do wait "$pid" 2>/dev/null || true; done
}
trap _xvfb_cleanup EXIT

# Remembers a process to end when the script exits.
xvfb_own() { _xvfb_pids+=("$1"); }

# Starts Xvfb on a free display with the given screen (e.g. 1024x768x24)
# and exports DISPLAY once the server answers.
xvfb_start() {
  local screen=${1:-1024x768x24} n tries
  for tries in 1 2 3 4 5; do
    n=$((90 + RANDOM % 400))
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 "$screen" -nolisten tcp >/dev/null 2>&1 &
    local pid=$!
    xvfb_own "$pid"
    local waited
    for waited in $(seq 100); do
      if xdpyinfo -display ":$n" >/dev/null 2>&1; then
        export DISPLAY=":$n"
        return 0
      fi
      kill -0 "$pid" 2>/dev/null || break # lost the display to another server
      sleep 0.1
    done
    kill "$pid" 2>/dev/null || true
  done
  echo "could not start Xvfb on a free display" >&2
  return 1
}

# until_true SECONDS COMMAND...: runs COMMAND every fifth of a second until
# it succeeds; fails when the time is up.
until_true() {
  local deadline=$(($(date +%s) + $1))
  shift
  until "$@"; do
    [ "$(date +%s)" -ge "$deadline" ] && return 1
    sleep 0.2
  done
}

_visible_window() { window=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1) && [ -n "$window" ]; }

# xvfb_window CAPTION SECONDS: sets window to the id of the visible window
# whose caption matches, and X, Y, WIDTH, HEIGHT to its place on the screen.
xvfb_window() {
  window=
  until_true "$2" _visible_window "$1" || return 1
  eval "$(xdotool getwindowgeometry --shell "$window")"
}
