#!/usr/bin/env bash
# Writes the launcher to put on a disc: the 32-bit build as it ships (optimised for size,
# the win32 thread model), stripped of its debug information.
#   ship.sh [folder]     writes <folder>/Autorun.exe (default build/ship/Autorun.exe)
set -euo pipefail
source "$(dirname "$0")/build-common.sh"
folder=${1:-$AUTORUN_BUILD/ship}
"$AUTORUN_ROOT/tools/install-deps.sh"
build_shipped i686 Autorun
mkdir -p "$folder"
i686-w64-mingw32-strip -o "$folder/Autorun.exe" "$AUTORUN_BUILD/i686-shipped/AutoRun/Autorun.exe"
echo "The launcher to ship: $folder/Autorun.exe ($(($(stat -c %s "$folder/Autorun.exe") / 1024)) KB, 32-bit, stripped)"
