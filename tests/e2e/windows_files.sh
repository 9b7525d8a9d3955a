#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Where Windows players lose files: the zip started without its Data folder, a Data folder that cannot
# be written.
# Usage: windows_files.sh WINDOWS_BUILD_DIR
set -euo pipefail
platform=wine build=$(cd "$1" && pwd) scale=1
source "$(dirname "$0")/game.sh"
begin win32-files
# An unwritable folder: immutable, which holds for root too; undone at exit.
trap 'chattr -i "$data" 2>/dev/null || true; _xvfb_cleanup' EXIT

error_height() { # FOLDER SHOT: the start-up error box's height
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

step="a Data folder that cannot be written: the message, the score in the player's copy, read at the next start"
local_copy=$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/Orvane/HighScores.ooo
rm -f "$local_copy"
record Old 100 >"$scores" && before=$(md5sum <"$scores")
chattr +i "$data" 2>/dev/null || { echo "skipped the closed Data folder: chattr +i is not allowed here"; exit 0; }
# Level 1 won, the name typed and saved. (A file another program holds is the logic tests' case: they
# run under Wine too.)
launch
welcome 03-welcome
click_at 304 364
after_speed_test 03-level-1
win_level_1 03-started
answer Orvane 30 03-won key Return
answer "High Scores" 15 03-name type "Pat Moved"
xdotool key Return
answer Error 30 03-error key Return
grep -q '"Pat Moved"' "$local_copy" 2>/dev/null || fail "$step" "$local_copy" "the player's copy holds no Pat Moved"
[ "$(md5sum <"$scores")" = "$before" ] || fail "$step" "$scores" "the file in Data changed"
quit 03-exit
launch
welcome 04-started-again
choose_from_options 04-options Down Down Return
box "High Scores" 10 || fail "$step" "$(shot 04-table)" "no high-score window"
sleep 1 && shot 04-table >/dev/null
no_error_box 04-error
quit 04-exit
echo "checked on Wine; screenshots in $shots"
