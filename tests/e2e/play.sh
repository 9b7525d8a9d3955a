#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The game as a player gets it - the Debian package (qt) or the Windows zip
# under Wine (wine) - played in Xvfb with xdotool, each step checked on a
# screenshot, from the welcome picture to a name saved after level 2, the
# About box, Website, Exit and (Wine) the close box. On Qt the window tests
# run against the X server first.
# Usage: tests/e2e/play.sh qt BUILD_DIR      (screenshots in BUILD_DIR/e2e-screenshots/play)
#        tests/e2e/play.sh wine WINDOWS_BUILD_DIR   (in build/e2e-screenshots/win32)
set -euo pipefail
platform=$1 build=$(cd "$2" && pwd) scale=1
source "$(dirname "$0")/game.sh"
begin "$([ "$platform" = qt ] && echo play || echo win32)"

# --- 00 the window tests against a real X server, which, unlike Qt's
# offscreen platform, is sent only what changed ---
tests=$build/tests/orvane_qt_tests
if [ -x "$tests" ]; then
  QT_QPA_PLATFORM=xcb ORVANE_SCREENSHOTS=$shots "$tests" --gtest_filter='PlayfieldWindow*' >"$shots/window-tests.log" 2>&1 ||
    fail "the window tests on the X server" "$shots/window-tests.log" "$(grep -m3 -A3 Failure "$shots/window-tests.log")"
  echo "ok window tests on the X server"
fi

launch
if [ "$platform" = qt ]; then
  # The title is the caption exactly, with nothing of Qt's appended.
  caption="Orvane  v1.20      Download other software from:  https://orvane.example.org/"
  [ "$(xdotool getwindowname "$main")" = "$caption" ] ||
    fail "the window's title" "(none)" "the title is \"$(xdotool getwindowname "$main")\", not the caption"
fi
play_first_level

# --- 06 to 09 Display Margins on and off ---
# choose_from_options SHOT KEYS...: Options opened, its drop-down seen over
# the playfield, an entry picked with the keys.
choose_from_options() {
  area "$work/now.png" 0 0 600 30 "$work/closed.png"
  click_entry $OPTIONS
  menu_is_open() {
    area "$work/now.png" 0 0 600 30 "$work/drop.png"
    [ "$(differing "$work/drop.png" "$work/closed.png" 10%)" -gt 1000 ]
  }
  poll_shot "$1" 10 menu_is_open || fail "$step" "$last" "the Options menu did not open"
  shift
  xdotool key "$@"
}
margins() { pixels_like "$work/now.png" red 20%; }
# At least the goal line, a hundred pixels long in level 1.
margins_shown() { [ "$(margins)" -gt 50 ]; }
margins_gone() { [ "$(margins)" -eq 0 ]; }
step="Display Margins on"
choose_from_options 06-options-menu Down Return
poll_shot 07-margins-on 10 margins_shown || fail "$step" "$last" "no red margins on the playfield"
step="Display Margins off"
choose_from_options 08-options-menu Down Return
poll_shot 09-margins-off 10 margins_gone || fail "$step" "$last" "$(margins) red pixels left on the playfield"
stroke_is_drawn || fail "$step" "$last" "the stroke was not drawn again"

# --- 10 Pause: the entry turns to Resume and nothing moves ---
# paused: the Pause entry has changed its width and two screenshots in a
# row are alike: the ball and the countdown stand still.
same() { [ "$(differing "$1" "$2" 0)" -eq 0 ]; }
paused() {
  read_menu_bar "$last"
  [ ${#entry_w[@]} -eq 6 ] && [ "${entry_w[$PAUSE]}" -ne "$pause_width" ] || return 1
  [ -f "$work/before.png" ] && same "$work/now.png" "$work/before.png" && cp "$work/now.png" "$work/paused.png" && return
  cp "$work/now.png" "$work/before.png"
  return 1
}
still_paused() { same "$work/now.png" "$work/paused.png"; }
resumed() {
  read_menu_bar "$last"
  [ ${#entry_w[@]} -eq 6 ] && [ "${entry_w[$PAUSE]}" -eq "$pause_width" ] && ! still_paused
}
step="Pause"
click_entry $PAUSE
poll_shot 10-paused 10 paused || fail "$step" "$last" "the game did not stand still with the Pause entry turned to Resume"

# --- 11 to 13 the high-score window, opened and closed while paused, with
# a table of three written for it over the new player's: empty, not
# missing, so that no error box greets the first look. The first name has
# a capital's accent, whose dots the list's row must not cut off ---
step="the high-score window"
[ -f "$scores" ] && [ ! -s "$scores" ] || fail "$step" "$scores" "the new player's high-score file is missing or not empty"
for entry in "Zoë Ünal 9000" "Bob 4000" "Cy 100"; do
  printf '"%s",%d\r\n' "${entry% *}" $((${entry##* } ^ 0x5D2A3))
done >"$scores"
choose_from_options 11-options-menu Down Down Return
box "High Scores" 10 || fail "$step" "$(shot 12-high-scores)" "no window captioned \"High Scores\""
eval "$(xdotool getwindowgeometry --shell "$box")"
[ "$WIDTH" -ge 170 ] && [ "$HEIGHT" -ge 295 ] || fail "$step" "$(shot 12-high-scores)" "the high-score window is only ${WIDTH}x$HEIGHT"
# The list is white, the window face grey (212, 208, 200), and the three
# entries of the table are dark text on the list. A window just mapped
# may not be painted yet.
scores_shown() {
  crop "$last" "${WIDTH}x$HEIGHT+$X+$Y" "$work/scores.png"
  crop "$work/scores.png" "140x240+${list_at/,/+}" "$work/list.png"
  white=$(pixels_like "$work/scores.png" white 5%)
  face=$(pixels_like "$work/scores.png" 'rgb(212,208,200)' 5%)
  entries=$(pixels_like "$work/list.png" black 40%)
  [ "$white" -gt 20000 ] && [ "$face" -gt 3000 ] && [ "$entries" -gt 150 ]
}
poll_shot 12-high-scores 10 scores_shown ||
  fail "$step" "$last" "the window shows $white white list pixels, $face of its face colour, $entries of text"
# Its OK button, the default one, closes it.
close_with_ok
until_true 10 gone "High Scores" || fail "$step" "$(shot 13-high-scores-closed)" "OK did not close the window"
poll_shot 13-high-scores-closed 10 still_paused || fail "$step" "$last" "the playfield is not as it was when paused"

# --- 14 Resume: the game goes on ---
step="Resume"
click_entry $PAUSE
poll_shot 14-resumed 10 resumed || fail "$step" "$last" "the entry is not Pause again, or nothing moves"

# --- 15 RESTART: level 1 again, waiting for its prompt ---
step="RESTART"
click_entry $RESTART
poll_shot 15-restart 10 prompt_is_shown || fail "$step" "$last" "no prompt of level 1 after RESTART"

# --- 16 and 17 level 1 won: one slanted line sends the ball up into the goal ---
step="level 1 is won"
click_at 294 180
poll_shot 16-started 15 prompt_is_gone || fail "$step" "$last" "the prompt is still shown"
stroke 370 230 10 -10 6
poll_shot 17-level-2 30 shows_level 2 || fail "$step" "$last" "no level 2 picture within 30 s of the stroke"

# --- 18 to 20 level 2's time runs out; a name is typed and saved ---
step="level 2's time runs out"
# The player's first name goes into the empty table.
: >"$scores"
click_at 294 180
# The box bears the game's name, without the main window's version.
answer Orvane 60 18-time-over key Return
step="the name is entered"
answer "High Scores" 15 19-name type "Pat Player"
shot 19-name >/dev/null
xdotool key Return
step="the high score is saved in the player's table"
saved() { grep -q '"Pat Player"' "$scores" 2>/dev/null; }
until_true 15 saved || fail "$step" "$(shot 20-not-saved)" "$scores holds no entry for Pat Player"
! _box Error || fail "$step" "$(shot 20-error)" "an error box is shown"
# One record, byte for byte: the name in quotes, the score masked, CR LF.
stored=$(sed -n 's/^"Pat Player",\(-\{0,1\}[0-9]*\)\r$/\1/p' "$scores")
[ -n "$stored" ] && printf '"Pat Player",%d\r\n' "$stored" | cmp -s - "$scores" ||
  fail "$step" "$scores" "not one record \"Pat Player\",N CR LF: $(od -c "$scores" | head -3)"
score=$((stored ^ 0x5D2A3))
[ "$score" -gt 0 ] && [ $((score % 100)) -eq 0 ] && [ "$score" -le 3000 ] ||
  fail "$step" "$scores" "the stored score $score is not what level 1 gives"
if [ "$platform" = qt ]; then
  [ "$(id -u)" -ne 0 ] || [ "$(stat -c %U "$scores")" = nobody ] || fail "$step" "$scores" "the file is not the player's"
  [ "$installed" = "$(cd "$root/usr" && find . -type f -exec md5sum {} + | sort)" ] ||
    fail "$step" "$root/usr" "the installed files were changed"
fi
box "High Scores" 10 || fail "$step" "$(shot 20-no-table)" "the high-score window is not shown"
poll_shot 20-table 10 true
# Esc is its other way out: OK is also the cancel button.
to_box key Escape
until_true 10 gone "High Scores" || fail "$step" "$(shot 21-table-open)" "Esc did not close the high-score window"

# --- 21 the About box ---
step="the About box"
click_entry $ABOUT
answer About 10 21-about key Return
until_true 10 gone About || fail "$step" "$(shot 21-about-open)" "Enter did not close the About box"

# --- 22 the Website command hands the address to the browser ---
step="Website"
click_entry $WEBSITE
answer orvane.example.org 10 22-website key Return
opened() { grep -q '^https://orvane.example.org/$' "$work/opened"; }
until_true 20 opened || fail "$step" "$(shot 22-not-opened)" "the browser was not given the web address"

# --- 23 Exit ends the program with status 0 ---
step="Exit"
click_entry $EXIT
exits_with_0 "$step" 23-exit

# --- 24 closing the window from its frame ends the program as Exit does ---
if [ "$platform" = wine ]; then
  step="the window's close box"
  launch
  poll_shot 24-started-again 20 welcome_is_shown || fail "$step" "$last" "the welcome picture is not shown"
  close_box
  exits_with_0 "$step" 24-close
fi
echo "played through on $platform; screenshots in $shots"
