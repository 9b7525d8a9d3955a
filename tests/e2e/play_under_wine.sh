#!/usr/bin/env bash
# The Windows game as a player gets it, under Wine in Xvfb: the zip made by
# CPack unpacked into a scratch folder, and played through, every step
# checked on a screenshot: the welcome picture below the menu bar, the speed
# test, level 1 with its panel and prompt, a stroke, Display Margins on and
# off, Pause and Resume, the high-score window closed with Enter, RESTART,
# level 1 won, level 2's time run out, a name typed and found in
# Data\HighScores.ooo, the high-score window closed with Esc, the About
# box, the Website command, Exit, and the window's close box.
# Usage: tests/e2e/play_under_wine.sh WINDOWS_BUILD_DIR
# The screenshots stay in WINDOWS_BUILD_DIR/../build/e2e-screenshots/win32.
set -euo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
source "$here/xvfb_lib.sh"
source "$here/picture_lib.sh"
source "$here/wine_lib.sh"
source "$here/play_checks.sh"

wine_suite win32

unpack_zip "$build"
step="the zip"
[ -f "$game_dir/orvane.exe" ] && [ -f "$game_dir/README.txt" ] && [ -f "$data/HighScores.ooo" ] &&
  [ ! -s "$data/HighScores.ooo" ] || fail "$step" "$zip" "the zip lacks orvane.exe, README.txt or an empty Data\\HighScores.ooo"

printf '#!/bin/sh\nprintf "%%s\\n" "$@" >>"%s"\n' "$work/opened" >"$work/browser"
chmod +x "$work/browser"
xvfb_start 1024x768x24
wine_prefix "$build/wine" "$work/browser"

launch
main=$window
playfield_at 1

at() { xdotool mousemove $((FX + $1)) $((FY + $2)); }
field() { crop "$1" "600x400+$FX+$FY" "$2"; }
# The menu bar lies right above the playfield. Sets entry_x to the middle
# of each entry and entry_w to its width.
read_menu_bar() {
  crop "$1" "$((600 - 4))x14+$((FX + 2))+$((FY - 17))" "$work/bar.png"
  entry_x=() entry_w=()
  local left right
  while read -r left right; do
    entry_x+=($((FX + 2 + (left + right) / 2)))
    entry_w+=($((right - left + 1)))
  done < <(menu_entries "$work/bar.png")
}
click_entry() { xdotool mousemove "${entry_x[$1]}" $((FY - 10)) click 1; }
EXIT=0 ABOUT=1 WEBSITE=2 OPTIONS=3 RESTART=5
# box TITLE SECONDS: sets box to the visible window of that exact title.
box() {
  box=
  _box() { box=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1) && [ -n "$box" ]; }
  until_true "$2" _box "$1"
}
gone() { ! xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }

# --- 01 the welcome picture, exactly below the menu bar ---
step="the welcome picture"
poll_shot 01-welcome 20 welcome_is_shown ||
  fail "$step" "$last" "the playfield does not show Data\\Welcome.jpg (RMSE $(rmse "$work/now.png" "$data/Welcome.jpg"))"
read_menu_bar "$last"
[ ${#entry_x[@]} -eq 6 ] || fail "$step" "$last" "the menu bar shows ${#entry_x[@]} entries, not 6"
pause_width=${entry_w[$PAUSE]}

# --- 02 and 03 the start area starts the speed test, which ends on level 1 ---
step="the speed test ends with the prompt of level 1"
at 304 364
xdotool click 1
part "$data/SystemTest.jpg" 0 0 600 160 "$work/test-top.png"
speed_test_seen=no
level_1() {
  if [ $speed_test_seen = no ]; then
    part "$work/now.png" 0 0 600 160 "$work/top.png"
    if below 0.05 "$(rmse "$work/top.png" "$work/test-top.png")"; then
      speed_test_seen=yes
      cp "$last" "$shots/02-speed-test.png"
    fi
  fi
  shows_level 1
}
level_2() { shows_level 2; }
poll_shot 03-prompt 120 level_1 || fail "$step" "$last" "no level 1 picture within 120 s of the click on the start area"
echo "speed test seen running: $speed_test_seen"

step="the prompt and the level-information panel"
check_prompt_and_panel

# --- 04 and 05 a click on the prompt starts the level; a stroke ---
start_level_and_draw

# --- 06 to 09 Display Margins on and off ---
choose_margins() {
  cp "$work/now.png" "$work/closed.png"
  click_entry $OPTIONS
  # The drop-down opens below Options, over the playfield.
  menu_is_open() {
    part "$work/now.png" $((entry_x[OPTIONS] - FX - 20)) 0 100 30 "$work/drop.png"
    part "$work/closed.png" $((entry_x[OPTIONS] - FX - 20)) 0 100 30 "$work/drop-closed.png"
    [ "$(differing "$work/drop.png" "$work/drop-closed.png" 10%)" -gt 1000 ]
  }
  poll_shot "$1" 10 menu_is_open || fail "$step" "$last" "the Options menu did not open"
  xdotool key Down Return
}
step="Display Margins on"
choose_margins 06-options-menu
poll_shot 07-margins-on 10 margins_shown || fail "$step" "$last" "no red margins on the playfield"
step="Display Margins off"
choose_margins 08-options-menu
poll_shot 09-margins-off 10 margins_gone ||
  fail "$step" "$last" "$(pixels_like "$work/now.png" red 20%) red pixels left on the playfield"
stroke_is_drawn || fail "$step" "$last" "the stroke was not drawn again"

# --- 10 Pause: the entry turns to Resume and nothing moves ---
step="Pause"
click_entry $PAUSE
rm -f "$work/before.png"
poll_shot 10-paused 10 paused || fail "$step" "$last" "the game did not stand still with the Pause entry turned to Resume"

# --- 11 the high-score window from the menu, closed with Enter ---
step="the high-score window"
cp "$work/now.png" "$work/closed.png"
click_entry $OPTIONS
poll_shot 11-options-menu 10 menu_is_open || fail "$step" "$last" "the Options menu did not open"
xdotool key Down Down Return
box "High Scores" 10 || fail "$step" "$(shot 12-high-scores)" "no window captioned \"High Scores\""
eval "$(xdotool getwindowgeometry --shell "$box")"
scores_shown() {
  crop "$last" "${WIDTH}x$HEIGHT+$X+$Y" "$work/scores.png"
  [ "$(pixels_like "$work/scores.png" white 5%)" -gt 20000 ] &&
    [ "$(pixels_like "$work/scores.png" 'rgb(212,208,200)' 5%)" -gt 3000 ]
}
poll_shot 12-high-scores 10 scores_shown || fail "$step" "$last" "the window shows no white list on its grey face"
xdotool key Return
until_true 10 gone "High Scores" || fail "$step" "$(shot 13-high-scores-closed)" "Enter did not close the window"
poll_shot 13-high-scores-closed 10 still_paused || fail "$step" "$last" "the playfield is not as it was when paused"

# --- 14 Resume: the game goes on ---
step="Resume"
click_entry $PAUSE
poll_shot 14-resumed 10 resumed || fail "$step" "$last" "the entry is not Pause again, or nothing moves"

# --- 15 RESTART: level 1 again, waiting for its prompt ---
step="RESTART"
click_entry $RESTART
prompt_is_shown() {
  part "$work/now.png" 150 162 300 30 "$work/band.png"
  [ "$(differing "$work/band.png" "$level_band" 20%)" -gt 300 ] && shows_level 1
}
poll_shot 15-restart 10 prompt_is_shown || fail "$step" "$last" "no prompt of level 1 after RESTART"

# --- 16 and 17 level 1 won with one slanted line ---
step="level 1 is won"
at 294 180
xdotool click 1
poll_shot 16-started 15 prompt_is_gone || fail "$step" "$last" "the prompt is still shown"
at 370 230
xdotool mousedown 1
for i in 1 2 3 4 5 6; do at $((370 + 10 * i)) $((230 - 10 * i)); done
xdotool mouseup 1
poll_shot 17-level-2 30 level_2 || fail "$step" "$last" "no level 2 picture within 30 s of the stroke"

# --- 18 to 20 level 2's time runs out; a name is typed and saved ---
step="level 2's time runs out"
at 294 180
xdotool click 1
box Orvane 60 || fail "$step" "$(shot 18-no-box)" "no box within 60 s of the start of level 2"
shot 18-time-over >/dev/null
xdotool key Return
step="the name is entered"
box "High Scores" 15 || fail "$step" "$(shot 19-no-name-box)" "no name entry box"
xdotool type "Pat Player"
shot 19-name >/dev/null
xdotool key Return
step="the high score is saved in Data\\HighScores.ooo"
scores=$data/HighScores.ooo
saved() { grep -q 'Pat Player' "$scores"; }
until_true 15 saved || fail "$step" "$(shot 20-not-saved)" "$scores holds no entry for Pat Player"
! xdotool search --onlyvisible --name "^Error$" >/dev/null 2>&1 || fail "$step" "$(shot 20-error)" "an error box is shown"
# One record, byte for byte: the name in quotes, the score masked, CR LF.
stored=$(sed -n 's/^"Pat Player",\(-\{0,1\}[0-9]*\)\r$/\1/p' "$scores")
[ -n "$stored" ] && [ "$(wc -l <"$scores")" -eq 1 ] || fail "$step" "$scores" "not one record of the form \"Pat Player\",N CR LF: $(od -c "$scores" | head -3)"
score=$((stored ^ 0x5D2A3))
[ "$score" -gt 0 ] && [ $((score % 100)) -eq 0 ] && [ "$score" -le 3000 ] ||
  fail "$step" "$scores" "the stored score $score is not what level 1 gives"
printf '"Pat Player",%d\r\n' "$stored" | cmp -s - "$scores" || fail "$step" "$scores" "the file holds more than the record"
box "High Scores" 10 || fail "$step" "$(shot 20-no-table)" "the high-score window is not shown"
poll_shot 20-table 10 true
echo "saved: score $score"
# Esc is its other way out: OK is also the cancel button.
xdotool key Escape
until_true 10 gone "High Scores" || fail "$step" "$(shot 21-table-open)" "Esc did not close the high-score window"

# --- 21 the About box ---
step="the About box"
read_menu_bar "$(shot 21-before-about)"
click_entry $ABOUT
box About 10 || fail "$step" "$(shot 21-no-about)" "no box titled About"
shot 21-about >/dev/null
xdotool key Return
until_true 10 gone About || fail "$step" "$(shot 21-about-open)" "Enter did not close the About box"

# --- 22 the Website command hands the address to the browser ---
step="Website"
click_entry $WEBSITE
box orvane.example.org 10 || fail "$step" "$(shot 22-no-website-box)" "no box titled with the web host"
shot 22-website >/dev/null
xdotool key Return
opened() { grep -q '^https://orvane.example.org/$' "$work/opened" 2>/dev/null; }
until_true 20 opened || fail "$step" "$(shot 22-not-opened)" "the browser was not given the web address"

# --- 23 Exit ends the program with status 0 ---
step="Exit"
click_entry $EXIT
ended() { ! kill -0 "$game" 2>/dev/null; }
until_true 10 ended || fail "$step" "$(shot 23-exit)" "the game still runs 10 s after Exit"
wait "$game" && status=0 || status=$?
[ "$status" -eq 0 ] || fail "$step" "$(shot 23-exit)" "the game ended with status $status"

# --- 24 closing the window from its frame ends the program as Exit does ---
step="the window's close box"
launch
eval "$(xdotool getwindowgeometry --shell "$window")"
poll_shot 24-started-again 20 welcome_is_shown || fail "$step" "$last" "the welcome picture is not shown"
# Wine draws the frame: the close box is the caption's last button.
xdotool mousemove $((X + WIDTH - 13)) $((Y + 12)) click 1
until_true 10 ended || fail "$step" "$(shot 24-close)" "the game still runs 10 s after its close box was clicked"
wait "$game" && status=0 || status=$?
[ "$status" -eq 0 ] || fail "$step" "$(shot 24-close)" "the game ended with status $status"
echo "played through under Wine; screenshots in $shots"
