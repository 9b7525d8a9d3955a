#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Orvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the installed game from a folder of the user's own.
#
# The game keeps its levels and its high-score file in the folder "Data"
# beside its program, and the installed folder is read-only for a normal user.
# So each user gets a copy of the program and of Data; the levels and pictures
# are refreshed from the installed ones on every start, so an upgrade reaches
# them, while the high-score files, which the game writes, are never replaced.
set -eu

# Installed by Debian's layout for games: this launcher in games/, the
# program in lib/games/orvane, the levels and pictures in share/games/orvane.
here=$(dirname "$(readlink -f "$0")")
program="$here/../lib/games/orvane/orvane"
data="$here/../share/games/orvane/Data"
user="${XDG_DATA_HOME:-$HOME/.local/share}/orvane"

mkdir -p "$user/Data"

# A copy, not a symlink: the game finds Data beside the resolved path of its
# executable, which a symlink would point back into the installed tree.
if ! cmp -s "$program" "$user/orvane"; then
  # Renamed into place so that a copy already running keeps its file.
  cp "$program" "$user/orvane.new.$$"
  chmod 755 "$user/orvane.new.$$"
  mv -f "$user/orvane.new.$$" "$user/orvane"
fi

for file in "$data"/*; do
  [ -f "$file" ] || continue
  name=$(basename "$file")
  case "$name" in
    HighScores*)
      # The player's scores win over any shipped table.
      [ -e "$user/Data/$name" ] || cp "$file" "$user/Data/$name" ;;
    *)
      cmp -s "$file" "$user/Data/$name" || cp -f "$file" "$user/Data/$name" ;;
  esac
done

exec "$user/orvane" "$@"
