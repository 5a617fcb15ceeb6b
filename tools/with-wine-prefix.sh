#!/usr/bin/env bash
# Runs a command in another Wine prefix (a 32-bit Windows beside the 64-bit one), whose
# wineserver the test session has started. Usage: with-wine-prefix.sh PREFIX COMMAND...
set -euo pipefail
prefix=$1
shift
[ -f "$prefix/system.reg" ] || { echo "no Wine prefix at $prefix: the test session makes it" >&2; exit 1; }
WINEPREFIX=$prefix exec "$@"
