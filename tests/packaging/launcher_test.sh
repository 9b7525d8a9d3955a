#!/bin/sh
# Runs the installed game's launcher against a made-up installed tree and a
# made-up home, both in folders whose names have spaces, and checks the copy
# it makes for the user. Usage: launcher_test.sh path/to/orvane-launcher.sh
set -eu

launcher=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
passes=0
check() { # description, then a test command
  what=$1; shift
  if "$@"; then passes=$((passes + 1)); else echo "FAILED: $what" >&2; failures=$((failures + 1)); fi
}

prefix="$work/install root/usr"
mkdir -p "$prefix/bin" "$prefix/lib/orvane/Data"
cp "$launcher" "$prefix/bin/orvane"
chmod 755 "$prefix/bin/orvane"
# The program stands in for the game: it says where it was started from and with what.
program() {
  printf '#!/bin/sh\n# version %s\nprintf "%%s\\n" "$0" "$@" > "$ORVANE_TEST_LOG"\n' "$1" > "$prefix/lib/orvane/orvane"
  chmod 755 "$prefix/lib/orvane/orvane"
}
program 1
echo "level one" > "$prefix/lib/orvane/Data/Level001.ooo"
echo "picture" > "$prefix/lib/orvane/Data/Level001.jpg"

home="$work/home of a player"
mkdir -p "$home"
export ORVANE_TEST_LOG="$work/run log"
run() { env -u XDG_DATA_HOME HOME="$home" "$prefix/bin/orvane" "$@"; }
user="$home/.local/share/orvane"

# First start: the user's folder is made and the game runs from it.
run --level "two words"
check "the program is copied" cmp -s "$prefix/lib/orvane/orvane" "$user/orvane"
check "the copy is not a symlink" test ! -L "$user/orvane"
check "the copy can run" test -x "$user/orvane"
check "the levels are copied" cmp -s "$prefix/lib/orvane/Data/Level001.ooo" "$user/Data/Level001.ooo"
check "the pictures are copied" cmp -s "$prefix/lib/orvane/Data/Level001.jpg" "$user/Data/Level001.jpg"
check "the game runs from the user's copy" test "$(sed -n 1p "$ORVANE_TEST_LOG")" = "$user/orvane"
check "the arguments reach the game whole" test "$(sed -n 3p "$ORVANE_TEST_LOG")" = "two words"

# The game writes its scores; then the installed game is upgraded.
echo "my scores" > "$user/Data/HighScores.ooo"
echo "my backup" > "$user/Data/HighScores.bak"
echo "level one, redone" > "$prefix/lib/orvane/Data/Level001.ooo"
echo "level two" > "$prefix/lib/orvane/Data/Level002.ooo"
echo "shipped scores" > "$prefix/lib/orvane/Data/HighScores.ooo"
echo "shipped backup" > "$prefix/lib/orvane/Data/HighScores.bak"
program 2
run
check "a changed level is refreshed" cmp -s "$prefix/lib/orvane/Data/Level001.ooo" "$user/Data/Level001.ooo"
check "a new level is added" cmp -s "$prefix/lib/orvane/Data/Level002.ooo" "$user/Data/Level002.ooo"
check "the upgraded program is copied" cmp -s "$prefix/lib/orvane/orvane" "$user/orvane"
check "the high-score file is kept" test "$(cat "$user/Data/HighScores.ooo")" = "my scores"
check "the high-score backup is kept" test "$(cat "$user/Data/HighScores.bak")" = "my backup"

# A user who has no scores yet gets the shipped table, in XDG_DATA_HOME.
data="$work/xdg data"
HOME="$home" XDG_DATA_HOME="$data" "$prefix/bin/orvane"
check "XDG_DATA_HOME is where the copy goes" test -x "$data/orvane/orvane"
check "a missing high-score file is taken from the installed one" \
  test "$(cat "$data/orvane/Data/HighScores.ooo")" = "shipped scores"

echo "$passes passed, $failures failed"
[ "$failures" -eq 0 ]
