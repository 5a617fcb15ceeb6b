#!/usr/bin/env bash
# Installs the Debian packages the builds and tests need, when any is missing.
set -euo pipefail
packages=(cmake ninja-build clang libclang-rt-14-dev googletest
          g++-mingw-w64-x86-64 g++-mingw-w64-i686 wine wine64 xvfb xdotool imagemagick valgrind)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
