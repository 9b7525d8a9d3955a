# SPDX-FileCopyrightText: 2026 The Orvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The game as a player gets it, installed into a scratch folder, started in
# a private X server and watched on screenshots. Source it with platform
# (qt: the Debian package; wine: the Windows zip), build (its build folder)
# and scale (the pixel ratio: 1, 1.5 or 2) set; then call `begin FOLDER`.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# The ratio in hundredths, for the shell's whole-number arithmetic.
pct=$(awk -v s="$scale" 'BEGIN { print int(s * 100 + 0.5) }')
source "$here/lib.sh"
work=$(mktemp -d) && chmod 755 "$work"
# One thread an ImageMagick command: the game keeps a core busy.
export MAGICK_THREAD_LIMIT=1
# The browser the game hands web addresses to writes them down.
mkdir "$work/bin" && touch "$work/opened" && chmod 666 "$work/opened"
printf '#!/bin/sh\nprintf "%%s\\n" "$@" >>"%s"\n' "$work/opened" >"$work/bin/xdg-open" && chmod 755 "$work/bin/xdg-open"

# What differs between the platforms: installing (sets data, the pictures'
# folder, and scores, the high-score file), starting (tried $tries times),
# where the playfield and the menu bar lie in the window (place sets FX, FY
# and bar: X Y WIDTH HEIGHT, in device pixels), how a dialog gets keys
# (to_box XDOTOOL-COMMAND) and its OK, and the high-score list's place.
case $platform in
qt)
  shots_root=$build/e2e-screenshots tries=1 list_at=13,14
  install() {
    step="the package is built and unpacked"
    (cd "$build" && cpack -G DEB >"$shots/cpack.log" 2>&1) || fail "$step" "$shots/cpack.log" "cpack failed"
    deb=$(ls -t "$build"/orvane_*.deb | head -1) root=$work/root data=$work/root/usr/share/games/orvane/Data
    dpkg-deb -x "$deb" "$root"
    [ -x "$root/usr/games/orvane" ] && [ -x "$root/usr/lib/games/orvane/orvane" ] || fail "$step" "$deb" "the package lacks its launcher or its program"
    installed=$(cd "$root/usr" && find . -type f -exec md5sum {} + | sort)
    # The player: a user of its own when this runs as root, as on the build
    # machines, so that the installed files are not the player's to write.
    home=$work/home player=()
    mkdir "$home"
    [ "$(id -u)" -ne 0 ] || { chown nobody "$home" && player=(setpriv --reuid=nobody --regid=nogroup --clear-groups); }
    scores=$home/.local/share/orvane/Data/HighScores.ooo
  }
  # On the X server, whatever platform the window tests were told of.
  run_game() {
    exec env -u XDG_DATA_HOME HOME="$home" PATH="$work/bin:$PATH" QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$scale" \
      "${player[@]}" "$root/usr/games/orvane"
  }
  # The playfield fills the window below the menu bar.
  place() {
    FX=$X FY=$((Y + HEIGHT - 400 * pct / 100))
    bar=("$X" $((Y + 1)) "$WIDTH" $((FY - Y - 2)))
  }
  # Without a window manager nothing gives a new window the keyboard.
  to_box() { xdotool windowfocus --sync "$box" "$@"; }
  close_with_ok() { xdotool mousemove $((X + 124)) $((Y + HEIGHT - 19)) click 1; }
  ;;
wine)
  shots_root=$(cd "$here/../.." && pwd)/build/e2e-screenshots tries=2 list_at=13,34
  install() {
    zip=$(ls "$build"/orvane-*-win64.zip)
    (cd "$work" && cmake -E tar xf "$zip")
    game_dir=$(ls -d "$work"/orvane-*-win64)
    data=$game_dir/Data scores=$game_dir/Data/HighScores.ooo
    [ -f "$game_dir/orvane.exe" ] && [ -f "$game_dir/README.txt" ] || fail "the zip" "$zip" "the zip lacks orvane.exe or README.txt"
    wine_prefix "$build/wine$([ "$scale" = 1 ] || echo -hidpi)" "$work/bin/xdg-open" $((96 * pct / 100))
  }
  run_game() { cd "$game_dir" && exec wine orvane.exe; }
  # Wine frames the window itself: an equal border left, right and below.
  place() {
    local border=$(((WIDTH - 600 * pct / 100) / 2))
    FX=$((X + border)) FY=$((Y + HEIGHT - border - 400 * pct / 100))
    bar=($((FX + 2)) $((FY - 17 * pct / 100)) $((600 * pct / 100 - 4)) $((14 * pct / 100)))
  }
  to_box() { xdotool "$@"; }
  close_with_ok() { to_box key Return; }
  # The close box is the caption's last button.
  close_box() { xdotool mousemove $((X + WIDTH - 7 - 6 * pct / 100)) $((Y + 8 + 4 * pct / 100)) click 1; }
  ;;
esac

# begin FOLDER: screenshots to $shots_root/FOLDER (emptied first, kept
# passed or failed), the X server started, the game installed.
begin() {
  shots=$shots_root/$1
  rm -rf "$shots" && mkdir -p "$shots"
  xvfb_start "$([ "$scale" = 1 ] && echo 1024x768x24 || echo 1600x1200x24)"
  install
}

# launch: starts the game and waits for its window; sets game (its
# process), main (its window), X, Y, WIDTH, HEIGHT and the playfield's place.
launch() {
  local attempt
  for attempt in $(seq "$tries"); do
    started=$(date +%s)
    (run_game) >"$shots/game.log" 2>&1 &
    game=$!
    xvfb_own "$game"
    xvfb_window "$ORVANE_CAPTION" 30 && break
    kill "$game" 2>/dev/null || true
    [ "$attempt" -lt "$tries" ] || fail "the game's window appears" "(none)" "no window captioned \"$ORVANE_CAPTION\" within 30 s, $tries times"
    echo "no window on attempt $attempt"
  done
  main=$window
  place
  echo "window ${WIDTH}x$HEIGHT at $X,$Y, playfield at $FX,$FY"
  [ $((WIDTH - 600 * pct / 100)) -eq $((2 * (FX - X))) ] && [ $((FY - Y)) -ge $((10 * pct / 100)) ] && [ $((FY - Y)) -le $((60 * pct / 100)) ] ||
    fail "the game's window appears" "$(shot 00-window)" "the window is ${WIDTH}x$HEIGHT, not a playfield of 600x400 times $scale below a menu bar"
}

# at X Y: the pointer to a point of the playfield, in the game's units;
# click_at X Y clicks there.
at() { xdotool mousemove $((FX + $1 * pct / 100)) $((FY + $2 * pct / 100)); }
click_at() { at "$@" && xdotool click 1; }
# stroke X Y DX DY N: a stroke from (X,Y) in N steps of (DX,DY).
stroke() {
  at "$1" "$2"
  xdotool mousedown 1
  for i in $(seq "$5"); do at $(($1 + $3 * i)) $(($2 + $4 * i)); done
  xdotool mouseup 1
}
# area IMAGE X Y W H OUT: a rectangle of the playfield, in the game's units.
area() { crop "$1" "$(($4 * pct / 100))x$(($5 * pct / 100))+$(($2 * pct / 100))+$(($3 * pct / 100))" "$6"; }
# ref PICTURE X Y W H OUT: that rectangle of a picture of the game, scaled.
ref() { convert "$data/$1" -crop "$4x$5+$2+$3" +repage -resize "$pct%" "$6"; }
# looks_like A B: whether two images are alike but for smoothing.
looks_like() { below $((2 * pct / 100))e-2 "$(rmse "$1" "$2")"; }
# box TITLE SECONDS: sets box to the visible window of exactly that title.
_box() { box=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1) && [ -n "$box" ]; }
box() { until_true "$2" _box "$1"; }
gone() { ! _box "$1"; }
# answer TITLE SECONDS SHOT XDOTOOL-COMMAND...: the dialog of that title, on
# a screenshot, given the command.
answer() {
  box "$1" "$2" || fail "$step" "$(shot "$3")" "no window titled \"$1\" within $2 s"
  shot "$3" >/dev/null
  to_box "${@:4}"
}

# poll_shot NAME SECONDS CHECK [ARGS]: screenshots, kept as NAME, until CHECK,
# which reads the playfield in $work/now.png and the shot in $last, succeeds.
poll_shot() {
  local deadline=$(($(date +%s) + $2))
  while :; do
    last=$(shot "$1")
    crop "$last" "$((600 * pct / 100))x$((400 * pct / 100))+$FX+$FY" "$work/now.png"
    "${@:3}" && echo "ok $(($(date +%s) - started)) s  $1" && return
    [ "$(date +%s)" -ge "$deadline" ] && return 1
    sleep 0.2
  done
}

# The menu bar's entries, left to right (Pause reads Resume while paused);
# read_menu_bar sets entry_x to the middle of each and entry_w to its width.
EXIT=0 ABOUT=1 WEBSITE=2 OPTIONS=3 PAUSE=4 RESTART=5
read_menu_bar() {
  menu_bar "$1" "$work/bar.png"
  entry_x=() entry_w=()
  local left right
  while read -r left right; do
    entry_x+=($((bar[0] + (left + right) / 2)))
    entry_w+=($((right - left + 1)))
  done < <(menu_entries "$work/bar.png" $((5 * pct / 100)))
}
click_entry() { xdotool mousemove "${entry_x[$1]}" $((bar[1] + bar[3] / 2)) click 1; }
menu_bar() { crop "$1" "${bar[2]}x${bar[3]}+${bar[0]}+${bar[1]}" "$2"; }

welcome_is_shown() { looks_like "$work/now.png" "$work/welcome.png"; }
# shows_level N: the top of the playfield is level N's picture.
shows_level() {
  area "$work/now.png" 0 0 600 160 "$work/top.png"
  ref "Level00$1.jpg" 0 0 600 160 "$work/level-top.png"
  looks_like "$work/top.png" "$work/level-top.png"
}
level_1() {
  if [ ! -f "$shots/02-speed-test.png" ]; then
    area "$work/now.png" 0 0 600 160 "$work/top.png"
    ! below 0.05 "$(rmse "$work/top.png" "$work/test-top.png")" || cp "$last" "$shots/02-speed-test.png"
  fi
  shows_level 1
}
# The prompt's band: the pixels in which it differs from the level picture.
band() {
  area "$work/now.png" 150 162 300 30 "$work/band.png"
  differing "$work/band.png" "$work/level-band.png" 20%
}
# The ball may cross the band: a hundred pixels of it are allowed.
prompt_is_gone() { [ "$(band)" -lt $((120 * pct / 100 * pct / 100)) ]; }
prompt_is_shown() { [ "$(band)" -gt $((300 * pct / 100 * pct / 100)) ] && shows_level 1; }
stroke_is_drawn() {
  area "$work/now.png" 440 290 120 50 "$work/stroke.png"
  [ "$(differing "$work/stroke.png" "$work/level-stroke.png" 20%)" -gt $((80 * pct / 100)) ] &&
    [ "$(pixels_like "$work/stroke.png" white 25%)" -gt $((60 * pct / 100)) ]
}

# Steps 01 to 05: the welcome picture; its start area runs the speed test,
# which ends on level 1 with its panel (black, light grey text) and prompt
# and no red; a click on the prompt starts the level, and a stroke out of
# the ball's way shows as a white line.
play_first_level() {
  step="the welcome picture"
  ref Welcome.jpg 0 0 600 400 "$work/welcome.png"
  poll_shot 01-welcome 20 welcome_is_shown || fail "$step" "$last" "the playfield does not show Data/Welcome.jpg (RMSE $(rmse "$work/now.png" "$work/welcome.png"))"
  read_menu_bar "$last"
  [ ${#entry_x[@]} -eq 6 ] || fail "$step" "$last" "the menu bar shows ${#entry_x[@]} entries, not 6"
  pause_width=${entry_w[$PAUSE]}

  step="the speed test ends with the prompt of level 1"
  click_at 304 364
  ref SystemTest.jpg 0 0 600 160 "$work/test-top.png"
  poll_shot 03-prompt 120 level_1 || fail "$step" "$last" "no level 1 picture within 120 s of the click on the start area"
  echo "speed test seen running: $([ -f "$shots/02-speed-test.png" ] && echo yes || echo no)"

  step="the prompt and the level-information panel"
  local black text prompt red
  area "$work/now.png" 0 288 185 89 "$work/panel.png"
  # The panel is black; the picture there is dark, but far from all black.
  black=$(pixels_like "$work/panel.png" black 3%)
  [ "$black" -gt $((10000 * pct / 100 * pct / 100)) ] || fail "$step" "$last" "only $black of the panel's pixels are black"
  text=$(pixels_like "$work/panel.png" 'rgb(224,224,224)' 15%)
  [ "$text" -gt $((100 * pct / 100 * pct / 100)) ] || fail "$step" "$last" "the panel shows $text light grey text pixels"
  ref Level001.jpg 150 162 300 30 "$work/level-band.png"
  prompt_is_shown || fail "$step" "$last" "the prompt's band differs from the level picture in only $(band) pixels"
  red=$(pixels_like "$work/now.png" red 20%)
  [ "$red" -eq 0 ] || fail "$step" "$last" "$red red pixels before Display Margins was chosen"

  step="a click on the prompt starts the level"
  click_at 294 180
  poll_shot 04-started 15 prompt_is_gone || fail "$step" "$last" "the prompt is still shown"

  step="a stroke is drawn"
  stroke 450 300 10 3 10
  ref Level001.jpg 440 290 120 50 "$work/level-stroke.png"
  poll_shot 05-stroke 10 stroke_is_drawn || fail "$step" "$last" "no white line along the stroke from (450,300) to (550,330)"
}

# exits_with_0 STEP SHOT: the game ends within ten seconds, with status 0.
ended() { ! kill -0 "$game" 2>/dev/null; }
exits_with_0() {
  until_true 10 ended || fail "$1" "$(shot "$2")" "the game still runs 10 s later"
  wait "$game" && status=0 || status=$?
  [ "$status" -eq 0 ] || fail "$1" "$(shot "$2")" "the game ended with status $status"
}
