#!/usr/bin/env bash
# The mutation check: builds each fault of tools/mutants.txt into a scratch copy of the
# sources, one at a time, rebuilds, runs the suites the mutant names, and prints a table of
# every mutant with the tests that caught it (KILLED) or SURVIVED, and the score. The exit
# code is 0 only when every mutant is killed. Takes about a minute per mutant.
#   tools/mutation-check.sh [name ...]     only the mutants of those names
set -euo pipefail
source "$(dirname "$0")/build-common.sh"
root=$AUTORUN_ROOT
work=$AUTORUN_BUILD/mutation
"$root/tools/install-deps.sh"

echo "== a scratch copy of the sources in $work/src"
rm -rf "$work/src"
mkdir -p "$work/src"
# Times are kept, so an earlier scratch build rebuilds only what changed since.
tar -C "$root" --exclude=./build --exclude=./.git -cf - . | tar -C "$work/src" -xf -
AUTORUN_ROOT=$work/src
build_tree "$work/x86_64" all -DCMAKE_BUILD_TYPE=RelWithDebInfo "$(build_toolchain x86_64)"

source "$root/tools/wine-session.sh"
# A prefix of its own, so that other runs of Wine on this machine cannot disturb it.
wine_session_start "$work/wineprefix"

python3 - "$root/tools/mutants.txt" "$work/src" "$work/x86_64" "$@" <<'PYTHON'
import re, subprocess, sys

listing, source, build, chosen = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4:]

def read_mutants(path):
    mutants, current = [], None
    for raw in open(path, encoding="utf-8"):
        line = raw.rstrip("\n")
        if line.startswith("#"):
            continue
        if not line.strip():
            current = None
            continue
        key, _, value = line.partition(": ")
        if key.endswith(":") and not value:  # "replace:" with nothing behind it
            key, value = key[:-1], ""
        value = value.replace("\\n", "\n")
        if key == "name":
            current = {"name": value, "edits": []}
            mutants.append(current)
        elif key == "find":
            current["edits"].append([value, None])
        elif key == "replace":
            current["edits"][-1][1] = value
        else:
            current[key] = value
    return mutants

def run_suites(regex):
    result = subprocess.run(["ctest", "--test-dir", build, "-R", regex, "--output-on-failure", "--timeout", "600"],
                            stdin=subprocess.DEVNULL, capture_output=True, text=True, errors="replace")
    failed = sorted(set(name for name in re.findall(r"\[  FAILED  \] ([\w/.]+)", result.stdout) if not name.isdigit()))
    entries = re.findall(r"\d+ - ([\w.]+) \(", result.stdout)
    return result.returncode, failed or entries

mutants = [m for m in read_mutants(listing) if not chosen or m["name"] in chosen]
everything = "|".join(sorted({m["suites"] for m in mutants}))
code, failing = run_suites(everything)
if code != 0:
    print("The unchanged sources do not pass the suites: " + ", ".join(failing))
    sys.exit(2)

rows, killed = [], 0
for number, mutant in enumerate(mutants, 1):
    path = source + "/" + mutant["file"]
    original = open(path, encoding="utf-8").read()
    text = original
    applied = True
    for find, replace in mutant["edits"]:
        if text.count(find) != 1:
            applied = False
            break
        text = text.replace(find, replace)
    if not applied:
        rows.append((mutant["name"], "NOT APPLIED: its text is not in the file exactly once"))
        print("%2d/%d %s: not applied" % (number, len(mutants), mutant["name"]), flush=True)
        continue
    open(path, "w", encoding="utf-8").write(text)
    try:
        compiled = subprocess.run(["cmake", "--build", build], stdin=subprocess.DEVNULL, capture_output=True, text=True)
        if compiled.returncode != 0:
            verdict = "KILLED by the compiler"
        else:
            code, failing = run_suites(mutant["suites"])
            verdict = "KILLED by " + ", ".join(failing[:4]) + (" and more" if len(failing) > 4 else "") if code else "SURVIVED"
    finally:
        open(path, "w", encoding="utf-8").write(original)
    killed += verdict.startswith("KILLED")
    rows.append((mutant["name"], verdict))
    print("%2d/%d %s: %s" % (number, len(mutants), mutant["name"], verdict), flush=True)
subprocess.run(["cmake", "--build", build], stdin=subprocess.DEVNULL, capture_output=True)

print("\n| Mutant | Fault | Result |\n|---|---|---|")
for (name, verdict), mutant in zip(rows, mutants):
    print("| %s | %s | %s |" % (name, mutant["why"], verdict))
print("\nScore: %d of %d mutants killed (%.0f %%)" % (killed, len(mutants), 100.0 * killed / max(len(mutants), 1)))
sys.exit(0 if killed == len(mutants) else 1)
PYTHON
