#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows zip under Wine, where Windows players lose files: started
# without its Data folder, a high-score file another program holds for a
# moment or for good, and a Data folder that cannot be written. The game is
# made one level long, so that a game ends on level 1 won with one line.
# Usage: tests/e2e/windows_files.sh WINDOWS_BUILD_DIR  (screenshots in build/e2e-screenshots/win32-files)
set -euo pipefail
platform=wine build=$(cd "$1" && pwd) scale=1
source "$(dirname "$0")/game.sh"
begin win32-files
hold_exe=$build/tests/orvane_hold_file.exe
[ -f "$hold_exe" ] || fail "the holder" "$hold_exe" "build the target orvane_hold_file first"
# An unwritable folder: immutable, which holds for root too; undone at exit.
trap 'chattr -i "$data" 2>/dev/null || true; _xvfb_cleanup' EXIT

# box_height TITLE SHOT: the height of the shown box of that title.
box_height() {
  box "$1" 20 || fail "$step" "$(shot "$2")" "no box titled \"$1\""
  shot "$2" >/dev/null
  xdotool getwindowgeometry --shell "$box" | sed -n 's/^HEIGHT=//p'
}

# --- 01, 02 started without Data: one line more than a broken General.ooo ---
step="started with a broken General.ooo"
cp "$data/General.ooo" "$work/General.ooo"
: >"$data/General.ooo"
launch_error() { (cd "$1" && exec wine orvane.exe) >"$shots/game.log" 2>&1 & game=$! && xvfb_own "$game"; }
launch_error "$game_dir"
plain=$(box_height Error 01-no-level-count)
xdotool key Return
kill "$game" 2>/dev/null || true
step="started without Data, as from inside the zip"
mkdir "$work/alone" && cp "$game_dir/orvane.exe" "$work/alone/"
launch_error "$work/alone"
alone=$(box_height Error 02-without-data)
xdotool key Return
kill "$game" 2>/dev/null || true
[ "$alone" -gt $((plain + 8)) ] || fail "$step" "$shots/02-without-data.png" "the box is $alone px high, $plain without the extra line"
echo "ok the start-up message gains a line without Data ($plain -> $alone px)"
printf '1\r\n' >"$data/General.ooo" # one level: a won level 1 ends the game

# end_game NAME SHOT: the speed test, level 1 won with one line, the
# congratulations answered and NAME typed; Enter is left to the caller.
end_game() {
  launch
  click_at 304 364
  ref SystemTest.jpg 0 0 600 160 "$work/test-top.png"
  poll_shot "$2-level-1" 120 shows_level 1 || fail "$step" "$last" "no level 1 within 120 s"
  read_menu_bar "$last"
  click_at 294 180
  sleep 0.5
  stroke 370 230 10 -10 6
  answer Orvane 30 "$2-won" key Return
  answer "High Scores" 15 "$2-name" type "$1"
}
record() { printf '"%s",%d\r\n' "$1" $(($2 ^ 0x5D2A3)); }
no_temporary() { ! ls "$data" | grep -q '^HighScores\.ooo\..*\.new$'; }
# hold SHARE MS: a second process holds the file until it is told.
hold() {
  rm -f "$work/hold.log" # the last holder's "held" is no answer
  (cd "$data" && exec wine "$hold_exe" HighScores.ooo "$1" "$2") >"$work/hold.log" 2>&1 &
  holder=$!
  until_true 20 grep -q held "$work/hold.log" || fail "$step" "$work/hold.log" "the holder did not take the file"
}

# --- 03 held without sharing deletion, let go 300 ms after the save began ---
step="a file held for a moment"
record Old 100 >"$scores"
end_game "Pat Held" 03
hold read 300
xdotool key Return
saved() { grep -q '"Pat Held"' "$scores"; }
until_true 20 saved || fail "$step" "$(shot 03-not-saved)" "no record of Pat Held: $(od -c "$scores" | head -3)"
box "High Scores" 10 && poll_shot 03-table 10 true
! _box Error || fail "$step" "$(shot 03-error)" "an error box is shown"
no_temporary || fail "$step" "$data" "a temporary file is left: $(ls "$data")"
wait "$holder" || true
echo "ok a held file's save waited: $(cat "$work/hold.log" | tail -1)"
xdotool key Escape && click_entry $EXIT && exits_with_0 "$step" 03-exit

# --- 04 held for good: the message, the old file whole, nothing left ---
step="a file held for good"
before=$(md5sum <"$scores")
end_game "Pat Lost" 04
hold read -1
xdotool key Return
box Error 30 || fail "$step" "$(shot 04-error)" "no error box; the holder: $(cat "$work/hold.log"); the file: $(od -c "$scores" | head -4)"
answer Error 5 04-error key Return
[ "$(md5sum <"$scores")" = "$before" ] || fail "$step" "$scores" "the old file changed: $(od -c "$scores" | head -3)"
no_temporary || fail "$step" "$data" "a temporary file is left: $(ls "$data")"
kill "$holder" 2>/dev/null || true
echo "ok a file held for good: the message, the old file whole, nothing left"
box "High Scores" 10 && xdotool key Escape
click_entry $EXIT && exits_with_0 "$step" 04-exit

# --- 05, 06 a Data folder that cannot be written: the message, the score in
# the player's copy, shown at the next start ---
step="a Data folder that cannot be written"
local_copy=$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/Orvane/HighScores.ooo
rm -f "$local_copy"
before=$(md5sum <"$scores")
chattr +i "$data" 2>/dev/null || { echo "skipped the closed Data folder: chattr +i is not allowed here"; exit 0; }
end_game "Pat Moved" 05
xdotool key Return
answer Error 30 05-error key Return
grep -q '"Pat Moved"' "$local_copy" 2>/dev/null || fail "$step" "$local_copy" "the player's copy holds no Pat Moved"
[ "$(md5sum <"$scores")" = "$before" ] || fail "$step" "$scores" "the file in Data changed"
box "High Scores" 10 && xdotool key Escape
click_entry $EXIT && exits_with_0 "$step" 05-exit
launch
ref Welcome.jpg 0 0 600 400 "$work/welcome.png"
poll_shot 06-started-again 20 welcome_is_shown || fail "$step" "$last" "the welcome picture is not shown"
read_menu_bar "$last"
click_entry $OPTIONS && sleep 0.5 && xdotool key Down Down Return
box "High Scores" 10 || fail "$step" "$(shot 06-table)" "no high-score window"
sleep 1 && shot 06-table >/dev/null
! _box Error || fail "$step" "$(shot 06-error)" "the copy could not be read"
xdotool key Escape
click_entry $EXIT && exits_with_0 "$step" 06-exit
chattr -i "$data"
echo "ok a closed Data folder: the message, the score in $local_copy: $(od -c "$local_copy" | head -2 | tr -s ' ')"
echo "checked on Wine; screenshots in $shots"
