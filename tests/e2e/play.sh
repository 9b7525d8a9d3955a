#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The game played from the welcome picture to a name saved after level 2, then the About box, Website
# and Exit. Usage: tests/e2e/play.sh qt|wine BUILD_DIR
set -euo pipefail
platform=$1 build=$(cd "$2" && pwd) scale=1
source "$(dirname "$0")/game.sh"
begin "$([ "$platform" = qt ] && echo play || echo win32)"

# A real X server, unlike Qt's offscreen platform, is sent only what changed.
if [ -x "$build/tests/orvane_qt_tests" ]; then
  QT_QPA_PLATFORM=xcb ORVANE_SCREENSHOTS=$shots "$build/tests/orvane_qt_tests" --gtest_filter='PlayfieldWindow*' >"$shots/window-tests.log" 2>&1 ||
    fail "the window tests on the X server" "$shots/window-tests.log" "$(grep -m3 -A3 Failure "$shots/window-tests.log")"
fi

launch # (its whole title is the window tests')
play_first_level

margins() { [ "$(pixels_like "$work/now.png" red 20%)" -gt "$1" ]; }
no_margins() { ! margins 0; }
step "Display Margins on" choose_from_options 06-options-menu Down Return
# At least the goal line, a hundred pixels long in level 1.
poll_shot 07-margins-on 10 margins 50 || fail "$step" "$last" "no red margins on the playfield"
step "Display Margins off" choose_from_options 08-options-menu Down Return
poll_shot 09-margins-off 10 no_margins || fail "$step" "$last" "$(pixels_like "$work/now.png" red 20%) red pixels left on the playfield"
stroke_is_drawn || fail "$step" "$last" "the stroke was not drawn again"

# Paused: the Pause entry reads Resume, of another width, and two screenshots in a row are alike: the
# ball and the countdown stand still.
same() { [ "$(differing "$1" "$2" 0)" -eq 0 ]; }
six_entries() { read_menu_bar "$last" && [ ${#entry_w[@]} -eq 6 ]; }
paused() {
  six_entries && [ "${entry_w[$PAUSE]}" -ne "$pause_width" ] || return 1
  [ -f "$work/before.png" ] && same "$work/now.png" "$work/before.png" && cp "$work/now.png" "$work/paused.png" && return
  cp "$work/now.png" "$work/before.png" && return 1
}
still_paused() { same "$work/now.png" "$work/paused.png"; }
step "Pause" click_entry $PAUSE
poll_shot 10-paused 10 paused || fail "$step" "$last" "the game did not stand still with the Pause entry turned to Resume"

# The new player's table is empty, not missing, so that no error box greets the first look. The dots of
# the capital's accent must not be cut off.
step="the high-score window"
[ -f "$scores" ] && [ ! -s "$scores" ] || fail "$step" "$scores" "the new player's high-score file is missing or not empty"
{ record "Zoë Ünal" 9000 && record Bob 4000 && record Cy 100; } >"$scores"
choose_from_options 11-options-menu Down Down Return
box "High Scores" 10 || fail "$step" "$(shot 12-high-scores)" "no window captioned \"High Scores\""
eval "$(xdotool getwindowgeometry --shell "$box")"
[ "$WIDTH" -ge 170 ] && [ "$HEIGHT" -ge 295 ] || fail "$step" "$(shot 12-high-scores)" "the high-score window is only ${WIDTH}x$HEIGHT"
# The list white, the face grey, the entries dark; a window just mapped may not be painted yet.
scores_shown() {
  crop "$last" "${WIDTH}x$HEIGHT+$X+$Y" "$work/scores.png"
  crop "$work/scores.png" "140x240+${list_at/,/+}" "$work/list.png"
  white=$(pixels_like "$work/scores.png" white 5%) face=$(pixels_like "$work/scores.png" 'rgb(212,208,200)' 5%) entries=$(pixels_like "$work/list.png" black 40%)
  [ "$white" -gt 20000 ] && [ "$face" -gt 3000 ] && [ "$entries" -gt 150 ]
}
poll_shot 12-high-scores 10 scores_shown || fail "$step" "$last" "the window shows $white white list pixels, $face of its face colour, $entries of text"
close_with_ok
until_true 10 gone "High Scores" || fail "$step" "$(shot 13-high-scores-closed)" "OK did not close the window"
poll_shot 13-high-scores-closed 10 still_paused || fail "$step" "$last" "the playfield is not as it was when paused"

step "Resume" click_entry $PAUSE
resumed() { six_entries && [ "${entry_w[$PAUSE]}" -eq "$pause_width" ] && ! still_paused; }
poll_shot 14-resumed 10 resumed || fail "$step" "$last" "the entry is not Pause again, or nothing moves"
step "RESTART" click_entry $RESTART
poll_shot 15-restart 10 prompt_is_shown || fail "$step" "$last" "no prompt of level 1 after RESTART"
step "level 1 is won" win_level_1 16-started
poll_shot 17-level-2 30 shows_level 2 || fail "$step" "$last" "no level 2 picture within 30 s of the stroke"

: >"$scores" # the player's first name goes into the empty table
step "level 2's time runs out" click_at 294 180
answer Orvane 60 18-time-over key Return
step "the name is entered" answer "High Scores" 15 19-name type "Pat Player"
shot 19-name >/dev/null
xdotool key Return
step "the high score is saved in the player's table" until_true 15 grep -qs '"Pat Player"' "$scores" || fail "$step" "$(shot 20-not-saved)" "$scores holds no entry for Pat Player"
no_error_box 20-error
stored=$(sed -n 's/^"Pat Player",\(-\{0,1\}[0-9]*\)\r$/\1/p' "$scores")
[ -n "$stored" ] && record "Pat Player" $((stored ^ 0x5D2A3)) | cmp -s - "$scores" ||
  fail "$step" "$scores" "not one record \"Pat Player\",N CR LF: $(od -c "$scores" | head -3)"
score=$((stored ^ 0x5D2A3))
[ "$score" -gt 0 ] && [ $((score % 100)) -eq 0 ] && [ "$score" -le 3000 ] || fail "$step" "$scores" "the stored score $score is not what level 1 gives"
if [ "$platform" = qt ]; then
  [ "$(id -u)" -ne 0 ] || [ "$(stat -c %U "$scores")" = nobody ] || fail "$step" "$scores" "the file is not the player's"
  [ "$installed" = "$(cd "$root/usr" && find . -type f -exec md5sum {} + | sort)" ] || fail "$step" "$root/usr" "the installed files were changed"
fi
answer "High Scores" 10 20-table
to_box key Escape # OK is also the cancel button
until_true 10 gone "High Scores" || fail "$step" "$(shot 21-table-open)" "Esc did not close the high-score window"

step "the About box" click_entry $ABOUT
answer About 10 21-about key Return
until_true 10 gone About || fail "$step" "$(shot 21-about-open)" "Enter did not close the About box"
step "Website" click_entry $WEBSITE
answer orvane.example.org 10 22-website key Return
until_true 20 grep -q '^https://orvane.example.org/$' "$work/opened" || fail "$step" "$(shot 22-not-opened)" "the browser was not given the web address"
click_entry $EXIT
exits_with_0 Exit 23-exit # (Wine's close box: hidpi.sh)
echo "played through on $platform; screenshots in $shots"
