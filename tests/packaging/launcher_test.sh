#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Orvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the installed game's launcher against a made-up installed tree and home, both in folders whose
# names have spaces, and checks the copy it makes for the user. Usage: launcher_test.sh orvane-launcher.sh
set -eu

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

# Debian's layout for games: the launcher, the program and the data apart.
prefix="$work/install root/usr"
installed="$prefix/lib/games/orvane" data="$prefix/share/games/orvane/Data"
mkdir -p "$installed" "$data"
install -D -m 755 "$1" "$prefix/games/orvane"
# The program stands in for the game: it says where it was started from and with what.
program() {
  printf '#!/bin/sh\n# version %s\nprintf "%%s\\n" "$0" "$@" > "$ORVANE_TEST_LOG"\n' "$1" >"$installed/orvane"
  chmod 755 "$installed/orvane"
}
# The user's copies are the installed files, byte for byte.
same() {
  for f in "$@"; do
    case "$f" in Data/*) from="$data/${f#Data/}" ;; *) from="$installed/$f" ;; esac
    cmp -s "$from" "$user/$f" || fail "$f is not copied"
  done
}
program 1
echo "level one" >"$data/Level001.ooo" && echo "picture" >"$data/Level001.jpg"

home="$work/home of a player" user="$work/home of a player/.local/share/orvane"
export ORVANE_TEST_LOG="$work/run log"
run() { env -u XDG_DATA_HOME HOME="$home" "$prefix/games/orvane" "$@"; }

# First start: the user's folder is made and the game runs from it.
run --level "two words"
same orvane Data/Level001.ooo Data/Level001.jpg
[ ! -L "$user/orvane" ] && [ -x "$user/orvane" ] || fail "the copy is a symlink or cannot run"
[ "$(sed -n 1p "$ORVANE_TEST_LOG")" = "$user/orvane" ] || fail "the game does not run from the user's copy"
[ "$(sed -n 3p "$ORVANE_TEST_LOG")" = "two words" ] || fail "the arguments do not reach the game whole"

# The game writes its scores; then the installed game is upgraded.
echo "my scores" >"$user/Data/HighScores.ooo" && echo "my backup" >"$user/Data/HighScores.bak"
echo "level one, redone" >"$data/Level001.ooo" && echo "level two" >"$data/Level002.ooo"
echo "shipped scores" >"$data/HighScores.ooo" && echo "shipped backup" >"$data/HighScores.bak"
program 2
run
same orvane Data/Level001.ooo Data/Level002.ooo
[ "$(cat "$user/Data/HighScores.ooo" "$user/Data/HighScores.bak")" = "my scores
my backup" ] || fail "the player's high-score files are replaced"

# A user who has no scores yet gets the shipped table, in XDG_DATA_HOME.
HOME="$home" XDG_DATA_HOME="$work/xdg data" "$prefix/games/orvane"
user="$work/xdg data/orvane"
same orvane Data/HighScores.ooo
echo "the launcher's copies are right"
