#!/usr/bin/env bash
# Checks that the C++ sources are formatted as .clang-format says: lists every file that
# clang-format would change and fails when there is one. To format them:
#   tools/check-format.sh --fix
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
mapfile -t files < <(git ls-files -- 'AutoRun/*.cpp' 'AutoRun/*.h' 'Zyr/*.cpp' 'Zyr/*.h' 'TalmoObjects/*.cpp' \
  'TalmoObjects/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'bench/*.h' 'tools/*.cpp' 'tools/*.h')
if [ "${1:-}" = --fix ]; then
  clang-format -i --style=file "${files[@]}"
  exit 0
fi
unformatted=()
for file in "${files[@]}"; do
  clang-format --style=file --dry-run -Werror "$file" >/dev/null 2>&1 || unformatted+=("$file")
done
if [ ${#unformatted[@]} -gt 0 ]; then
  echo "Not formatted as .clang-format says (tools/check-format.sh --fix formats them):"
  printf '  %s\n' "${unformatted[@]}"
  exit 1
fi
echo "${#files[@]} files formatted as .clang-format says ($(clang-format --version))"
