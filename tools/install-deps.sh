#!/usr/bin/env bash
# Installs the Debian packages the builds and tests need, when any is missing. The
# launcher ships as a 32-bit program: Wine's 32-bit part (wine32, of the i386 architecture)
# runs it, and the multilib compilers build the host's text core at 32 bits. Chromium
# opens the review index of every language's pages as a reviewer's browser would.
set -euo pipefail
packages=(cmake ninja-build clang clang-format libclang-rt-14-dev googletest gcc-multilib g++-multilib
          g++-mingw-w64-x86-64 g++-mingw-w64-i686 wine wine64 wine32:i386 xvfb xdotool imagemagick valgrind ccache
          chromium)
# A script that needs more (the coverage run's llvm) names it: tools/install-deps.sh <package...>
packages+=("$@")
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  added_architecture=1
fi
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ] || [ -n "${added_architecture:-}" ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
# On a kernel without 32-bit code, Wine's 64-bit loader still runs 32-bit Windows programs
# in its own process (WoW64), once it finds Wine's 32-bit Windows DLLs beside its own.
source "$(dirname "$0")/build-common.sh"
if ! runs_32bit_programs; then
  wow64_dlls=/usr/lib/x86_64-linux-gnu/wine/i386-windows
  mkdir -p "$wow64_dlls"
  for dll in /usr/lib/i386-linux-gnu/wine/i386-windows/*; do
    [ -e "$wow64_dlls/${dll##*/}" ] || ln -s "$dll" "$wow64_dlls/"
  done
fi
