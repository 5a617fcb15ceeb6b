#!/usr/bin/env bash
# Builds the benchmarks and runs them all, then prints one table. Every figure is measured
# side by side in this one run: start-up against a minimal window program (alternating
# runs) for the i686 launcher that ships (under 32-bit Wine) and the x86_64 one, the demo's
# PNG pictures against bitmaps only, a watching launcher's answer to a save against a plain
# start, the demo at 144 dpi against 96, page switches and the settings load per command on both architectures,
# instruction counts of the page-reading core under callgrind, and the stripped sizes of
# both launchers.
set -euo pipefail
source "$(dirname "$0")/build-common.sh"
root=$AUTORUN_ROOT
build=$AUTORUN_BUILD
runs=${AUTORUN_STARTUP_RUNS:-21}
# A cost of a few per cent needs many more runs than the noise of one start hides.
condition_runs=${AUTORUN_CONDITION_RUNS:-201}
"$root/tools/install-deps.sh"

build_tree "$build/x86_64" "Autorun DemoSetup MinimalWindow StartupBench PageSwitchBench SettingsLoadBench WatchBench" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo "$(build_toolchain x86_64)"
build_tree "$build/i686" "PageSwitchBench SettingsLoadBench" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DAUTORUN_SMALL=ON \
  "$(build_toolchain i686)"
# The launchers timed and sized are built as the shipped one is: optimised for size, with the
# win32 thread model.
build_shipped x86_64 Autorun
build_shipped i686 "Autorun MinimalWindow"
build_tree "$build/bench-native" PageCoreBench -DCMAKE_BUILD_TYPE=Release -DAUTORUN_TEXT_CORE_ONLY=ON

disc="$build/bench-disc"
"$root/tools/make-demo-disc.sh" "$build/x86_64" "$disc"
cp "$build/x86_64-shipped/AutoRun/Autorun.exe" "$disc/Autorun.exe"
cp "$build/x86_64/bench/MinimalWindow.exe" "$disc/MinimalWindow.exe"
# Timed as they ship: without the debug data, which delays the first user code.
x86_64-w64-mingw32-strip "$disc/Autorun.exe" "$disc/MinimalWindow.exe"
# The demo with bitmaps only: its PNG buttons replaced by the bitmap ones, so that the
# imaging component is never loaded; the demo as it is measures what PNG pictures cost.
bitmaps="$build/bench-disc-bitmaps"
rm -rf "$bitmaps"
cp -r "$disc" "$bitmaps"
sed -i 's/round-\(button[a-z-]*\)\.png/\1.bmp/' "$bitmaps"/Pages/*.ini
if grep -q '\.png' "$bitmaps"/Pages/*.ini; then echo "the demo names PNG files the bitmap copy cannot replace" >&2; exit 1; fi
# The same demo with the i686 launcher and minimal window, as they ship.
bitmaps32="$build/bench-disc-bitmaps-i686"
rm -rf "$bitmaps32"
cp -r "$bitmaps" "$bitmaps32"
cp "$build/i686-shipped/AutoRun/Autorun.exe" "$build/i686-shipped/bench/MinimalWindow.exe" "$bitmaps32/"
i686-w64-mingw32-strip "$bitmaps32/Autorun.exe" "$bitmaps32/MinimalWindow.exe"

# The same again with ten condition tests on its first page, each holding and each asking
# something else: what deciding them adds to the start.
conditions32="$build/bench-disc-conditions-i686"
rm -rf "$conditions32"
cp -r "$bitmaps32" "$conditions32"
awk '/^\[/ { main = $0 == "[Main]" }
     { print }
     main && /^Command[2-6]_Action=/ { split($0, key, "_"); print key[1] "_If=not installed(Kestrel Photo " key[1] ") and not exists(%SystemRoot%\\" key[1] ".dll)" }' \
  "$bitmaps32/Pages/Autorun0.ini" >"$conditions32/Pages/Autorun0.ini"
[ "$(grep -c '_If=' "$conditions32/Pages/Autorun0.ini")" = $(($(grep -c '_If=' "$bitmaps32/Pages/Autorun0.ini") + 5)) ] || { echo "the demo's first page has not five commands to condition" >&2; exit 1; }

source "$root/tools/wine-session.sh"
wine_session_start "$build/wineprefix"
to_windows() { echo "Z:${1//\//\\}"; }

echo "Measuring start-up ($runs alternating runs each), page switches and settings loads..." >&2
# The first painted frame: a pixel inside the install command, drawn after the page itself,
# and the minimal program's fill colour.
startup=$(wine "$build/x86_64/bench/StartupBench.exe" "$runs" "$(to_windows "$bitmaps/Autorun.exe")" \
  "Orvex Studio 2.1 Setup" 270 145 1F518C "$(to_windows "$disc/MinimalWindow.exe")" "Minimal window" 300 200 1D4E89 |
  tr -d '\r')
png=$(wine "$build/x86_64/bench/StartupBench.exe" "$runs" "$(to_windows "$disc/Autorun.exe")" \
  "Orvex Studio 2.1 Setup" 270 145 1F518C "$(to_windows "$bitmaps/Autorun.exe")" "Orvex Studio 2.1 Setup" 270 145 1F518C |
  tr -d '\r')
startup32=$(wine "$build/x86_64/bench/StartupBench.exe" "$runs" "$(to_windows "$bitmaps32/Autorun.exe")" \
  "Orvex Studio 2.1 Setup" 270 145 1F518C "$(to_windows "$bitmaps32/MinimalWindow.exe")" "Minimal window" 300 200 1D4E89 |
  tr -d '\r')
conditions=$(wine "$build/x86_64/bench/StartupBench.exe" "$condition_runs" "$(to_windows "$conditions32/Autorun.exe")" \
  "Orvex Studio 2.1 Setup" 270 145 1F518C "$(to_windows "$bitmaps32/Autorun.exe")" "Orvex Studio 2.1 Setup" 270 145 1F518C |
  tr -d '\r')
# What the ten tests add to reading the pages, where they are decided, which a start-up is too
# noisy to resolve: each disc's pages read in fresh processes of the i686 build, alternating.
condition_load=$(wine "$build/i686/bench/SettingsLoadBench.exe" --compare "$(to_windows "$conditions32")" \
  "$(to_windows "$bitmaps32")" 41 | tr -d '\r')
# The demo (which scales as a whole) at 144 dpi against 96: its @1.5x pictures read, not
# scaled. Both wait for the amber bar at the page's top, which the first frame draws.
scaled=$(wine "$build/x86_64/bench/StartupBench.exe" "$runs" "$(to_windows "$bitmaps32/Autorun.exe")|--dpi=144" \
  "Orvex Studio 2.1 Setup" 300 4 F2A900 "$(to_windows "$bitmaps32/Autorun.exe")|--dpi=96" "Orvex Studio 2.1 Setup" 300 4 F2A900 |
  tr -d '\r')
switch=$(wine "$build/x86_64/bench/PageSwitchBench.exe" | tr -d '\r')
switch32=$(wine "$build/i686/bench/PageSwitchBench.exe" | tr -d '\r')
watched="$build/bench-watch"
rm -rf "$watched"
mkdir -p "$watched"
cp "$disc/Autorun.exe" "$watched/"
watch=$(wine "$build/x86_64/bench/WatchBench.exe" 11 "$(to_windows "$watched")" | tr -d '\r')
load=$(wine "$build/x86_64/bench/SettingsLoadBench.exe" | tr -d '\r')
load32=$(wine "$build/i686/bench/SettingsLoadBench.exe" | tr -d '\r')
core=$("$build/bench-native/bench/PageCoreBench")
value() { echo "$1" | sed -n "s/^$2=//p"; }

instructions() {
  # An empty page reads as nothing and ends with 1; the count is what matters.
  { valgrind --tool=callgrind --callgrind-out-file=/dev/null "$build/bench-native/bench/PageCoreBench" "$1" 2>&1 || true; } |
    sed -n 's/.*Collected : \([0-9]*\).*/\1/p'
}
i0=$(instructions 0)
i1k=$(instructions 1000)
i10k=$(instructions 10000)

a64=$(stripped_size x86_64-w64-mingw32-strip "$build/x86_64-shipped/AutoRun/Autorun.exe")
m64=$(stripped_size x86_64-w64-mingw32-strip "$build/x86_64/bench/MinimalWindow.exe")
a32=$(stripped_size i686-w64-mingw32-strip "$build/i686-shipped/AutoRun/Autorun.exe")
m32=$(stripped_size i686-w64-mingw32-strip "$build/i686-shipped/bench/MinimalWindow.exe")

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
per() { awk -v a="$1" -v b="$2" -v n="$3" 'BEGIN { printf "%.1f k", (a - b) / n / 1000 }'; }
# Best and median time per command of 1,000 and 10,000 commands, and the ratios.
per_command_row() {
  echo "$1" | awk '$1 == 1000 { b1 = $2; m1 = $3 } $1 == 10000 { b2 = $2; m2 = $3; rb = $4; rm = $5 }
    END { printf "%.2f / %.2f µs (medians %.2f / %.2f) | | %.3f (medians %.3f)", b1, b2, m1, m2, rb, rm }'
}

cat <<TABLE

| Measure | Launcher | Yardstick | Ratio |
|---|---|---|---|
| Start-up to the first painted frame of the demo with bitmaps only, i686 as it ships, median (25th–75th percentile) of $runs | $(value "$startup32" startup_launcher_ms) ms ($(value "$startup32" startup_launcher_quartiles) ms) | i686 minimal window program $(value "$startup32" startup_minimal_ms) ms ($(value "$startup32" startup_minimal_quartiles) ms) | $(value "$startup32" startup_ratio) |
| Start-up to the first painted frame of the demo with bitmaps only, x86_64, median (25th–75th percentile) of $runs | $(value "$startup" startup_launcher_ms) ms ($(value "$startup" startup_launcher_quartiles) ms) | x86_64 minimal window program $(value "$startup" startup_minimal_ms) ms ($(value "$startup" startup_minimal_quartiles) ms) | $(value "$startup" startup_ratio) |
| Start-up of the demo with its PNG buttons, median (25th–75th percentile) of $runs | $(value "$png" startup_launcher_ms) ms ($(value "$png" startup_launcher_quartiles) ms) | the demo with bitmaps only $(value "$png" startup_minimal_ms) ms ($(value "$png" startup_minimal_quartiles) ms) | $(value "$png" startup_ratio) |
| Start-up of the i686 demo with ten condition tests on its first page (installed and exists), median (25th–75th percentile) of $condition_runs | $(value "$conditions" startup_launcher_ms) ms ($(value "$conditions" startup_launcher_quartiles) ms) | the same demo without them $(value "$conditions" startup_minimal_ms) ms ($(value "$conditions" startup_minimal_quartiles) ms) | $(value "$conditions" startup_ratio) (95 % interval $(value "$conditions" startup_ratio_interval)) |
| Reading the pages of the i686 demo with those ten condition tests (deciding them included), median of 41 fresh processes | $(value "$condition_load" load_first_ms) ms | without them $(value "$condition_load" load_second_ms) ms | +$(value "$condition_load" load_difference_ms) ms, $(awk -v d="$(value "$condition_load" load_difference_ms)" -v s="$(value "$conditions" startup_minimal_ms)" 'BEGIN { printf "%.2f", 100 * d / s }') % of the start-up |
| Start-up of the i686 demo, which scales as a whole, at 144 dpi (its @1.5x pictures), median (25th–75th percentile) of $runs | $(value "$scaled" startup_launcher_ms) ms ($(value "$scaled" startup_launcher_quartiles) ms) | the same at 96 dpi $(value "$scaled" startup_minimal_ms) ms ($(value "$scaled" startup_minimal_quartiles) ms) | $(value "$scaled" startup_ratio) (95 % interval $(value "$scaled" startup_ratio_interval)) |
| A watching launcher: from a save of a page of 100 commands to the page redrawn, median of 11 (150 ms of it wait for the writes to settle) | $(value "$watch" watch_save_ms) ms | a plain start of that page $(value "$watch" watch_start_ms) ms | $(value "$watch" watch_ratio) |
| Page switch with repaint, 20 picture commands, i686, median (90th percentile) | $(value "$switch32" switch_median_ms) ms ($(value "$switch32" switch_p90_ms) ms) | GoToPage alone $(value "$switch32" switch_build_median_ms) ms, the repaint alone $(value "$switch32" switch_paint_median_ms) ms | — |
| Page switch with repaint, 20 picture commands, x86_64, median (90th percentile) | $(value "$switch" switch_median_ms) ms ($(value "$switch" switch_p90_ms) ms) | GoToPage alone $(value "$switch" switch_build_median_ms) ms, the repaint alone $(value "$switch" switch_paint_median_ms) ms | — |
| Settings load under 32-bit Wine per command, i686, 1,000 / 10,000 commands, best of 21 fresh processes | $(per_command_row "$load32") |
| Settings load under Wine per command, x86_64, 1,000 / 10,000 commands, best of 21 fresh processes | $(per_command_row "$load") |
| Page-reading core on the host per command, 1,000 / 10,000 commands, best of 21 fresh processes | $(per_command_row "$core") |
| Instructions per command of the page-reading core, 1,000 / 10,000 commands (callgrind) | $(per "$i1k" "$i0" 1000) / $(per "$i10k" "$i0" 10000) | | $(awk -v a="$i1k" -v b="$i10k" -v z="$i0" 'BEGIN { printf "%.3f", ((b - z) / 10000) / ((a - z) / 1000) }') |
| Stripped x86_64 exe, built as the shipped one | $((a64 / 1024)) KB | $((m64 / 1024)) KB | $(ratio "$a64" "$m64") |
| Stripped i686 exe (shipped) | $((a32 / 1024)) KB | $((m32 / 1024)) KB | $(ratio "$a32" "$m32") |
TABLE
