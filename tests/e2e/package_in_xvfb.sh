#!/usr/bin/env bash
# The Debian package as a player gets it: built by CPack, unpacked where
# dpkg would put it, and started from its launcher by a user who cannot
# write the installed folder. The player wins level 1, lets level 2's time
# run out and enters a name: the high score must land in the player's own
# copy of Data, and the installed folder must stay as it was.
# Usage: tests/e2e/package_in_xvfb.sh BUILD_DIR
# The screenshots stay in BUILD_DIR/e2e-screenshots, passed or failed.
set -euo pipefail
build=$(cd "$1" && pwd)
suite=package
source "$(dirname "$0")/game_lib.sh"

step="the package is built and unpacked"
(cd "$build" && cpack -G DEB >"$shots/cpack.log" 2>&1) || fail "$step" "$shots/cpack.log" "cpack failed"
deb=$(ls -t "$build"/orvane_*.deb | head -1)
root=$work/root
dpkg-deb -x "$deb" "$root"
[ -x "$root/usr/bin/orvane" ] && [ -x "$root/usr/lib/orvane/orvane" ] ||
  fail "$step" "$deb" "the package lacks its launcher or its program"
# A new player's table is empty, not missing: no error box at the first look.
[ -f "$root/usr/lib/orvane/Data/HighScores.ooo" ] && [ ! -s "$root/usr/lib/orvane/Data/HighScores.ooo" ] ||
  fail "$step" "$deb" "the package has no empty high-score file"
installed=$(cd "$root/usr/lib/orvane" && find . -type f -exec md5sum {} + | sort)

# The player: a user of its own when this runs as root, as on the build
# machines, so that the installed files are not the player's to write.
home=$work/home
mkdir -p "$home"
player=()
if [ "$(id -u)" -eq 0 ]; then
  chmod 755 "$work"
  chown nobody "$home"
  player=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
game_command=(env -u XDG_DATA_HOME HOME="$home" "${player[@]}" "$root/usr/bin/orvane")
scores=$home/.local/share/orvane/Data/HighScores.ooo

xvfb_start 1024x768x24
launch_game 1

step="the welcome picture"
welcome_is_shown() { below 0.02 "$(rmse "$work/now.png" "$data/Welcome.jpg")"; }
poll_shot 01-welcome 20 welcome_is_shown || fail "$step" "$last" "the playfield does not show Data/Welcome.jpg"

# shows_level N: the top of the playfield is level N's picture.
shows_level() {
  part "$work/now.png" 0 0 600 160 "$work/top.png"
  part "$data/Level00$1.jpg" 0 0 600 160 "$work/level-top.png"
  below 0.02 "$(rmse "$work/top.png" "$work/level-top.png")"
}
level_1() { shows_level 1; }
level_2() { shows_level 2; }

step="the speed test"
at 304 364
xdotool click 1
poll_shot 02-level-1 90 level_1 || fail "$step" "$last" "no level 1 picture within 90 s"

step="level 1 is won"
at 294 180
xdotool click 1
sleep 0.3
# One slanted line in the ball's way sends it up into the goal.
at 370 230
xdotool mousedown 1
for i in 1 2 3 4 5 6; do at $((370 + 10 * i)) $((230 - 10 * i)); done
xdotool mouseup 1
poll_shot 03-level-2 20 level_2 || fail "$step" "$last" "no level 2 picture within 20 s of the stroke"

step="level 2's time runs out"
at 294 180
xdotool click 1
# The box bears the game's name, without the main window's version.
other_box() { box=$(xdotool search --onlyvisible --name "^Orvane$" 2>/dev/null | head -1) && [ -n "$box" ]; }
until_true 60 other_box || fail "$step" "$(shot 04-no-box)" "no box within 60 s of the start of level 2"
shot 04-time-over >/dev/null
xdotool windowfocus --sync "$box" key Return

step="the name is entered"
name_box() { box=$(xdotool search --onlyvisible --name "^High Scores$" 2>/dev/null | head -1) && [ -n "$box" ]; }
until_true 15 name_box || fail "$step" "$(shot 05-no-name-box)" "no name entry box"
xdotool windowfocus --sync "$box" type "Pat Player"
shot 05-name >/dev/null
xdotool key Return

step="the high score is saved in the player's copy"
saved() { [ -f "$scores" ] && grep -q '"Pat Player"' "$scores"; }
error_box() { xdotool search --onlyvisible --name "^Error$" >/dev/null 2>&1; }
until_true 15 saved || fail "$step" "$(shot 06-not-saved)" "$scores holds no entry for Pat Player"
! error_box || fail "$step" "$(shot 06-error)" "an error box is shown"
if [ "$(id -u)" -eq 0 ]; then
  [ "$(stat -c %U "$scores")" = nobody ] || fail "$step" "$scores" "the file is not the player's"
fi
[ "$installed" = "$(cd "$root/usr/lib/orvane" && find . -type f -exec md5sum {} + | sort)" ] ||
  fail "$step" "$root/usr/lib/orvane" "the installed folder was changed"
name_box || fail "$step" "$(shot 06-no-table)" "the high-score window is not shown"
shot 06-table >/dev/null
echo "ok $(($(date +%s) - started)) s  saved: $(head -c 80 "$scores")"
kill "$game"
