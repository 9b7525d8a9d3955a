#!/usr/bin/env bash
# Runs every end-to-end script against a built game; each leaves its
# screenshots in BUILD_DIR/e2e-screenshots/<script>. Runs them all, then
# fails if any failed.
# Usage: tests/e2e/run.sh BUILD_DIR
set -uo pipefail
here=$(dirname "$0")
failed=()
for script in play hidpi; do
  echo "-- $script"
  "$here/$script.sh" qt "$1" || failed+=("$script")
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "End-to-end failures: ${failed[*]}; screenshots in $1/e2e-screenshots" >&2
  exit 1
fi
