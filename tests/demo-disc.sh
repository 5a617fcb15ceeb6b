#!/usr/bin/env bash
# The demo disc as tools/make-demo-disc.sh assembles it: the launcher stripped as it ships,
# a 32-bit stand-in installer for Action and a 64-bit one for Action64.
#   demo-disc.sh <i686 build> <x86_64 build> <objdump>
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
i686=$1 x86_64=$2 objdump=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
"$here/../tools/make-demo-disc.sh" "$i686" "$work/disc" "$x86_64" || exit 1
expect_format() {
  "$objdump" -f "$work/disc/$1" | grep -q "file format $2" || { echo "FAILED: $1 is not $2"; status=1; }
}
expect_format Autorun.exe pei-i386
expect_format Setup/setup.exe pei-i386
expect_format Setup/x64/setup.exe pei-x86-64
if "$objdump" -h "$work/disc/Autorun.exe" | grep -q '\.debug_'; then
  echo "FAILED: the disc's launcher carries debug information"
  status=1
fi
[ "$status" = 0 ] && echo "The demo disc holds the 32-bit launcher, stripped, and a stand-in for each architecture."
exit "$status"
