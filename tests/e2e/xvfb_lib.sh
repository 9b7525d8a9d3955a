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

# Starts Xvfb with the given screen (e.g. 1024x768x24) and exports DISPLAY
# once the server answers. Xvfb picks a free display itself and tells its
# number when it is ready: a guessed number may belong to a server of
# another run that the lock files of this /tmp do not show.
xvfb_start() {
  local screen=${1:-1024x768x24} told pid waited
  told=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp 3>"$told" >/dev/null 2>&1 &
  pid=$!
  xvfb_own "$pid"
  for waited in $(seq 100); do
    if grep -q '^[0-9][0-9]*$' "$told" && kill -0 "$pid" 2>/dev/null; then
      export DISPLAY=":$(cat "$told")"
      rm -f "$told"
      return 0
    fi
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$told"
  echo "could not start Xvfb" >&2
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
