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

here=$(dirname "$(readlink -f "$0")")
installed="$here/../lib/orvane"
user="${XDG_DATA_HOME:-$HOME/.local/share}/orvane"

mkdir -p "$user/Data"

# A copy, not a symlink: the game finds Data beside the resolved path of its
# executable, which a symlink would point back into the installed tree.
if ! cmp -s "$installed/orvane" "$user/orvane"; then
  # Renamed into place so that a copy already running keeps its file.
  cp "$installed/orvane" "$user/orvane.new.$$"
  chmod 755 "$user/orvane.new.$$"
  mv -f "$user/orvane.new.$$" "$user/orvane"
fi

for file in "$installed/Data"/*; do
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
