# SPDX-FileCopyrightText: 2026 The Orvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Xvfb, a Wine prefix, polling and picture checks for the end-to-end scripts and the desktop
# benchmarks. What it started, and $work, go at the exit.
ORVANE_CAPTION="Orvane  v1"
_xvfb_pids=()
_xvfb_cleanup() {
  [ -z "${_wine_server:-}" ] || wineserver -k 2>/dev/null || true
  kill "${_xvfb_pids[@]}" 2>/dev/null || true
  wait "${_xvfb_pids[@]}" 2>/dev/null || true
  [ -z "${work:-}" ] || rm -rf "$work"
}
trap _xvfb_cleanup EXIT
xvfb_own() { _xvfb_pids+=("$1"); }

until_true() {
  local deadline=$(($(date +%s) + $1))
  until "${@:2}"; do
    [ "$(date +%s)" -ge "$deadline" ] && return 1
    sleep 0.2
  done
}
# Xvfb picks a free display and tells its number: a guessed one may belong to a server of another run
# that the lock files of this /tmp do not show.
xvfb_start() {
  local told=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "$1" -nolisten tcp 3>"$told" >/dev/null 2>&1 &
  xvfb_own $!
  until_true 10 grep -q '^[0-9][0-9]*$' "$told" || { echo "could not start Xvfb" >&2 && return 1; }
  export DISPLAY=":$(cat "$told")"
  rm -f "$told"
}
_visible_window() { window=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1) && [ -n "$window" ]; }
# xvfb_window CAPTION SECONDS: sets window, X, Y, WIDTH and HEIGHT.
xvfb_window() { until_true "$2" _visible_window "$1" && eval "$(xdotool getwindowgeometry --shell "$window")"; }

export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" # no .NET or Gecko installers: the game needs neither
# wine_prefix FOLDER BROWSER [DPI]: the prefix is kept, which spares the next run half a minute. A
# persistent server: a program started just after the last one ended could otherwise meet a server on
# its way out and fail to make its window.
wine_prefix() {
  export WINEPREFIX=$1
  mkdir -p "$WINEPREFIX"
  wineserver -w 2>/dev/null || true # one of an earlier run on its way out
  wineserver -p
  _wine_server=1
  if [ ! -f "$WINEPREFIX/.orvane-ready" ]; then
    wineboot -i >/dev/null 2>&1
    # Debian's Wine does not find its own fonts (those standing in for the Windows faces) outside the prefix.
    cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    touch "$WINEPREFIX/.orvane-ready"
  fi
  # Without a window manager Wine must frame its windows itself; a managed window would get no frame
  # and every close would wait two seconds.
  printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\n"Managed"="N"\n\n[HKEY_CURRENT_USER\\Software\\Wine\\WineBrowser]\n"Browsers"="%s"\n\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"LogPixels"=dword:%08x\n' \
    "$2" "${3:-96}" >"$WINEPREFIX/orvane.reg"
  wine regedit /S "$(winepath -w "$WINEPREFIX/orvane.reg")" >/dev/null 2>&1
}

fail() { printf 'FAILED at step "%s": %s\n  screenshot: %s\n' "$1" "$3" "$2" >&2; exit 1; }
shot() { import -window root "$shots/$1.png" && echo "$shots/$1.png"; }
crop() { convert "$1" -crop "$2" +repage "$3"; }
# compare answers 1 when the images differ, which is no failure here.
rmse() { { compare -metric RMSE "$1" "$2" null: 2>&1 || true; } | sed -n 's/.*(\([0-9.e+-]*\)).*/\1/p'; }
differing() { { compare -metric AE -fuzz "${3:-10%}" "$1" "$2" null: 2>&1 || true; } | awk '{printf "%d\n", $1}'; }
pixels_like() {
  local size=$(identify -format %wx%h "$1")
  convert -size "$size" "xc:$2" "$work/solid.png"
  echo $((${size%x*} * ${size#*x} - $(differing "$1" "$work/solid.png" "${3:-10%}")))
}
below() { awk -v l="$1" -v v="$2" 'BEGIN { exit !(v != "" && v + 0 < l + 0) }'; }
