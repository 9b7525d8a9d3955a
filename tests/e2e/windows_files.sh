#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Where Windows players lose files: the zip started without its Data folder,
# a high-score file another program holds for a moment or for good, a Data
# folder that cannot be written. Usage: windows_files.sh WINDOWS_BUILD_DIR
set -euo pipefail
platform=wine build=$(cd "$1" && pwd) scale=1
source "$(dirname "$0")/game.sh"
begin win32-files
# An unwritable folder: immutable, which holds for root too; undone at exit.
trap 'chattr -i "$data" 2>/dev/null || true; _xvfb_cleanup' EXIT

# error_height FOLDER SHOT: the start-up error box's height.
error_height() {
  start "$1"
  answer Error 20 "$2"
  xdotool getwindowgeometry --shell "$box" | sed -n 's/^HEIGHT=//p'
  xdotool key Return
  kill "$game" 2>/dev/null || true
}
step="started without Data, as from inside the zip: one line more than for an empty General.ooo"
: >"$data/General.ooo"
plain=$(error_height "$game_dir" 01-no-level-count)
mkdir "$work/alone" && cp "$game_dir/orvane.exe" "$work/alone/"
alone=$(error_height "$work/alone" 02-without-data)
[ "$alone" -gt $((plain + 8)) ] || fail "$step" "$shots/02-without-data.png" "the box is $alone px high, $plain without the extra line"
printf '1\r\n' >"$data/General.ooo" # one level: a won level 1 ends the game

# end_game NAME SHOT [HOLD]: level 1 won, NAME typed and saved while the
# file is held until HOLD ms after the save began, or (-1) for good.
end_game() {
  launch
  welcome "$2-welcome"
  click_at 304 364
  after_speed_test "$2-level-1"
  win_level_1 "$2-started"
  answer Orvane 30 "$2-won" key Return
  answer "High Scores" 15 "$2-name" type "$1"
  [ -z "${3:-}" ] || hold "$3"
  xdotool key Return
}
no_temporary() { ! ls "$data" | grep -q '^HighScores\.ooo\..*\.new$' || fail "$step" "$data" "a temporary file is left: $(ls "$data")"; }
hold() {
  rm -f "$work/hold.log" # the last holder's "held" is no answer
  (cd "$data" && exec wine "$build/tests/orvane_hold_file.exe" HighScores.ooo "$1") >"$work/hold.log" 2>&1 &
  holder=$!
  until_true 20 grep -q held "$work/hold.log" || fail "$step" "$work/hold.log" "the holder did not take the file"
}

step "a file held for a moment" record Old 100 >"$scores"
end_game "Pat Held" 03 300
until_true 20 grep -q '"Pat Held"' "$scores" || fail "$step" "$(shot 03-not-saved)" "no record of Pat Held: $(od -c "$scores" | head -3)"
box "High Scores" 10 && poll_shot 03-table 10 true
no_error_box 03-error
no_temporary
wait "$holder" || true
quit 03-exit

step="a file held for good: the message, the old file whole, nothing left"
before=$(md5sum <"$scores")
end_game "Pat Lost" 04 -1
answer Error 30 04-error key Return
[ "$(md5sum <"$scores")" = "$before" ] || fail "$step" "$scores" "the old file changed: $(od -c "$scores" | head -3)"
no_temporary
kill "$holder" 2>/dev/null || true
quit 04-exit

step="a Data folder that cannot be written: the message, the score in the player's copy, read at the next start"
local_copy=$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/Orvane/HighScores.ooo
rm -f "$local_copy"
chattr +i "$data" 2>/dev/null || { echo "skipped the closed Data folder: chattr +i is not allowed here"; exit 0; }
end_game "Pat Moved" 05
answer Error 30 05-error key Return
grep -q '"Pat Moved"' "$local_copy" 2>/dev/null || fail "$step" "$local_copy" "the player's copy holds no Pat Moved"
[ "$(md5sum <"$scores")" = "$before" ] || fail "$step" "$scores" "the file in Data changed"
quit 05-exit
launch
welcome 06-started-again
choose_from_options 06-options Down Down Return
box "High Scores" 10 || fail "$step" "$(shot 06-table)" "no high-score window"
sleep 1 && shot 06-table >/dev/null
no_error_box 06-error
quit 06-exit
echo "checked on Wine; screenshots in $shots"
