# SPDX-FileCopyrightText: 2026 The Orvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The game as a player gets it (qt: the Debian package; wine: the Windows zip) from the folder build at
# the pixel ratio scale, watched.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
pct=$(awk -v s="$scale" 'BEGIN { print int(s * 100 + 0.5) }')
source "$here/lib.sh"
work=$(mktemp -d) && chmod 755 "$work"
export MAGICK_THREAD_LIMIT=1 # one thread an ImageMagick command: the game keeps a core busy
# The browser the game hands web addresses to writes them down.
mkdir "$work/bin" && touch "$work/opened" && chmod 666 "$work/opened"
printf '#!/bin/sh\nprintf "%%s\\n" "$@" >>"%s"\n' "$work/opened" >"$work/bin/xdg-open" && chmod 755 "$work/bin/xdg-open"

# Per platform: install (sets data and scores), run_game, place (the playfield's FX, FY and the menu
# bar's X Y WIDTH HEIGHT), to_box, close_with_ok.
case $platform in
qt)
  shots_root=$build/e2e-screenshots list_at=13,14
  install() {
    step="the package is built and unpacked"
    (cd "$build" && cpack -G DEB >"$shots/cpack.log" 2>&1) || fail "$step" "$shots/cpack.log" "cpack failed"
    deb=$(ls -t "$build"/orvane_*.deb | head -1) root=$work/root data=$work/root/usr/share/games/orvane/Data
    dpkg-deb -x "$deb" "$root"
    [ -x "$root/usr/games/orvane" ] && [ -x "$root/usr/lib/games/orvane/orvane" ] || fail "$step" "$deb" "the package lacks its launcher or its program"
    installed=$(cd "$root/usr" && find . -type f -exec md5sum {} + | sort)
    # The player: a user of its own when this runs as root, so that the installed files are not the player's to write.
    home=$work/home player=() scores=$work/home/.local/share/orvane/Data/HighScores.ooo
    mkdir "$home"
    [ "$(id -u)" -ne 0 ] || { chown nobody "$home" && player=(setpriv --reuid=nobody --regid=nogroup --clear-groups); }
  }
  run_game() { # on the X server, whatever platform the window tests were told of
    exec env -u XDG_DATA_HOME HOME="$home" PATH="$work/bin:$PATH" QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$scale" \
      "${player[@]}" "$root/usr/games/orvane"
  }
  place() {
    FX=$X FY=$((Y + HEIGHT - 400 * pct / 100))
    bar=("$X" $((Y + 1)) "$WIDTH" $((FY - Y - 2)))
  }
  to_box() { xdotool windowfocus --sync "$box" "$@"; } # without a window manager nothing gives it the keyboard
  close_with_ok() { xdotool mousemove $((X + 124)) $((Y + HEIGHT - 19)) click 1; }
  ;;
wine)
  shots_root=$(cd "$here/../.." && pwd)/build/e2e-screenshots list_at=13,34
  install() {
    zip=$(ls "$build"/orvane-*-win64.zip)
    (cd "$work" && cmake -E tar xf "$zip")
    game_dir=$(ls -d "$work"/orvane-*-win64)
    data=$game_dir/Data scores=$game_dir/Data/HighScores.ooo
    [ -f "$game_dir/orvane.exe" ] && [ -f "$game_dir/README.txt" ] || fail "the zip" "$zip" "the zip lacks orvane.exe or README.txt"
    wine_prefix "$build/wine$([ "$scale" = 1 ] || echo -hidpi)" "$work/bin/xdg-open" $((96 * pct / 100))
  }
  run_game() { cd "${1:-$game_dir}" && exec wine orvane.exe; }
  place() { # Wine frames the window itself: an equal border left, right and below
    local border=$(((WIDTH - 600 * pct / 100) / 2))
    FX=$((X + border)) FY=$((Y + HEIGHT - border - 400 * pct / 100))
    bar=($((FX + 2)) $((FY - 17 * pct / 100)) $((600 * pct / 100 - 4)) $((14 * pct / 100)))
  }
  to_box() { xdotool "$@"; }
  close_with_ok() { to_box key Return; }
  close_box() { xdotool mousemove $((X + WIDTH - 7 - 6 * pct / 100)) $((Y + 8 + 4 * pct / 100)) click 1; }
  ;;
esac

begin() {
  shots=$shots_root/$1
  rm -rf "$shots" && mkdir -p "$shots"
  xvfb_start "$([ "$scale" = 1 ] && echo 1024x768x24 || echo 1600x1200x24)"
  install
  ref Welcome.jpg 0 0 600 400 "$work/welcome.png"
  ref Level001.jpg 150 162 300 30 "$work/level-band.png"
  ref Level001.jpg 440 290 120 50 "$work/level-stroke.png"
}
start() {
  started=$(date +%s)
  (run_game "$@") >"$shots/game.log" 2>&1 &
  game=$!
  xvfb_own "$game"
}
launch() { # under Wine a start now and then makes no window: it is tried twice
  start
  xvfb_window "$ORVANE_CAPTION" 30 || { [ "$platform" = wine ] && { kill "$game" 2>/dev/null; start; } && xvfb_window "$ORVANE_CAPTION" 30; } ||
    fail "the game's window appears" "(none)" "no window captioned \"$ORVANE_CAPTION\" within 30 s"
  place
  [ $((WIDTH - 600 * pct / 100)) -eq $((2 * (FX - X))) ] && [ $((FY - Y)) -ge $((10 * pct / 100)) ] && [ $((FY - Y)) -le $((60 * pct / 100)) ] ||
    fail "the game's window appears" "$(shot 00-window)" "the window is ${WIDTH}x$HEIGHT, not a playfield of 600x400 times $scale below a menu bar"
}

at() { xdotool mousemove $((FX + $1 * pct / 100)) $((FY + $2 * pct / 100)); }
click_at() { at "$@" && xdotool click 1; }
# stroke X Y DX DY N, in the game's units.
stroke() {
  at "$1" "$2"
  xdotool mousedown 1
  for i in $(seq "$5"); do at $(($1 + $3 * i)) $(($2 + $4 * i)); done
  xdotool mouseup 1
}
area() { crop "$1" "$(($4 * pct / 100))x$(($5 * pct / 100))+$(($2 * pct / 100))+$(($3 * pct / 100))" "$6"; }
ref() { convert "$data/$1" -crop "$4x$5+$2+$3" +repage -resize "$pct%" "$6"; }
# changed X Y W H IMAGE FUZZ: the pixels of that area that differ from IMAGE.
changed() { area "$work/now.png" "${@:1:4}" "$work/part.png" && differing "$work/part.png" "$5" "$6"; }
looks_like() { below $((2 * pct / 100))e-2 "$(rmse "$1" "$2")"; }
_box() { box=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1) && [ -n "$box" ]; }
box() { until_true "$2" _box "$1"; }
gone() { ! _box "$1"; }
answer() {
  box "$1" "$2" || fail "$step" "$(shot "$3")" "no window titled \"$1\" within $2 s"
  shot "$3" >/dev/null
  [ $# -lt 4 ] || to_box "${@:4}"
}
# step NAME COMMAND...: the step that failures name, and its first action.
step() { step=$1 && "${@:2}"; }
no_error_box() { gone Error || fail "$step" "$(shot "$1")" "an error box is shown"; }
record() { printf '"%s",%d\r\n' "$1" $(($2 ^ 0x5D2A3)); }
# poll_shot NAME SECONDS CHECK...: CHECK reads $work/now.png, the playfield.
_polled() { last=$(shot "$1") && crop "$last" "$((600 * pct / 100))x$((400 * pct / 100))+$FX+$FY" "$work/now.png" && "${@:2}"; }
poll_shot() { until_true "$2" _polled "$1" "${@:3}" && echo "ok $(($(date +%s) - started)) s  $1"; }

# The middle (entry_x) and width (entry_w) of each word of the menu bar.
EXIT=0 ABOUT=1 WEBSITE=2 OPTIONS=3 PAUSE=4 RESTART=5
read_menu_bar() {
  menu_bar "$1" "$work/bar.png"
  { read -ra entry_x && read -ra entry_w; } < <(convert "$work/bar.png" -colorspace gray -threshold 50% -negate \
    -scale "${bar[2]}x1!" -depth 8 txt:- | awk -F'[,:() ]+' -v gap=$((5 * pct / 100)) -v left="${bar[0]}" '
      function word() { mid = mid " " left + int((start + end) / 2); wide = wide " " end - start + 1; open = 0 }
      NR > 1 { x = $1; if ($4 > 0) { if (!open) { start = x; open = 1 } end = x } else if (open && x - end > gap) word() }
      END { if (open) word(); print mid; print wide }')
}
click_entry() { xdotool mousemove "${entry_x[$1]}" $((bar[1] + bar[3] / 2)) click 1; }
menu_bar() { crop "$1" "${bar[2]}x${bar[3]}+${bar[0]}+${bar[1]}" "$2"; }
menu_is_open() { [ "$(changed 0 0 600 30 "$work/closed.png" 10%)" -gt 1000 ]; }
choose_from_options() {
  area "$work/now.png" 0 0 600 30 "$work/closed.png"
  click_entry $OPTIONS
  poll_shot "$1" 10 menu_is_open || fail "$step" "$last" "the Options menu did not open"
  xdotool key "${@:2}"
}

welcome() {
  poll_shot "$1" 20 looks_like "$work/now.png" "$work/welcome.png" ||
    fail "$step" "$last" "the playfield does not show Data/Welcome.jpg (RMSE $(rmse "$work/now.png" "$work/welcome.png"))"
  read_menu_bar "$last"
  [ ${#entry_x[@]} -eq 6 ] || fail "$step" "$last" "the menu bar shows ${#entry_x[@]} entries, not 6"
  pause_width=${entry_w[$PAUSE]}
}
shows_level() {
  area "$work/now.png" 0 0 600 160 "$work/top.png"
  ref "Level00$1.jpg" 0 0 600 160 "$work/level-top.png"
  looks_like "$work/top.png" "$work/level-top.png"
}
after_speed_test() { poll_shot "$1" 120 shows_level 1 || fail "$step" "$last" "no level 1 picture within 120 s of the click on the start area"; }
band() { changed 150 162 300 30 "$work/level-band.png" 20%; } # where the prompt differs from the level picture
# The ball may cross the band: a hundred pixels are allowed.
prompt_is_gone() { [ "$(band)" -lt $((120 * pct / 100 * pct / 100)) ]; }
prompt_is_shown() { [ "$(band)" -gt $((300 * pct / 100 * pct / 100)) ] && shows_level 1; }
start_level() {
  click_at 294 180
  poll_shot "$1" 15 prompt_is_gone || fail "$step" "$last" "the prompt is still shown"
}
win_level_1() { start_level "$1" && stroke 370 230 10 -10 6; } # one slanted line sends the ball up into the goal
# Whole, to its far end: the mouse runs ahead of the paints, and a shot taken mid-stroke would pass the
# counts with half a line.
stroke_is_drawn() {
  area "$work/now.png" 440 290 120 50 "$work/stroke.png"
  area "$work/now.png" 538 324 14 9 "$work/stroke-end.png"
  [ "$(differing "$work/stroke.png" "$work/level-stroke.png" 20%)" -gt $((80 * pct / 100)) ] &&
    [ "$(pixels_like "$work/stroke.png" white 25%)" -gt $((60 * pct / 100)) ] &&
    [ "$(pixels_like "$work/stroke-end.png" white 25%)" -gt $((4 * pct / 100)) ]
}

# Steps 01 to 05: the speed test ends on level 1; a stroke shows white.
play_first_level() {
  step "the welcome picture" welcome 01-welcome
  step "the speed test ends with the prompt of level 1" click_at 304 364
  after_speed_test 03-prompt
  step "the prompt and the level-information panel" area "$work/now.png" 0 288 185 89 "$work/panel.png"
  # The panel is black (the picture there is dark, but far from all black), with light grey text.
  [ "$(pixels_like "$work/panel.png" black 3%)" -gt $((10000 * pct / 100 * pct / 100)) ] || fail "$step" "$last" "the panel is not black"
  [ "$(pixels_like "$work/panel.png" 'rgb(224,224,224)' 15%)" -gt $((100 * pct / 100 * pct / 100)) ] || fail "$step" "$last" "the panel shows no light grey text"
  prompt_is_shown || fail "$step" "$last" "the prompt's band differs from the level picture in only $(band) pixels"
  [ "$(pixels_like "$work/now.png" red 20%)" -eq 0 ] || fail "$step" "$last" "red pixels before Display Margins was chosen"
  step "a click on the prompt starts the level" start_level 04-started
  step "a stroke is drawn" stroke 450 300 10 3 10
  poll_shot 05-stroke 10 stroke_is_drawn || fail "$step" "$last" "no white line along the stroke from (450,300) to (550,330)"
}

ended() { ! kill -0 "$game" 2>/dev/null; }
exits_with_0() {
  until_true 10 ended || fail "$1" "$(shot "$2")" "the game still runs 10 s later"
  wait "$game" || { status=$? && fail "$1" "$(shot "$2")" "the game ended with status $status"; }
}
quit() {
  ! box "High Scores" 10 || xdotool key Escape
  click_entry $EXIT
  exits_with_0 "$step" "$1"
}
