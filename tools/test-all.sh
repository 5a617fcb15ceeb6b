#!/usr/bin/env bash
# Builds all five builds and runs every test. The host build of the text core runs under
# AddressSanitizer and UndefinedBehaviorSanitizer with short fuzz runs, at 64 and at 32
# bits; the x86_64 and the i686 builds run their suites under Wine on a private Xvfb
# display, the i686 ones (the architecture that ships) with the launcher as it ships
# (build/i686-shipped), and the shipped launcher's discs and program tests once more in a
# prefix of 32-bit Windows. An x86_64 launcher built with the shipped one's thread model
# renders the golden pages too. The x86_64 ctest runs everything, so its closing line,
# printed last, covers both architectures. ctest's output is also kept in build/ctest.log.
set -euo pipefail
source "$(dirname "$0")/build-common.sh"
"$AUTORUN_ROOT/tools/install-deps.sh"

build="$AUTORUN_BUILD"
# What a machine cannot run is said just above ctest's summary; a fresh checkout has no
# build folder yet to say it in.
mkdir -p "$build"
rm -f "$build/not-run.txt"
native32_build="$build/native32"
if ! runs_32bit_programs; then
  native32_build=""
  # Wine 8's WoW64, which would run 32-bit Windows programs in a 64-bit process, is
  # experimental: its windows fail to draw (ERROR_INVALID_WINDOW_HANDLE from GetDC).
  echo "not run: the i686 suites, the host's 32-bit build's tests and the shipped launcher's tests on" \
       "32-bit Windows: this kernel runs no 32-bit programs, and Wine 8 runs 32-bit Windows programs only" \
       "in a 32-bit process" | tee -a "$build/not-run.txt"
fi
echo "== host build (clang, sanitizers, fuzzers)"
CC=clang CXX=clang++ build_tree "$build/native" all -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DAUTORUN_TEXT_CORE_ONLY=ON -DAUTORUN_SANITIZE=ON -DAUTORUN_FUZZ=ON
echo "== host build at 32 bits (clang -m32, sanitizers, fuzzers)"
CC="clang -m32" CXX="clang++ -m32" build_tree "$build/native32" all -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DAUTORUN_TEXT_CORE_ONLY=ON -DAUTORUN_SANITIZE=ON -DAUTORUN_FUZZ=ON
echo "== i686 launcher as it ships: optimised for size, win32 thread model"
build_shipped i686 Autorun
echo "== i686 build, everything with the tests' thread model"
build_tree "$build/i686" all -DCMAKE_BUILD_TYPE=RelWithDebInfo -DAUTORUN_SMALL=ON "$(build_toolchain i686)" \
  -DAUTORUN_SHIPPED_BUILD="$build/i686-shipped" -DAUTORUN_WIN32_PREFIX="$(win32_prefix_in "$build")"
echo "== x86_64 launcher with the shipped launcher's thread model (its golden pages run)"
build_shipped x86_64 Autorun

source "$AUTORUN_ROOT/tools/wine-session.sh"
wine_session_start "$build/wineprefix" "$(win32_prefix_in "$build")"
# A machine that cannot run 32-bit code still runs the 64-bit suites, and says why the
# others did not run. The probe also starts, outside ctest, what Wine's 32-bit side starts
# at its first use in a new prefix (ctest runs every test through tools/wine-test.sh, so
# that nothing Wine starts holds ctest's pipes either way).
i686_build="$build/i686"
probe="$build/i686-probe.log"
if [ -z "$native32_build" ]; then
  i686_build=""
elif ! timeout 120 wine "$build/i686/tests/TalmoObjectsTests.exe" </dev/null >"$probe" 2>&1; then
  echo "i686 suites not run: a 32-bit Windows program does not run under Wine here ($(tail -1 "$probe"))" \
    | tee -a "$build/not-run.txt"
  i686_build=""
fi
echo "== x86_64 build"
build_tree "$build/x86_64" all -DCMAKE_BUILD_TYPE=RelWithDebInfo "$(build_toolchain x86_64)" \
  -DAUTORUN_NATIVE_BUILD="$build/native" -DAUTORUN_NATIVE32_BUILD="$native32_build" -DAUTORUN_I686_BUILD="$i686_build" \
  -DAUTORUN_WIN32_THREADS_BUILD="$build/x86_64-shipped" -DAUTORUN_SHIPPED_BUILD= -DAUTORUN_WIN32_PREFIX=

echo "== tests"
status=0
ctest --test-dir "$build/x86_64" --output-on-failure -j2 </dev/null 2>&1 | tee "$build/ctest.log" || status=$?
exit "$status"
