#!/usr/bin/env bash
# Lists the functions of AutoRun/, Zyr/ and TalmoObjects/ that no test executes, one
# "file:line function" a line, sorted by file. Two builds measure: the host's text core with
# clang's source-based coverage (build/coverage-native, its TextCoreTests), and the x86_64
# build with gcc's --coverage (build/coverage-x86_64, its whole ctest under Wine, the
# launcher the tests start included). A function both builds compile counts as executed
# when either run executed it. gcc, unlike clang, records no inline function that no
# translation unit uses, so such a function of a Windows-only header is not listed.
# A tool to run by hand (about five minutes from nothing); failing tests are reported and
# still count for what they executed. A process that ends by TerminateProcess or _Exit,
# gtest's death-test children among them, writes no counts: what only they execute is listed.
#   tools/coverage.sh
set -euo pipefail
source "$(dirname "$0")/build-common.sh"
# llvm-profdata and llvm-cov come with llvm, which the compilers alone do not bring.
"$AUTORUN_ROOT/tools/install-deps.sh" llvm
export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-2}

build="$AUTORUN_BUILD"
native="$build/coverage-native"
cross="$build/coverage-x86_64"
# Both unoptimised, so that no function is inlined away before it is counted.
echo "== host build (clang, source-based coverage)" >&2
CC=clang CXX=clang++ build_tree "$native" TextCoreTests -DCMAKE_BUILD_TYPE=Debug -DAUTORUN_TEXT_CORE_ONLY=ON \
  "-DCMAKE_CXX_FLAGS=-fprofile-instr-generate -fcoverage-mapping" -DCMAKE_EXE_LINKER_FLAGS=-fprofile-instr-generate
rm -rf "$native/profiles"
if ! (cd "$native/tests" && LLVM_PROFILE_FILE="$native/profiles/%p.profraw" timeout 600 ./TextCoreTests \
        </dev/null >"$native/tests.log" 2>&1); then
  echo "TextCoreTests failed on the host (see $native/tests.log)" >&2
fi
llvm-profdata merge -sparse "$native"/profiles/*.profraw -o "$native/coverage.profdata"
llvm-cov export -format=text -skip-expansions -instr-profile "$native/coverage.profdata" \
  "$native/tests/TextCoreTests" >"$native/coverage.json"

echo "== x86_64 build (gcc --coverage)" >&2
build_tree "$cross" all -DCMAKE_BUILD_TYPE=Debug "$(build_toolchain x86_64)" -DCMAKE_CXX_FLAGS=--coverage \
  -DCMAKE_C_FLAGS=--coverage -DCMAKE_EXE_LINKER_FLAGS=--coverage -DCMAKE_SHARED_LINKER_FLAGS=--coverage \
  -DAUTORUN_TEST_TIMEOUT=300
find "$cross" -name '*.gcda' -delete

echo "== x86_64 tests under Wine" >&2
source "$AUTORUN_ROOT/tools/wine-session.sh"
wine_session_start "$build/coverage-wineprefix"
# Each program writes its counts to its objects' absolute paths when it exits: Wine takes
# a path from / as one of the Unix file system's, whatever the current drive.
timeout 3600 ctest --test-dir "$cross" -j2 --output-on-failure </dev/null >"$cross/ctest.log" 2>&1 ||
  echo "Some x86_64 tests failed; what they executed still counts (see $cross/ctest.log)" >&2
grep -E 'tests passed' "$cross/ctest.log" >&2 || true
stray=$(find "$WINEPREFIX/drive_c" "$cross/tests/media-disc" -name '*.gcda' 2>/dev/null | wc -l)
wine_session_stop
[ "$stray" -eq 0 ] || echo "$stray counts files were written inside the Wine prefix instead of the build tree" >&2
if [ -z "$(find "$cross" -name '*.gcda' -print -quit)" ]; then
  echo "The Windows test programs wrote no counts: every x86_64 function would be listed." >&2
  exit 1
fi

echo "== functions no test executes" >&2
find "$cross" -name '*.gcno' -not -path '*/googletest/*' -print0 |
  xargs -0 -n 40 x86_64-w64-mingw32-gcov --json-format --stdout 2>"$cross/gcov.log" >"$cross/gcov.jsonl"
python3 - "$AUTORUN_ROOT" "$native/coverage.json" "$cross/gcov.jsonl" <<'EOF'
import json, os, subprocess, sys
root, clang_json, gcov_jsonl = sys.argv[1:]
folders = tuple(os.path.join(root, folder) + "/" for folder in ("AutoRun", "Zyr", "TalmoObjects"))

# A function is known by the file and line where its body ends, which both compilers agree
# on (no two functions here end on one line); template instances and copies in several
# objects share it.
executed, names, starts = {}, {}, {}

def note(key, count, name, start):
    executed[key] = executed.get(key, False) or count > 0
    names.setdefault(key, name)
    starts.setdefault(key, start)

lines_of = {}
def declaration_line(path, line, column):
    """clang's function starts at its body's brace: the signature may be above it, its
    continuation lines (parameters, initialisers) indented further than its first line."""
    lines = lines_of.setdefault(path, open(path, encoding="utf-8", errors="replace").read().split("\n"))
    text = lines[line - 1]
    if text[:column - 1].strip():
        return line
    indent = len(text) - len(text.lstrip())
    line -= 1
    while line > 1 and len(lines[line - 1]) - len(lines[line - 1].lstrip()) > indent:
        line -= 1
    return line

clang = [f for f in json.load(open(clang_json))["data"][0]["functions"] if f["filenames"][0].startswith(folders)]
# clang names a function of internal linkage "file.cpp:mangled name".
mangled = (f["name"].rpartition(":")[2] for f in clang)
demangled = subprocess.run(["c++filt"], input="\n".join(mangled), capture_output=True,
                           text=True, check=True).stdout.split("\n")
for function, name in zip(clang, demangled):
    path = function["filenames"][0]
    start_line, start_column, end_line = function["regions"][0][:3]
    note((path, end_line), function["count"], name,
         declaration_line(path, start_line, start_column))

for record in open(gcov_jsonl):
    for source in json.loads(record)["files"]:
        if source["file"].startswith(folders):
            for function in source["functions"]:
                key = (source["file"], function["end_line"])
                note(key, function["execution_count"], function["demangled_name"], function["start_line"])
                starts[key] = function["start_line"]  # where the name stands, not the brace

never = sorted((os.path.relpath(key[0], root), starts[key], names[key]) for key in executed if not executed[key])
for path, line, name in never:
    print(f"{path}:{line} {name}")
print(f"{len(never)} functions never executed", file=sys.stderr)
EOF
