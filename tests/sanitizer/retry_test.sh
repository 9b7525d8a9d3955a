#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Orvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The sanitizer build's launcher, retry.sh, fed runs of a stand-in program that prints what a real one
# printed and counts its starts: only a run that passed but for LeakSanitizer's tracer crash is tried again.
retry=${1:?usage: retry_test.sh retry.sh}
work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT
failures=0
passed='[  PASSED  ] 1 test.'
tracer='Tracer caught signal 11: addr=0x930 pc=0x7fa26dce80f0 sp=0x7fa2661ffd10\n==9822==LeakSanitizer has encountered a fatal error.'

# expect NAME STATUS RUNS FIRST_OUTPUT FIRST_STATUS [SECOND_STATUS]: the stand-in prints FIRST_OUTPUT (\n for a line
# break) and ends with FIRST_STATUS on its first run, a pass and SECOND_STATUS (default 0) on any later one.
expect() {
  printf '%b\n' "$4" >"$work/output"
  echo 0 >"$work/runs"
  cat >"$work/program" <<PROGRAM
#!/bin/sh
runs=\$((\$(cat "$work/runs") + 1)); echo \$runs >"$work/runs"
[ \$runs -gt 1 ] && { echo "$passed"; exit ${6:-0}; }
cat "$work/output"; exit $5
PROGRAM
  chmod +x "$work/program"
  sh "$retry" "$work/program" >"$work/log" 2>&1
  status=$? runs=$(cat "$work/runs")
  [ "$status" -eq "$2" ] && [ "$runs" -eq "$3" ] && return
  echo "FAILED: $1: status $status after $runs runs, expected $2 after $3"; cat "$work/log"
  failures=$((failures + 1))
}

expect "a pass is run once" 0 1 "$passed" 0
expect "the tracer's crash after a pass is run again" 0 2 "$passed\n$tracer" 134
expect "and the second run's failure stands" 1 2 "$passed\n$tracer" 134 1
expect "a failed test is not run again" 134 1 "[  FAILED  ] A.B\n$passed\n$tracer" 134
expect "a leak report is not run again" 134 1 "$passed\n==1==ERROR: LeakSanitizer: detected memory leaks
SUMMARY: AddressSanitizer: 8 byte(s) leaked in 1 allocation(s).\n$tracer" 134
expect "an address error is not run again" 134 1 "$passed\n==1==ERROR: AddressSanitizer: heap-use-after-free\n$tracer" 134
expect "undefined behaviour is not run again" 134 1 "x.cpp:3:5: runtime error: signed integer overflow\n$passed\n$tracer" 134
expect "a crash without the tracer's is not run again" 139 1 "$passed\nSegmentation fault" 139
expect "the tracer's crash without a pass is not run again" 134 1 "[ RUN      ] A.B\n$tracer" 134
expect "half the signature is not enough" 134 1 "$passed\n==9822==LeakSanitizer has encountered a fatal error." 134
[ "$failures" -eq 0 ] && echo "retry.sh: every case as expected"
exit "$failures"
