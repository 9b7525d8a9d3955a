# Shared by the scripts that run the Windows build under Wine in Xvfb: a
# Wine prefix of the run's own, set up as a window-manager-less X server
# needs it, and one wineserver kept for the whole run. Source it after
# xvfb_lib.sh.

export WINEDEBUG=-all
# No .NET or Gecko installers: the game needs neither.
export WINEDLLOVERRIDES="mscoree,mshtml="

# wine_prefix FOLDER BROWSER: makes FOLDER a Wine prefix (once; a prefix
# already set up is kept, which spares the next run half a minute) and
# starts its wineserver, which stays until the script exits. BROWSER is
# the program Wine hands web addresses to.
wine_prefix() {
  export WINEPREFIX=$1
  local browser=$2 reg
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
  wine regedit /S "$(winepath -w "$reg")" >/dev/null 2>&1
  rm -f "$reg"
}
