# SPDX-FileCopyrightText: 2026 The Orvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# What the end-to-end scripts and the desktop benchmarks stand on: a
# private Xvfb display, a Wine prefix of the run's own, polling with a
# deadline, and screenshots read with ImageMagick. Source it; it sets no
# shell options. What it started, and the folder $work, go at the exit.

# The start of the main window's caption.
ORVANE_CAPTION="Orvane  v1"

_xvfb_pids=()
_xvfb_cleanup() {
  local pid
  [ -z "${_wine_server:-}" ] || wineserver -k 2>/dev/null || true
  for pid in "${_xvfb_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${_xvfb_pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  [ -z "${work:-}" ] || rm -rf "$work"
}
trap _xvfb_cleanup EXIT

# Remembers a process to end when the script exits.
xvfb_own() { _xvfb_pids+=("$1"); }

# xvfb_start SCREEN (e.g. 1024x768x24): exports DISPLAY once Xvfb answers.
# Xvfb picks a free display and tells its number: a guessed one may belong
# to a server of another run that the lock files of this /tmp do not show.
xvfb_start() {
  local screen=${1:-1024x768x24} told pid
  told=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp 3>"$told" >/dev/null 2>&1 &
  pid=$!
  xvfb_own "$pid"
  for _ in $(seq 100); do
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

export WINEDEBUG=-all
# No .NET or Gecko installers: the game needs neither.
export WINEDLLOVERRIDES="mscoree,mshtml="

# wine_prefix FOLDER BROWSER [DPI]: makes FOLDER a Wine prefix (once: kept,
# it spares the next run half a minute) and starts its wineserver until the
# script exits. BROWSER gets the web addresses; DPI defaults to 96.
wine_prefix() {
  export WINEPREFIX=$1
  local browser=$2 dpi=${3:-96} reg
  # A persistent server: a program started just after the last one ended
  # could otherwise meet a server on its way out and fail to make its window.
  mkdir -p "$WINEPREFIX"
  wineserver -w 2>/dev/null || true # one of an earlier run on its way out
  wineserver -p
  _wine_server=1
  if [ ! -f "$WINEPREFIX/.orvane-ready" ]; then
    wineboot -i >/dev/null 2>&1
    # Debian's Wine does not find its own fonts, among them those that stand
    # in for the classic Windows faces, until they are in the prefix.
    cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    touch "$WINEPREFIX/.orvane-ready"
  fi
  # Without a window manager Wine must frame its windows itself; a managed
  # window would get no frame and every close would wait two seconds.
  reg=$(mktemp --suffix=.reg)
  printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\n"Managed"="N"\n\n' >"$reg"
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\WineBrowser]\n"Browsers"="%s"\n' "$browser" >>"$reg"
  printf '\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"LogPixels"=dword:%08x\n' "$dpi" >>"$reg"
  wine regedit /S "$(winepath -w "$reg")" >/dev/null 2>&1
  rm -f "$reg"
}

# fail STEP SHOT MESSAGE: stops the run, naming the step and its screenshot.
fail() {
  echo "FAILED at step \"$1\": $3" >&2
  echo "  screenshot: $2" >&2
  exit 1
}

# shot NAME: the whole screen into $shots/NAME.png; prints the path.
shot() {
  import -window root "$shots/$1.png"
  echo "$shots/$1.png"
}

# crop IMAGE GEOMETRY OUT: the part WxH+X+Y of IMAGE, as an image of its own.
crop() { convert "$1" -crop "$2" +repage "$3"; }

# rmse A B: the root mean square difference of two images of one size, 0
# to 1. compare answers 1 when the images differ, which is no failure here.
rmse() {
  { compare -metric RMSE "$1" "$2" null: 2>&1 || true; } | sed -n 's/.*(\([0-9.e+-]*\)).*/\1/p'
}

# differing A B [FUZZ]: the number of pixels that differ by more than FUZZ.
differing() {
  { compare -metric AE -fuzz "${3:-10%}" "$1" "$2" null: 2>&1 || true; } | awk '{printf "%d\n", $1}'
}

# pixels_like IMAGE COLOUR [FUZZ]: the number of pixels near COLOUR.
pixels_like() {
  local size=$(identify -format %wx%h "$1")
  convert -size "$size" "xc:$2" "$work/solid.png"
  echo $((${size%x*} * ${size#*x} - $(differing "$1" "$work/solid.png" "${3:-10%}")))
}

# below LIMIT VALUE: whether the decimal VALUE is below LIMIT.
below() { awk -v l="$1" -v v="$2" 'BEGIN { exit !(v != "" && v + 0 < l + 0) }'; }

# menu_entries IMAGE GAP: the left and right edge of each word of a menu
# bar, a line each; the captions are single words, parted by a GAP.
menu_entries() {
  convert "$1" -colorspace gray -threshold 50% -negate -scale "$(identify -format %w "$1")x1!" -depth 8 txt:- |
    awk -F'[,:() ]+' -v gap="$2" '
      NR > 1 { x = $1; if ($4 > 0) { if (!open) { start = x; open = 1 } end = x }
               else if (open && x - end > gap) { print start, end; open = 0 } }
      END { if (open) print start, end }'
}
