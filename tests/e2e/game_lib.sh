# The game under Xvfb for the end-to-end scripts: a copy of the built game
# in a scratch folder, its window and playfield found on the screen, and
# screenshots polled until they show what a step waits for.
# Source it with BUILD_DIR and a name for the screenshot folder set in
# build and suite; it sources the X server and picture helpers.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/xvfb_lib.sh"
source "$here/picture_lib.sh"

# Screenshots stay in $shots, passed or failed.
shots=$build/e2e-screenshots/$suite
rm -rf "$shots"
mkdir -p "$shots"
work=$(mktemp -d)
trap '_xvfb_cleanup; rm -rf "$work"' EXIT
# One thread an ImageMagick command: the game keeps a core busy.
export MAGICK_THREAD_LIMIT=1

# The game runs from a copy, so the high scores it may write stay out of
# the build's Data folder.
mkdir "$work/game"
cp "$build/orvane" "$work/game/"
cp -r "$build/Data" "$work/game/Data"
data=$work/game/Data
# What launch_game starts; a script may put another command here.
game_command=("$work/game/orvane")

# launch_game SCALE: starts the game at that pixel ratio and waits for its
# window. Sets game (its process), main (its window), X, Y, WIDTH, HEIGHT,
# and FX, FY, MENU: the playfield's top left on the screen and the menu
# bar's height, in device pixels.
launch_game() {
  scale=$1
  started=$(date +%s)
  # The X server, whatever platform the window tests around were told of.
  QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale "${game_command[@]}" >"$shots/game.log" 2>&1 &
  game=$!
  xvfb_own "$game"
  xvfb_window "$ORVANE_CAPTION" 30 ||
    fail "the game's window appears" "(none)" "no window captioned \"$ORVANE_CAPTION\" within 30 s"
  main=$window
  # The playfield fills the window below the menu bar.
  FX=$X FY=$((Y + HEIGHT - 400 * scale)) MENU=$((HEIGHT - 400 * scale))
  field_geometry=$((600 * scale))x$((400 * scale))+$FX+$FY
  echo "window ${WIDTH}x$HEIGHT at $X,$Y, menu bar $MENU high (device pixels, scale $scale)"
}

# at X Y: the pointer to a point of the playfield, in the game's units.
at() { xdotool mousemove $((FX + $1 * scale)) $((FY + $2 * scale)); }

# field SHOT OUT: the playfield of a screenshot.
field() { crop "$1" "$field_geometry" "$2"; }
