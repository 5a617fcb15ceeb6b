#!/usr/bin/env bash
# Sourced by the scripts in tools/: the one configure-and-build step they all use. It works
# on a fresh clone (no build/), on an old build/, and on a build/ deleted half-way: a build
# tree whose configuration or build system no longer works is removed and made again once.
#   build_tree <folder> <targets, or "all"> [cmake arguments...]
# Logs go to <folder>.configure.log and <folder>.build.log; on failure their end is shown.
AUTORUN_ROOT=${AUTORUN_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
AUTORUN_BUILD=${AUTORUN_BUILD_DIR:-$AUTORUN_ROOT/build}

build_configure() {
  local dir=$1; shift
  cmake -S "$AUTORUN_ROOT" -B "$dir" -G Ninja "$@" > "$dir.configure.log" 2>&1
}

build_compile() {
  local dir=$1 targets=$2
  if [ "$targets" = all ]; then
    cmake --build "$dir" -- -k 0 > "$dir.build.log" 2>&1
  else
    # shellcheck disable=SC2086 # the targets are words
    cmake --build "$dir" --target $targets -- -k 0 > "$dir.build.log" 2>&1
  fi
}

# A failure of the build system itself (a missing manifest or generated file), as opposed
# to a compiler's error, means the tree is damaged rather than the code.
build_system_broken() {
  grep -qE '^ninja: error:|CMake Error|No rule to make target|missing and no known rule' "$1.build.log"
}

build_tree() {
  local dir=$1 targets=$2; shift 2
  mkdir -p "$(dirname "$dir")"
  if ! build_configure "$dir" "$@"; then
    echo "The configuration in $dir does not work any more; making it again." >&2
    rm -rf "$dir"
    mkdir -p "$(dirname "$dir")"
    build_configure "$dir" "$@" || { tail -40 "$dir.configure.log"; return 1; }
  fi
  if ! build_compile "$dir" "$targets"; then
    if build_system_broken "$dir"; then
      echo "The build tree $dir is damaged; making it again." >&2
      rm -rf "$dir"
      build_configure "$dir" "$@" || { tail -40 "$dir.configure.log"; return 1; }
      build_compile "$dir" "$targets" && return 0
    fi
    grep -E 'error|warning|FAILED' -A3 "$dir.build.log" | head -80
    return 1
  fi
}

# The size in bytes of a program stripped as it ships (the program itself is left as it is).
#   stripped_size <strip tool> <exe>
stripped_size() {
  local tool=$1 exe=$2 copy
  copy=$(mktemp)
  "$tool" -o "$copy" "$exe"
  stat -c %s "$copy"
  rm -f "$copy"
}

# Whether this kernel runs 32-bit x86 programs at all. Some kernels are built without IA-32
# emulation: there no 32-bit Linux program starts ("Exec format error"), Wine's 32-bit loader
# included, so neither a 32-bit Windows prefix nor the host's 32-bit build can run. Wine's
# 32-bit loader, which the test scripts install, is the 32-bit program asked.
runs_32bit_programs() { /usr/lib/wine/wine --version >/dev/null 2>&1; }

# Where the tests in <folder> keep their prefix of 32-bit Windows; nothing on a kernel that
# cannot make one.
#   win32_prefix_in <folder>
win32_prefix_in() { runs_32bit_programs && echo "$1/wineprefix-win32" || true; }

# The cross builds' toolchain files.
build_toolchain() { echo "-DCMAKE_TOOLCHAIN_FILE=$AUTORUN_ROOT/cmake/toolchain-mingw-$1.cmake"; }

# Builds `targets` for `arch` (i686 or x86_64) as the shipped launcher is built: optimised
# for size, with the win32 thread model, in $AUTORUN_BUILD/<arch>-shipped. The tests check
# and the benchmarks time the same build.
#   build_shipped <arch> <targets>
build_shipped() {
  build_tree "$AUTORUN_BUILD/$1-shipped" "$2" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DAUTORUN_SMALL=ON \
    "$(build_toolchain "$1")" -DAUTORUN_THREAD_MODEL=win32
}
