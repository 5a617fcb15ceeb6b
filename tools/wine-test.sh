#!/usr/bin/env bash
# Runs a Windows test program under Wine for ctest, its output going through a file: a
# process that Wine starts on the way (its services, at a new prefix's first 32-bit run)
# inherits that file instead of ctest's pipe, which would keep ctest waiting for a test that
# has ended until its time runs out. Usage: wine-test.sh PROGRAM [ARGUMENTS...]
set -uo pipefail
log=$(mktemp)
trap 'rm -f "$log"' EXIT
# A test stopped at its deadline still shows how far it came.
trap 'cat "$log"; exit 143' TERM INT
wine "$@" </dev/null >"$log" 2>&1
status=$?
cat "$log"
# Wine does not always pass a crash on as a failure: after some tests have run, a program
# that crashes can end with 0. A GoogleTest program that began its tests and never printed
# the line that closes them stopped in the middle, whatever its status says.
if [ "$status" -eq 0 ] && grep -q '^\[==========\] Running ' "$log" && ! grep -q '^\[==========\] .* ran\.' "$log"; then
  echo "wine-test.sh: $1 stopped before its tests had run to the end" >&2
  status=1
fi
exit "$status"
