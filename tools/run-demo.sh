#!/usr/bin/env bash
# Builds the launcher and starts it on the demo disc under Wine. With a display it runs
# until you close it; without one (or with --screenshot) it runs on a private Xvfb
# display, saves a screenshot of its window as PNG, says where, and ends it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${AUTORUN_BUILD_DIR:-$root/build}
"$root/tools/install-deps.sh"

cmake -S "$root" -B "$build/x86_64" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-x86_64.cmake" > "$build/demo.configure.log" 2>&1 ||
  { cat "$build/demo.configure.log"; exit 1; }
cmake --build "$build/x86_64" --target Autorun > "$build/demo.build.log" 2>&1 || { tail -40 "$build/demo.build.log"; exit 1; }

disc="$build/demo-disc"
rm -rf "$disc"
cp -r "$root/demo" "$disc"
cp "$build/x86_64/AutoRun/Autorun.exe" "$disc/Autorun.exe"

if [ -n "${DISPLAY:-}" ] && [ "${1:-}" != "--screenshot" ]; then
  export WINEPREFIX=${WINEPREFIX:-$build/wineprefix} WINEDEBUG=${WINEDEBUG:--all}
  exec wine "$disc/Autorun.exe" "$@"
fi

source "$root/tools/wine-session.sh"
wine_session_start "$build/wineprefix"
wine "$disc/Autorun.exe" </dev/null >"$build/demo.log" 2>&1 &
launcher=$!
window=""
for _ in $(seq 100); do
  window=$(xdotool search --name "Orvex Studio" 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  sleep 0.1
done
if [ -z "$window" ]; then
  echo "The launcher's window did not appear; its output:"
  cat "$build/demo.log"
  kill "$launcher" 2>/dev/null || true
  exit 1
fi
sleep 1 # let it finish painting
screenshot="$build/demo-screenshot.png"
eval "$(xdotool getwindowgeometry --shell "$window")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$screenshot"
kill "$launcher" 2>/dev/null || true
wait "$launcher" 2>/dev/null || true
echo "Screenshot of the demo disc's first page: $screenshot"
