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
