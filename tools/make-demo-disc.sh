#!/usr/bin/env bash
# Assembles the demo disc as it would be pressed, from a build that has the targets Autorun
# and DemoSetup: the pages, the launcher stripped as it ships, and the stand-in installers:
# the build's for Action, and a 64-bit build's for Action64.
#   make-demo-disc.sh <build folder> <disc folder> [<64-bit build folder>]
# Without a 64-bit build, the one stand-in serves both actions.
# The disc folder is replaced only when it is missing, empty, or a disc this script made
# (it leaves a marker file there, and its copy of the demo's root file shows older ones);
# any other folder is refused, never deleted.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
[ $# -eq 2 ] || [ $# -eq 3 ] || { echo "usage: make-demo-disc.sh <build folder> <disc folder> [<64-bit build folder>]" >&2; exit 2; }
build=$1
disc=$2
build64=${3:-$build}
marker=".made-by-make-demo-disc"
for built in "$build/AutoRun/Autorun.exe" "$build/tools/DemoSetup/DemoSetup.exe" "$build64/tools/DemoSetup/DemoSetup.exe"; do
  [ -f "$built" ] || { echo "make-demo-disc.sh: $built is missing; build the targets Autorun and DemoSetup" >&2; exit 1; }
done
if [ -e "$disc" ] || [ -L "$disc" ]; then
  if [ -L "$disc" ] || [ ! -d "$disc" ]; then
    echo "make-demo-disc.sh: $disc is not a folder; not replacing it" >&2
    exit 1
  fi
  # A disc made before the marker existed is known by its copy of the demo's root file.
  if [ -n "$(ls -A "$disc")" ] && [ ! -f "$disc/$marker" ] && ! cmp -s "$disc/Autorun.inf" "$root/demo/Autorun.inf"; then
    echo "make-demo-disc.sh: $disc holds files this script did not make; not deleting it" >&2
    exit 1
  fi
  rm -rf -- "$disc"
fi
mkdir -p "$(dirname "$disc")"
cp -r "$root/demo" "$disc"
touch "$disc/$marker"
case "$(x86_64-w64-mingw32-objdump -f "$build/AutoRun/Autorun.exe")" in
  *pei-i386*) strip=i686-w64-mingw32-strip ;;
  *) strip=x86_64-w64-mingw32-strip ;;
esac
"$strip" -o "$disc/Autorun.exe" "$build/AutoRun/Autorun.exe"
mkdir -p "$disc/Setup/x64"
cp "$build/tools/DemoSetup/DemoSetup.exe" "$disc/Setup/setup.exe"
cp "$build64/tools/DemoSetup/DemoSetup.exe" "$disc/Setup/x64/setup.exe"
