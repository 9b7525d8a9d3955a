#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Orvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a test program of the sanitizer build: retry.sh PROGRAM [ARGUMENTS...]
#
# LeakSanitizer stops every thread at exit to look for leaks; now and then its tracer itself crashes (signal 11) while
# a thread is winding down, and the program ends in an abort though its tests passed and nothing leaked. Such a run,
# and only such a run, is tried once more: its output holds the tracer's crash, the fatal error it causes,
# GoogleTest's pass and nothing else a sanitizer or a test reports. Any other failure stands.
log=$(mktemp) || exit 1
trap 'rm -f "$log"' EXIT
"$@" >"$log" 2>&1
status=$?
cat "$log"
[ "$status" -ne 0 ] || exit 0
if grep -q "Tracer caught signal 11" "$log" &&
   grep -q "LeakSanitizer has encountered a fatal error" "$log" &&
   grep -q "^\[  PASSED  \]" "$log" &&
   ! grep -q "^\[  FAILED  \]" "$log" &&
   ! grep -Eq "ERROR: [A-Za-z]+Sanitizer|runtime error:|SUMMARY: [A-Za-z]+Sanitizer" "$log"; then
  echo "retry.sh: LeakSanitizer's tracer crashed after the tests passed; running again once"
  "$@"
  exit
fi
exit "$status"
