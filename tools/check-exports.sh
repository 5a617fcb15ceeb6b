#!/usr/bin/env bash
# Checks that a program exports the message table by name: the four functions and the
# data word __TalmoObjUsed. Usage: check-exports.sh OBJDUMP EXE
set -euo pipefail
objdump=$1 exe=$2
table=$("$objdump" -p "$exe" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p')
status=0
for name in GetResourceID NumberOfMessages GetMessageName GetMessageSystemVersion __TalmoObjUsed; do
  if grep -qE "\] ${name}\$" <<<"$table"; then echo "exported: $name"; else echo "missing export: $name"; status=1; fi
done
exit $status
