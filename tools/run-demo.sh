#!/usr/bin/env bash
# Builds the launcher as it ships (32-bit) and runs it on the demo disc under Wine.
#   run-demo.sh               with a display, runs until you close it; without one (or with
#                             --screenshot) runs on a private Xvfb display, saves a PNG of
#                             its window, says where, and ends it
#   run-demo.sh --check       the author's check of the demo disc: problems, exit code 1
#   run-demo.sh --render      every page in every state, as BMP and PNG, into build/demo-render
#   run-demo.sh --dry-run     headless: clicks the install command and prints what the
#                             launcher would have asked the shell to do
#   run-demo.sh --watch       with a display, opens the demo disc watching it: edit its page
#                             files (the path is printed) and the window shows each save;
#                             headless, it edits the title once, saves a screenshot of the
#                             window showing the edit, and ends
#   --dpi=<dpi> beside any of these (or alone) runs the launcher as on a monitor of that
#                             DPI: "run-demo.sh --screenshot --dpi=144" saves the demo,
#                             which scales as a whole, at 150 %
set -euo pipefail
source "$(dirname "$0")/build-common.sh"
root=$AUTORUN_ROOT
build=$AUTORUN_BUILD
mode=""
dpi=()
for argument in "$@"; do
  case "$argument" in
    --dpi=*) dpi=("$argument") ;;
    *) [ -z "$mode" ] && mode=$argument || mode=--usage ;;
  esac
done
case "$mode" in
  ""|--screenshot|--check|--render|--dry-run|--watch) ;;
  *) echo "usage: run-demo.sh [--screenshot|--check|--render|--dry-run|--watch] [--dpi=<dpi>]" >&2; exit 2 ;;
esac
"$root/tools/install-deps.sh"

# The launcher as it ships: 32-bit, optimised for size; the 64-bit stand-in installer for
# the 64-bit action. A kernel that runs no 32-bit programs gets the x86_64 launcher, built
# the same way.
arch=i686
if ! runs_32bit_programs; then
  arch=x86_64
  echo "This kernel runs no 32-bit programs: the demo runs the x86_64 launcher, built as the shipped one is." >&2
fi
build_shipped "$arch" "Autorun DemoSetup"
build_shipped x86_64 DemoSetup

disc="$build/demo-disc"
"$root/tools/make-demo-disc.sh" "$build/$arch-shipped" "$disc" "$build/x86_64-shipped"

if [ -n "${DISPLAY:-}" ] && { [ -z "$mode" ] || [ "$mode" = "--dry-run" ] || [ "$mode" = "--watch" ]; }; then
  export WINEPREFIX=${WINEPREFIX:-$build/wineprefix} WINEDEBUG=${WINEDEBUG:--all}
  [ "$mode" = "--watch" ] && echo "Watching the demo disc: edit the page files in $disc/Pages and save."
  # Debian's `wine` starts Wine's 32-bit loader whenever Wine's 32-bit part is installed.
  runs_32bit_programs || exec /usr/lib/wine/wine64 "$disc/Autorun.exe" ${mode:+"$mode"} ${dpi[@]+"${dpi[@]}"}
  exec wine "$disc/Autorun.exe" ${mode:+"$mode"} ${dpi[@]+"${dpi[@]}"}
fi

source "$root/tools/wine-session.sh"
wine_session_start "$build/wineprefix"

# Standard output as a pipe, so the launcher writes its reports there.
case "$mode" in
  --check)
    status=0
    (cd "$disc" && timeout 300 wine ./Autorun.exe --check </dev/null | cat) || status=$?
    [ "$status" = 0 ] && echo "The demo disc is clean." || echo "Exit code $status."
    exit "$status"
    ;;
  --render)
    out="$build/demo-render"
    rm -rf "$out"
    (cd "$disc" && timeout 300 wine ./Autorun.exe "--render=Z:$out" ${dpi[@]+"${dpi[@]}"} </dev/null | cat)
    for picture in "$out"/*.bmp; do convert "$picture" "${picture%.bmp}.png"; done
    echo "$(ls "$out"/*.bmp | wc -l) pictures of every page and state in $out (BMP and PNG)"
    exit 0
    ;;
esac

extra=(${dpi[@]+"${dpi[@]}"})
[ "$mode" = "--dry-run" ] && extra+=(--dry-run)
[ "$mode" = "--watch" ] && extra+=(--watch)
(cd "$disc" && exec wine ./Autorun.exe "${extra[@]}" </dev/null >"$build/demo.log" 2>&1) &
launcher=$!
window=""
# A busy machine can take long to show the first window; a minute is the limit.
for _ in $(seq 600); do
  window=$(xdotool search --name "Orvex Studio" 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  kill -0 "$launcher" 2>/dev/null || break
  sleep 0.1
done
if [ -z "$window" ]; then
  echo "The launcher's window did not appear within a minute; its output:"
  cat "$build/demo.log"
  kill "$launcher" 2>/dev/null || true
  exit 1
fi
sleep 1 # let it finish painting
eval "$(xdotool getwindowgeometry --shell "$window")"
if [ "$mode" = "--dry-run" ]; then
  # The install command sits at [40, 110, 280, 150] of the client area.
  xdotool mousemove $((X + 150)) $((Y + 130)) click 1
  for _ in $(seq 300); do
    grep -q . "$build/demo.log" 2>/dev/null && break
    sleep 0.1
  done
  sleep 0.5 # the rest of the description
  xdotool mousemove 0 0
  kill "$launcher" 2>/dev/null || true
  wait "$launcher" 2>/dev/null || true
  tr -d '\r' < "$build/demo.log"
  exit 0
fi
if [ "$mode" = "--watch" ]; then
  # An author's edit: the first page's title, saved; the window shows it once read.
  sed -i 's/^Title=$(Title) Setup/Title=$(Title) Setup, edited/' "$disc/Pages/Autorun0.ini"
  for _ in $(seq 300); do
    xdotool search --name "Setup, edited" >/dev/null 2>&1 && break
    sleep 0.1
  done
  xdotool search --name "Setup, edited" getwindowname || { echo "The edit did not show within 30 s."; exit 1; }
  sleep 0.5
  eval "$(xdotool getwindowgeometry --shell "$window")"
  screenshot="$build/demo-watch-screenshot.png"
else
  screenshot="$build/demo-screenshot${dpi[0]:+-${dpi[0]#--dpi=}dpi}.png"
fi
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$screenshot"
kill "$launcher" 2>/dev/null || true
wait "$launcher" 2>/dev/null || true
[ "$mode" = "--watch" ] && what="first page, its title edited while it was watched" || what="first page"
echo "Screenshot of the demo disc's $what: $screenshot"
[ "$mode" = "--watch" ] && tr -d '\r' < "$build/demo.log" || true
