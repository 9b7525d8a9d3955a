#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Orvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks what a distribution takes from us with the distribution's own tools: the repository's licence
# information (reuse), the Debian package (lintian: any error or warning fails), the AppStream entry and
# the desktop entry. Runs every check, then fails naming each that did not pass.
# Usage: tests/packaging/lint.sh BUILD_DIR   (a configured native build)
set -u

[ $# -eq 1 ] && [ -f "$1/CMakeCache.txt" ] || { echo "usage: $0 BUILD_DIR (a configured native build)" >&2; exit 2; }
build=$(cd "$1" && pwd)
cd "$(dirname "$0")/../.."
log=$build/packaging-lint failed=""
mkdir -p "$log"

check() { # NAME COMMAND...: runs the command, its output kept in $log/NAME.log
  name=$1 && shift
  if "$@" >"$log/$name.log" 2>&1; then
    echo "packaging: $name passed"
  else
    echo "packaging: $name FAILED (output in $log/$name.log):"
    sed 's/^/  /' "$log/$name.log" | tail -n 30
    failed="$failed $name"
  fi
}

check reuse reuse lint

# The package of the tree as it is now, built afresh (the build too).
rm -f "$build"/orvane_*.deb
check cpack sh -c 'cd "$1" && cpack -G DEB' sh "$build"
check lintian lintian --fail-on error,warning "$build"/orvane_*.deb

# The metainfo as the build fills it in and installs it. --no-net: the addresses are the project's own,
# not reachable from a build machine.
check appstream appstreamcli validate --pedantic --no-net "$build/packaging/org.example.orvane.metainfo.xml"
check desktop-file desktop-file-validate packaging/org.example.orvane.desktop

if [ -n "$failed" ]; then
  echo "packaging: FAILED:$failed"
  exit 1
fi
echo "packaging: all checks passed"
