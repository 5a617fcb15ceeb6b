#!/usr/bin/env bash
# Runs a command with a Wine drive letter mapped to a folder (a symlink under the prefix's
# dosdevices), removed afterwards. Usage: with-wine-drive.sh LETTER FOLDER COMMAND...
set -euo pipefail
letter=$1 folder=$2
shift 2
mkdir -p "$folder"
link="${WINEPREFIX:?WINEPREFIX must name the Wine prefix}/dosdevices/${letter}:"
ln -sfn "$folder" "$link"
trap 'rm -f "$link"' EXIT
AUTORUN_MEDIA_DRIVE=$letter "$@"
