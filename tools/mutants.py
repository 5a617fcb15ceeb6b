#!/usr/bin/env python3
"""The mutants of tools/mutants.txt.
  mutants.py check <listing> <sources>                  every mutant's text is in its file once, and every
                                                        mechanical one judged equivalent is still made
  mutants.py run <listing> <sources> <build> [name ...]  build each mutant in, run its suites, print the table
"""
import os, subprocess, sys

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

def run_suites(build, regex):
    """ctest's code, and the test cases that failed (else the entries)."""
    from mutate import ctest_matching
    code, entries, cases, _ = ctest_matching(build, regex)
    return code, cases or entries

def builds_for(mutant, build):
    """The build trees a mutant must be built in: the i686 ones too (AUTORUN_I686_BUILDS,
    each "<tree>" or "<tree>@<target>") when its suites are i686 ones, and the host's
    (AUTORUN_HOST_BUILDS) when they are the host's "native." ones."""
    suites = mutant.get("suites", "")
    extra = os.environ.get("AUTORUN_I686_BUILDS", "").split() if "i686" in suites else []
    extra += os.environ.get("AUTORUN_HOST_BUILDS", "").split() if "native." in suites else []
    return extra + [build]

def build_all(builds):
    """Builds each tree in turn; the result of the first that fails, else of the last."""
    for tree in builds:
        folder, _, target = tree.partition("@")
        command = ["cmake", "--build", folder] + (["--target", target] if target else [])
        compiled = subprocess.run(command, stdin=subprocess.DEVNULL, capture_output=True, text=True)
        if compiled.returncode != 0:
            break
    return compiled

def mutated(mutant, source):
    """The file's path, its text and its text with the mutant built in (None when it does not apply)."""
    path = source + "/" + mutant["file"]
    original = open(path, encoding="utf-8").read()
    text = original
    for find, replace in mutant["edits"]:
        if text.count(find) != 1:
            return path, original, None
        text = text.replace(find, replace)
    return path, original, text

def check(listing, source):
    stale = [m["name"] for m in read_mutants(listing) if mutated(m, source)[2] is None]
    for name in stale:
        print("Mutant %s does not apply: its text is not in its file exactly once" % name)
    # The mechanical mutants judged equivalent must still be ones the mutator makes, or the
    # list would excuse lines that no longer exist.
    from mutate import read_equivalent, mutants_of_file
    made = {}
    for (path, line, mutant) in read_equivalent():
        if path not in made:
            made[path] = {m.key() for m in mutants_of_file(source, path)[0]} if os.path.exists(source + "/" + path) else set()
        if (path, line, mutant) not in made[path]:
            print("Equivalent mutant %s: %s no longer fits the code" % (path, mutant))
            stale.append(path)
    return 1 if stale else 0

def run(listing, source, build, chosen):
    mutants = [m for m in read_mutants(listing) if not chosen or m["name"] in chosen]
    everything = "|".join(sorted({m["suites"] for m in mutants if m["suites"] != "the build"}))
    code, failing = run_suites(build, everything)
    if code != 0:
        print("The unchanged sources do not pass the suites: " + ", ".join(failing))
        return 2

    rows, killed = [], 0
    for number, mutant in enumerate(mutants, 1):
        path, original, text = mutated(mutant, source)
        if text is None:
            rows.append((mutant["name"], "NOT APPLIED: its text is not in the file exactly once"))
            print("%2d/%d %s: not applied" % (number, len(mutants), mutant["name"]), flush=True)
            continue
        open(path, "w", encoding="utf-8").write(text)
        try:
            compiled = build_all(builds_for(mutant, build))
            if compiled.returncode != 0:
                # A mutant that does not build proves nothing about the tests, unless the
                # fault is one the build itself is meant to catch (a compile-time check).
                verdict = ("KILLED by the build" if mutant.get("suites") == "the build"
                           else "DOES NOT BUILD: fix the mutant")
            else:
                code, failing = run_suites(build, mutant["suites"])
                verdict = "KILLED by " + ", ".join(failing[:4]) + (" and more" if len(failing) > 4 else "") if code else "SURVIVED"
        finally:
            open(path, "w", encoding="utf-8").write(original)
        killed += verdict.startswith("KILLED")
        rows.append((mutant["name"], verdict))
        print("%2d/%d %s: %s" % (number, len(mutants), mutant["name"], verdict), flush=True)
    build_all(builds_for({"suites": "i686"}, build))

    print("\n| Mutant | Fault | Result |\n|---|---|---|")
    for (name, verdict), mutant in zip(rows, mutants):
        print("| %s | %s | %s |" % (name, mutant["why"], verdict))
    print("\nScore: %d of %d mutants killed (%.0f %%)" % (killed, len(mutants), 100.0 * killed / max(len(mutants), 1)))
    return 0 if killed == len(mutants) else 1

if __name__ == "__main__":
    if sys.argv[1] == "check":
        sys.exit(check(sys.argv[2], sys.argv[3]))
    sys.exit(run(sys.argv[2], sys.argv[3], sys.argv[4], sys.argv[5:]))
