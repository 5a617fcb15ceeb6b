#!/usr/bin/env bash
# Builds the launcher and runs it on the demo disc under Wine.
#   run-demo.sh               with a display, runs until you close it; without one (or with
#                             --screenshot) runs on a private Xvfb display, saves a PNG of
#                             its window, says where, and ends it
#   run-demo.sh --check       the author's check of the demo disc: problems, exit code 1
#   run-demo.sh --render      every page in every state, as BMP and PNG, into build/demo-render
#   run-demo.sh --dry-run     headless: clicks the install command and prints what the
#                             launcher would have asked the shell to do
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${AUTORUN_BUILD_DIR:-$root/build}
mode=${1:-}
"$root/tools/install-deps.sh"

cmake -S "$root" -B "$build/x86_64" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-x86_64.cmake" > "$build/demo.configure.log" 2>&1 ||
  { cat "$build/demo.configure.log"; exit 1; }
cmake --build "$build/x86_64" --target Autorun DemoSetup > "$build/demo.build.log" 2>&1 ||
  { tail -40 "$build/demo.build.log"; exit 1; }

disc="$build/demo-disc"
"$root/tools/make-demo-disc.sh" "$build/x86_64" "$disc"

if [ -n "${DISPLAY:-}" ] && { [ -z "$mode" ] || [ "$mode" = "--dry-run" ]; }; then
  export WINEPREFIX=${WINEPREFIX:-$build/wineprefix} WINEDEBUG=${WINEDEBUG:--all}
  exec wine "$disc/Autorun.exe" "$@"
fi

source "$root/tools/wine-session.sh"
wine_session_start "$build/wineprefix"

# Standard output as a pipe, so the launcher writes its reports there.
case "$mode" in
  --check)
    status=0
    (cd "$disc" && wine ./Autorun.exe --check </dev/null | cat) || status=$?
    [ "$status" = 0 ] && echo "The demo disc is clean." || echo "Exit code $status."
    exit "$status"
    ;;
  --render)
    out="$build/demo-render"
    rm -rf "$out"
    (cd "$disc" && wine ./Autorun.exe "--render=Z:$out" </dev/null | cat)
    for picture in "$out"/*.bmp; do convert "$picture" "${picture%.bmp}.png"; done
    echo "$(ls "$out"/*.bmp | wc -l) pictures of every page and state in $out (BMP and PNG)"
    exit 0
    ;;
esac

extra=()
[ "$mode" = "--dry-run" ] && extra=(--dry-run)
(cd "$disc" && exec wine ./Autorun.exe "${extra[@]}" </dev/null >"$build/demo.log" 2>&1) &
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
eval "$(xdotool getwindowgeometry --shell "$window")"
if [ "$mode" = "--dry-run" ]; then
  # The install command sits at [40, 110, 280, 150] of the client area.
  xdotool mousemove $((X + 150)) $((Y + 130)) click 1
  sleep 1
  xdotool mousemove 0 0
  kill "$launcher" 2>/dev/null || true
  wait "$launcher" 2>/dev/null || true
  tr -d '\r' < "$build/demo.log"
  exit 0
fi
screenshot="$build/demo-screenshot.png"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$screenshot"
kill "$launcher" 2>/dev/null || true
wait "$launcher" 2>/dev/null || true
echo "Screenshot of the demo disc's first page: $screenshot"
