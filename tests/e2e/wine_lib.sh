# Shared by the scripts that run the Windows build under Wine in Xvfb: a
# Wine prefix of the run's own, set up as a window-manager-less X server
# needs it, and one wineserver kept for the whole run. Source it after
# xvfb_lib.sh.

_wine_here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
export WINEDEBUG=-all
# No .NET or Gecko installers: the game needs neither.
export WINEDLLOVERRIDES="mscoree,mshtml="

# wine_prefix FOLDER BROWSER [DPI]: makes FOLDER a Wine prefix (once; a
# prefix already set up is kept, which spares the next run half a minute)
# and starts its wineserver, which stays until the script exits. BROWSER is
# the program Wine hands web addresses to; DPI the screen's dots per inch
# (96 unless given: 192 is a pixel ratio of 2).
wine_prefix() {
  export WINEPREFIX=$1
  local browser=$2 dpi=${3:-96} reg
  # A persistent server: a program started just after the last one ended
  # could otherwise meet a server on its way out and fail to make its window.
  mkdir -p "$WINEPREFIX"
  wineserver -w 2>/dev/null || true # one of an earlier run on its way out
  wineserver -p
  _wine_cleanup() { wineserver -k 2>/dev/null || true; }
  trap '_wine_cleanup; _xvfb_cleanup; rm -rf "${work:-/nonexistent}"' EXIT
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

# wine_suite NAME: the run's screenshots go to build/e2e-screenshots/NAME
# ($shots, emptied first), its scratch files to $work, both kept or
# removed when the script exits.
wine_suite() {
  shots=$(cd "$_wine_here/../.." && pwd)/build/e2e-screenshots/$1
  rm -rf "$shots"
  mkdir -p "$shots"
  work=$(mktemp -d)
  trap '_xvfb_cleanup; rm -rf "$work"' EXIT
  # One thread an ImageMagick command: the game keeps a core busy.
  export MAGICK_THREAD_LIMIT=1
}

# unpack_zip BUILD: the zip CPack made in BUILD, unpacked into $work; sets
# game_dir, the game's folder, and data, its Data folder.
unpack_zip() {
  local zip
  zip=$(ls "$1"/orvane-*-win64.zip)
  (cd "$work" && cmake -E tar xf "$zip")
  game_dir=$(ls -d "$work"/orvane-*-win64)
  data=$game_dir/Data
}

# launch: starts the game in $game_dir, and once more if its window does
# not come; sets game (its process), window, X, Y, WIDTH, HEIGHT and started.
launch() {
  local attempt
  for attempt in 1 2; do
    started=$(date +%s)
    (cd "$game_dir" && exec wine orvane.exe) >"$shots/game.log" 2>&1 &
    game=$!
    xvfb_own "$game"
    if xvfb_window "$ORVANE_CAPTION" 30; then return 0; fi
    echo "no window on attempt $attempt"
    kill "$game" 2>/dev/null || true
  done
  fail "the game's window appears" "(none)" "no window captioned \"$ORVANE_CAPTION\" within 30 s, twice"
}

# playfield_at SCALE: sets FX and FY, the playfield's top left on the
# screen. Wine frames the window itself: an equal border left, right and
# below; the playfield, 600x400 times SCALE, fills the client area above the
# bottom border.
playfield_at() {
  local border=$(((WIDTH - 600 * $1) / 2))
  FX=$((X + border)) FY=$((Y + HEIGHT - border - 400 * $1))
  echo "window ${WIDTH}x$HEIGHT at $X,$Y, playfield at $FX,$FY (scale $1)"
}
