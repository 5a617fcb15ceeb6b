#!/usr/bin/env bash
# Checks that a program, stripped as it ships, stays within its size budget.
# Usage: check-size.sh STRIP EXE MAX_KB
set -euo pipefail
source "$(dirname "$0")/build-common.sh"
strip=$1 exe=$2 budget=$3
bytes=$(stripped_size "$strip" "$exe")
echo "$exe stripped: $bytes bytes ($((bytes / 1024)) KB), budget $budget KB"
[ "$bytes" -le $((budget * 1024)) ]
