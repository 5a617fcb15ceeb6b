#!/usr/bin/env bash
# The mutation check: builds each fault of tools/mutants.txt into a scratch copy of the
# sources, one at a time, rebuilds, runs the suites the mutant names, and prints a table of
# every mutant with the tests that caught it (KILLED) or SURVIVED, and the score. The exit
# code is 0 only when every mutant is killed. Takes about a minute per mutant, two for one
# whose suites are i686 ones (both architectures' builds are then made again).
#   tools/mutation-check.sh [name ...]     only the mutants of those names
#   tools/mutation-check.sh --sample --seed S --count N [--from A] [--to B] [--table FILE]
#                                          mechanical mutants instead: entries A..B-1 of a seeded
#                                          sample of N (tools/mutate.py), each built and run in turn
set -euo pipefail
source "$(dirname "$0")/build-common.sh"
root=$AUTORUN_ROOT
work=$AUTORUN_BUILD/mutation
"$root/tools/install-deps.sh"

echo "== a scratch copy of the sources in $work/src"
# An earlier scratch build rebuilds only what changed since: a file whose content differs from
# the last copy is touched, and every other file keeps the time it had there. Its time here
# would not do: a file the last run mutated and put back would get back a time older than
# the objects built from its last mutant, which would then pass for up to date.
rm -rf "$work/src.new"
mkdir -p "$work/src.new"
tar -C "$root" --exclude=./build --exclude=./.git -cf - . | tar -C "$work/src.new" -xf -
if [ -d "$work/src" ]; then
  (cd "$work/src.new" && find . -type f -print0) | while IFS= read -r -d '' file; do
    if cmp -s "$work/src.new/$file" "$work/src/$file"; then
      touch -r "$work/src/$file" "$work/src.new/$file"
    else
      touch "$work/src.new/$file"
    fi
  done
fi
rm -rf "$work/src"
mv "$work/src.new" "$work/src"
AUTORUN_ROOT=$work/src
AUTORUN_BUILD=$work
# The i686 builds as the tests run them (the launcher as it ships beside the tests), whose
# suites the x86_64 ctest includes: a mutant whose suites name an i686 one is built there too.
# Warnings stay warnings there: a mechanical mutant that draws one is still run. The code is
# optimised as in the real builds, without debug information, which only slows each rebuild;
# ccache makes the rebuild after a mutant is put back a lookup.
lenient=(-DAUTORUN_WARNINGS_ARE_ERRORS=OFF -DCMAKE_CXX_COMPILER_LAUNCHER=ccache "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -DNDEBUG")
# The host's text core under the sanitizers and fuzzers, whose leaks and crashes no Windows
# suite sees.
CC=clang CXX=clang++ build_tree "$work/native" all -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DAUTORUN_TEXT_CORE_ONLY=ON -DAUTORUN_SANITIZE=ON -DAUTORUN_FUZZ=ON "${lenient[@]}"
# A kernel that runs no 32-bit programs runs no i686 suite either (as in tools/test-all.sh):
# the mutants are then judged by the x86_64 and host suites alone.
i686_build=""
if runs_32bit_programs; then
  i686_build=$work/i686
  build_tree "$work/i686-shipped" Autorun -DCMAKE_BUILD_TYPE=RelWithDebInfo -DAUTORUN_SMALL=ON "$(build_toolchain i686)" \
    -DAUTORUN_THREAD_MODEL=win32 "${lenient[@]}"
  build_tree "$i686_build" all "${lenient[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DAUTORUN_SMALL=ON "$(build_toolchain i686)" \
    -DAUTORUN_SHIPPED_BUILD="$work/i686-shipped" -DAUTORUN_WIN32_PREFIX="$(win32_prefix_in "$work")"
else
  echo "not run: the i686 suites, as this kernel runs no 32-bit programs"
fi
build_tree "$work/x86_64" all "${lenient[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$(build_toolchain x86_64)" \
  -DAUTORUN_I686_BUILD="$i686_build" -DAUTORUN_NATIVE_BUILD="$work/native"

source "$root/tools/wine-session.sh"
# Prefixes of its own, so that other runs of Wine on this machine cannot disturb them.
wine_session_start "$work/wineprefix" "$(win32_prefix_in "$work")"

export AUTORUN_I686_BUILDS="${i686_build:+$work/i686-shipped@Autorun $i686_build}" AUTORUN_HOST_BUILDS="$work/native"
if [ "${1:-}" = --sample ]; then
  shift
  python3 "$root/tools/mutate.py" run "$work/src" "$work/x86_64" "$@"
else
  python3 "$root/tools/mutants.py" run "$root/tools/mutants.txt" "$work/src" "$work/x86_64" "$@"
fi
