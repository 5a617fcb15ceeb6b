#!/usr/bin/env bash
# Builds all five builds and runs every test. The host build of the text core runs under
# AddressSanitizer and UndefinedBehaviorSanitizer with short fuzz runs; the x86_64 build
# runs under Wine on a private Xvfb display, and an x86_64 launcher built with the shipped
# one's thread model renders the golden pages there too; the two i686 builds (everything
# with the tests' thread model, and the launcher as it ships, with the win32 one) are
# compiled and linked only, because this kernel runs no 32-bit code. The x86_64 ctest also
# runs the host suites and checks the i686 programs, so its closing line, printed last,
# covers everything. ctest's output is also kept in build/ctest.log.
set -euo pipefail
source "$(dirname "$0")/build-common.sh"
"$AUTORUN_ROOT/tools/install-deps.sh"

build="$AUTORUN_BUILD"
echo "== host build (clang, sanitizers, fuzzers)"
CC=clang CXX=clang++ build_tree "$build/native" all -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DAUTORUN_TEXT_CORE_ONLY=ON -DAUTORUN_SANITIZE=ON -DAUTORUN_FUZZ=ON
echo "== i686 build, everything with the tests' thread model (compiled, not run)"
build_tree "$build/i686" all -DCMAKE_BUILD_TYPE=RelWithDebInfo -DAUTORUN_SMALL=ON "$(build_toolchain i686)"
echo "== i686 launcher as it ships: optimised for size, win32 thread model (compiled, not run)"
build_shipped i686 Autorun
echo "== x86_64 launcher with the shipped launcher's thread model (its golden pages run)"
build_shipped x86_64 Autorun
echo "== x86_64 build"
build_tree "$build/x86_64" all -DCMAKE_BUILD_TYPE=RelWithDebInfo "$(build_toolchain x86_64)" \
  -DAUTORUN_NATIVE_BUILD="$build/native" -DAUTORUN_I686_BUILD="$build/i686" -DAUTORUN_SHIPPED_BUILD="$build/i686-shipped" \
  -DAUTORUN_WIN32_THREADS_BUILD="$build/x86_64-shipped"

source "$AUTORUN_ROOT/tools/wine-session.sh"
wine_session_start "$build/wineprefix"
echo "== tests"
status=0
ctest --test-dir "$build/x86_64" --output-on-failure -j2 </dev/null 2>&1 | tee "$build/ctest.log" || status=$?
exit "$status"
