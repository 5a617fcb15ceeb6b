#!/usr/bin/env bash
# Checks that a program imports only DLLs Windows protects as known DLLs, so none can be
# planted beside it; the shell, needed only by actions, is looked up at the first one.
# Usage: check-imports.sh OBJDUMP EXE
set -euo pipefail
objdump=$1 exe=$2
allowed="kernel32.dll user32.dll gdi32.dll advapi32.dll ole32.dll oleaut32.dll msvcrt.dll"
status=0
while read -r dll; do
  name=$(tr '[:upper:]' '[:lower:]' <<<"$dll")
  if grep -qw -- "$name" <<<"$allowed"; then echo "allowed: $dll"; else echo "not allowed: $dll"; status=1; fi
done < <("$objdump" -p "$exe" | sed -n 's/^\s*DLL Name: //p')
exit $status
