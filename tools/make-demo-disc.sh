#!/usr/bin/env bash
# Assembles the demo disc as it would be pressed, from an x86_64 build that has the targets
# Autorun and DemoSetup: the pages, the launcher and the stand-in installer.
#   make-demo-disc.sh <x86_64 build folder> <disc folder>
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$1
disc=$2
rm -rf "$disc"
cp -r "$root/demo" "$disc"
cp "$build/AutoRun/Autorun.exe" "$disc/Autorun.exe"
mkdir -p "$disc/Setup/x64"
cp "$build/tools/DemoSetup/DemoSetup.exe" "$disc/Setup/setup.exe"
cp "$build/tools/DemoSetup/DemoSetup.exe" "$disc/Setup/x64/setup.exe"
