#!/usr/bin/env bash
# A player's first minute in the real game under Xvfb, driven with xdotool
# and checked on screenshots: the welcome picture, the speed test, the
# prompt of level 1 with its panel, a stroke, Display Margins on and off,
# Pause, the high-score window, Resume and Exit.
# Usage: tests/e2e/play_in_xvfb.sh BUILD_DIR
# The screenshots stay in BUILD_DIR/e2e-screenshots, passed or failed.
set -euo pipefail
build=$(cd "$1" && pwd)
suite=play
source "$(dirname "$0")/game_lib.sh"
source "$(dirname "$0")/play_checks.sh"

# A table of three, so the high-score window has entries to show.
for entry in "Ann 9000" "Bob 4000" "Cy 100"; do
  printf '"%s",%d\r\n' "${entry% *}" $((${entry#* } ^ 0x5D2A3))
done >"$data/HighScores.ooo"

xvfb_start 1024x768x24
launch_game 1

# The entries of the menu bar, left to right: Exit, About..., Website...,
# Options, Pause (Resume while paused), RESTART. Sets entry_x to the
# middle of each and entry_w to its width.
read_menu_bar() {
  crop "$1" "${WIDTH}x$((MENU - 2))+$X+$((Y + 1))" "$work/bar.png"
  entry_x=() entry_w=()
  local left right
  while read -r left right; do
    entry_x+=($((X + (left + right) / 2)))
    entry_w+=($((right - left + 1)))
  done < <(menu_entries "$work/bar.png")
}
click_entry() { xdotool mousemove "${entry_x[$1]}" $((Y + MENU / 2)) click 1; }
EXIT=0 OPTIONS=3

# --- 01 the welcome picture ---
step="the welcome picture"
poll_shot 01-welcome 20 welcome_is_shown ||
  fail "$step" "$last" "the playfield does not show Data/Welcome.jpg (RMSE $(rmse "$work/now.png" "$data/Welcome.jpg"))"
[ "$WIDTH" -eq 600 ] && [ "$MENU" -ge 10 ] && [ "$MENU" -le 60 ] ||
  fail "$step" "$last" "the window is ${WIDTH}x$HEIGHT, not a 600x400 playfield below a menu bar"
read_menu_bar "$last"
[ ${#entry_x[@]} -eq 6 ] || fail "$step" "$last" "the menu bar shows ${#entry_x[@]} entries, not 6"
pause_width=${entry_w[$PAUSE]}

# --- 02 the speed test, started by the welcome picture's start area ---
step="the speed test ends with the prompt of level 1"
at 304 364
xdotool click 1
level=$data/Level001.jpg
part "$level" 0 0 600 160 "$work/level-top.png"
part "$data/SystemTest.jpg" 0 0 600 160 "$work/test-top.png"
speed_test_seen=no
level_is_shown() {
  part "$work/now.png" 0 0 600 160 "$work/top.png"
  if [ $speed_test_seen = no ] && below 0.05 "$(rmse "$work/top.png" "$work/test-top.png")"; then
    speed_test_seen=yes
    cp "$last" "$shots/02-speed-test.png"
  fi
  below 0.02 "$(rmse "$work/top.png" "$work/level-top.png")"
}
poll_shot 03-prompt 90 level_is_shown ||
  fail "$step" "$last" "no level 1 picture within 90 s of the click on the start area"
echo "speed test seen running: $speed_test_seen"

# --- 03 the prompt and the level-information panel ---
step="the prompt and the level-information panel"
check_prompt_and_panel

# --- 04 and 05 a click on the prompt starts the level; a stroke ---
start_level_and_draw

# --- 06 and 07 Display Margins on ---
step="Display Margins on"
click_entry $OPTIONS
# The drop-down opens below Options, over the playfield.
menu_is_open() {
  part "$work/now.png" $((entry_x[OPTIONS] - X - 20)) 0 100 40 "$work/drop.png"
  [ "$(pixels_like "$work/drop.png" white 15%)" -gt 1500 ]
}
poll_shot 06-options-menu 10 menu_is_open || fail "$step" "$last" "the Options menu did not open"
xdotool key Down Return
poll_shot 07-margins-on 10 margins_shown || fail "$step" "$last" "no red margins on the playfield"

# --- 08 Display Margins off ---
step="Display Margins off"
click_entry $OPTIONS
poll_shot 08-options-menu 10 menu_is_open || fail "$step" "$last" "the Options menu did not open"
xdotool key Down Return
poll_shot 09-margins-off 10 margins_gone ||
  fail "$step" "$last" "$(pixels_like "$work/now.png" red 20%) red pixels left on the playfield"
stroke_is_drawn || fail "$step" "$last" "the stroke was not drawn again"

# --- 10 Pause: the caption turns to Resume and nothing moves ---
step="Pause"
click_entry $PAUSE
rm -f "$work/before.png"
poll_shot 10-paused 10 paused || fail "$step" "$last" "the game did not stand still with the Pause entry turned to Resume"

# --- 11 to 13 the high-score window, opened and closed while paused ---
step="the high-score window"
click_entry $OPTIONS
poll_shot 11-options-menu 10 menu_is_open || fail "$step" "$last" "the Options menu did not open"
xdotool key Down Down Return
xvfb_window "^High Scores$" 10 || fail "$step" "$(shot 12-high-scores)" "no window captioned \"High Scores\""
[ "$WIDTH" -ge 170 ] && [ "$HEIGHT" -ge 295 ] ||
  fail "$step" "$(shot 12-high-scores)" "the high-score window is only ${WIDTH}x$HEIGHT"
# The list is white, the window face grey (212, 208, 200), and the three
# entries of the table are dark text on the list. A window just mapped
# may not be painted yet.
scores_shown() {
  crop "$last" "${WIDTH}x$HEIGHT+$X+$Y" "$work/scores.png"
  crop "$work/scores.png" "140x240+13+$((HEIGHT - 295 + 14))" "$work/list.png"
  list=$(pixels_like "$work/scores.png" white 5%)
  face=$(pixels_like "$work/scores.png" 'rgb(212,208,200)' 5%)
  entries=$(pixels_like "$work/list.png" black 40%)
  [ "$list" -gt 20000 ] && [ "$face" -gt 3000 ] && [ "$entries" -gt 150 ]
}
poll_shot 12-high-scores 10 scores_shown ||
  fail "$step" "$last" "the window shows $list white list pixels, $face of its face colour, $entries of text"
# Its OK button, the default one, closes it.
xdotool mousemove $((X + 124)) $((Y + HEIGHT - 295 + 276)) click 1
closed() { ! xdotool search --onlyvisible --name "^High Scores$" >/dev/null 2>&1; }
until_true 10 closed || fail "$step" "$(shot 13-high-scores-closed)" "the OK button did not close the window"
eval "$(xdotool getwindowgeometry --shell "$main")"
poll_shot 13-high-scores-closed 10 still_paused ||
  fail "$step" "$last" "the playfield is not as it was when paused"

# --- 14 Resume: the game goes on ---
step="Resume"
read_menu_bar "$last"
click_entry $PAUSE
poll_shot 14-resumed 10 resumed || fail "$step" "$last" "the caption is not Pause again, or nothing moves"

# --- 15 Exit ends the program ---
step="Exit"
click_entry $EXIT
ended() { ! kill -0 "$game" 2>/dev/null; }
until_true 10 ended || fail "$step" "$(shot 15-exit)" "the game still runs 10 s after Exit"
wait "$game" && status=0 || status=$?
[ "$status" -eq 0 ] || fail "$step" "$(shot 15-exit)" "the game ended with status $status"
echo "play-through in Xvfb passed; screenshots in $shots"
