#!/usr/bin/env bash
# Builds all three builds and runs every test. The host build of the text core runs under
# AddressSanitizer and UndefinedBehaviorSanitizer with short fuzz runs; the x86_64 build
# runs under Wine on a private Xvfb display; the i686 build (the shipped launcher) is
# compiled and linked only, because this kernel runs no 32-bit code. The x86_64 ctest also
# runs the host suites, so its closing line, printed last, covers everything.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${AUTORUN_BUILD_DIR:-$root/build}
"$root/tools/install-deps.sh"

configure_and_build() {
  local dir=$1; shift
  cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" > "$dir.configure.log" 2>&1 ||
    { cat "$dir.configure.log"; return 1; }
  cmake --build "$dir" -- -k 0 > "$dir.build.log" 2>&1 || { grep -E 'error|warning|FAILED' -A3 "$dir.build.log" | head -80; return 1; }
}

mkdir -p "$build"
echo "== host build (clang, sanitizers, fuzzers)"
CC=clang CXX=clang++ configure_and_build "$build/native" -DAUTORUN_TEXT_CORE_ONLY=ON -DAUTORUN_SANITIZE=ON -DAUTORUN_FUZZ=ON
echo "== i686 build (compiled, not run)"
configure_and_build "$build/i686" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-i686.cmake"
echo "== x86_64 build"
configure_and_build "$build/x86_64" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-x86_64.cmake" \
  -DAUTORUN_NATIVE_BUILD="$build/native" -DAUTORUN_I686_BUILD="$build/i686"

source "$root/tools/wine-session.sh"
wine_session_start "$build/wineprefix"
echo "== tests"
ctest --test-dir "$build/x86_64" --output-on-failure -j2 </dev/null
