#!/usr/bin/env python3
"""Mechanical mutants of the code of AutoRun/, Zyr/ and TalmoObjects/: every fault of a few
simple kinds that the mutator can make, a seeded sample of them spread over the files by
their size, and a run of that sample against the suites.
  mutate.py list <sources> [file ...]            every mutant, one per line
  mutate.py run <sources> <build> --seed S --count N [--from A] [--to B] [--table FILE]
                                                  run sample entries A..B-1 (default all N)

A run builds each mutant into <sources> (a scratch copy: tools/mutation-check.sh --sample
makes it) and runs every ctest entry of <build> whose programs are built from the changed
file: first those of <build> itself, cheapest first, then those of the other trees
(AUTORUN_I686_BUILDS, AUTORUN_HOST_BUILDS), each built only as far as those programs need.
The entries left out would run exactly the programs they run without the mutant. The file
is put back before the next mutant. Mutants that tools/mutants-equivalent.txt lists are not
run: the program cannot behave differently with them.
"""
import argparse, json, os, random, re, subprocess, sys, time

FOLDERS = ("AutoRun", "Zyr", "TalmoObjects")
EQUIVALENT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "mutants-equivalent.txt")
# Entries that check the sources rather than the program: a mutant trips them whatever it does.
NOT_SUITES = re.compile(r"^(MutantsStillApply|FormatIsApplied)$")
KEYWORDS = {"return", "delete", "throw", "case", "default", "else", "if", "for", "while", "switch", "do",
            "new", "static_assert", "using", "typedef", "goto", "sizeof", "template", "namespace"}

# --- Reading C++: the code of each line with comments and literals blanked out -----------

def code_lines(text):
    """Each line with comments, string and character literals replaced by spaces (columns kept)."""
    out, in_block = [], False
    for line in text.split("\n"):
        chars, i = list(line), 0
        while i < len(line):
            if in_block:
                end = line.find("*/", i)
                stop = len(line) if end < 0 else end + 2
                chars[i:stop] = " " * (stop - i)
                in_block, i = end < 0, stop
            elif line.startswith("//", i):
                chars[i:] = " " * (len(line) - i)
                break
            elif line.startswith("/*", i):
                in_block = True
            elif line[i] in "\"'" and not (line[i] == "'" and i and line[i - 1].isalnum()):  # 1'000 is a number
                quote, j = line[i], i + 1
                while j < len(line) and line[j] != quote:
                    j += 2 if line[j] == "\\" else 1
                chars[i + 1:j] = " " * (min(j, len(line)) - i - 1)
                i = j + 1
            else:
                i += 1
        out.append("".join(chars))
    return out

def closing(code, start):
    """The index of the bracket that closes the one at `start` on the same line, or -1."""
    depth = 0
    for i in range(start, len(code)):
        depth += {"(": 1, "[": 1, "{": 1, ")": -1, "]": -1, "}": -1}.get(code[i], 0)
        if depth == 0:
            return i
    return -1

def top_level_commas(code, start, end):
    depth, commas = 0, []
    for i in range(start, end):
        c = code[i]
        depth += 1 if c in "([{" else -1 if c in ")]}" else 0
        if c == "," and depth == 0:
            commas.append(i)
    return commas

# --- The kinds of mutant ------------------------------------------------------------------

ORDERING = ["<", "<=", ">", ">="]
ARITHMETIC = {"+": "-", "-": "+", "*": "/", "/": "*", "%": "/", "+=": "-=", "-=": "+="}

def statement_start(codes, n):
    """Whether line n starts a statement: the code before it ends one or opens a body."""
    for k in range(n - 1, -1, -1):
        prev = codes[k].strip()
        if not prev or prev.startswith("#"):
            continue
        return prev[-1] in ";{}:" or re.match(r"^(\} )?(else|if|for|while)\b.*\)?$", prev) is not None
    return True

def next_code(codes, n):
    for k in range(n + 1, len(codes)):
        text = codes[k].strip()
        if text and not text.startswith("#"):
            return text
    return ""

def whole_statement(code):
    """The statement that fills the line alone, if it does (balanced, ends with ';')."""
    text = code.strip()
    if not text.endswith(";") or text.count("(") != text.count(")") or text.count("{") != text.count("}"):
        return None
    return text

def mutants_of_line(codes, n, line, own_class=None):
    code = codes[n]
    stripped = code.strip()
    if not stripped or stripped.startswith("#") or "static_assert" in code or stripped.startswith("template"):
        return
    indent = len(code) - len(code.lstrip())

    def at(col, old, new, kind):
        return (n, col, old, new, kind)

    for m in re.finditer(r"(?<= )(<=|>=|==|!=|<|>)(?= )", code):
        op = m.group(1)
        for new in (["!="] if op == "==" else ["=="] if op == "!=" else [o for o in ORDERING if o != op]):
            yield at(m.start(), op, new, "relational")
    for m in re.finditer(r"(?<= )(\+=|-=|\+|-|\*|/|%)(?= )", code):
        yield at(m.start(), m.group(1), ARITHMETIC[m.group(1)], "arithmetic")
    for m in re.finditer(r"(?<= )(&&|\|\|)(?= )", code):
        yield at(m.start(), m.group(1), "||" if m.group(1) == "&&" else "&&", "logical")
    for m in re.finditer(r"\b(if|while) \(", code):
        open_at = m.end() - 1
        close = closing(code, open_at)
        if close > 0:
            condition = line[open_at + 1:close]
            yield at(open_at + 1, condition, "!(" + condition + ")", "negated")
    for m in re.finditer(r"(?<![\w.'])(0[xX][0-9A-Fa-f]+|\d+)([uUlL]*)(?![\w.'])", code):
        if re.search(r"\)( const)?( noexcept)? = $", code[:m.start()]):
            continue  # "= 0" that makes a function pure is no number
        digits, value = m.group(1), int(m.group(1), 0)
        hexa = digits.lower().startswith("0x")
        for new in (value + 1, value - 1):
            if new < 0 and (hexa or m.group(2)):
                continue
            text = ("0x%X" % new if hexa else str(new)) + m.group(2)
            yield at(m.start(), m.group(0), text, "constant")
    for m in re.finditer(r"\b(true|false)\b", code):
        yield at(m.start(), m.group(1), "false" if m.group(1) == "true" else "true", "boolean")

    statement = whole_statement(code)
    if statement and statement_start(codes, n):
        first = re.match(r"[A-Za-z_][\w:]*", statement)
        callee = re.match(r"^[A-Za-z_][\w:]*(?:(?:\.|->)[A-Za-z_]\w*)*(?:<[\w:, *&]*>)?\(.*\);$", statement)
        if callee and first.group(0) not in KEYWORDS | {"__declspec"} and first.group(0).lstrip("~") != own_class:
            yield at(indent, line[indent:indent + len(statement)], ";", "call removed")
        elif re.match(r"^return\b", statement):
            yield at(indent, line[indent:indent + len(statement)], ";", "return removed")
        elif statement == "break;":
            label_next = re.match(r"^(case\b|default:)", next_code(codes, n))
            yield at(indent, "break;", "[[fallthrough]];" if label_next else ";", "break removed")
    label = re.match(r"^(case\b.*|default):", stripped)
    # A label whose statement is already a break does nothing to skip.
    if label and closing_label(code) > 0 and not code[closing_label(code) + 1:].strip().startswith("break;"):
        col = closing_label(code)
        yield at(col + 1, "", " break;", "case skipped")

    for m in re.finditer(r"[A-Za-z_][\w:]*\(", code):
        name = m.group(0)[:-1]
        if name in KEYWORDS or name.split("::")[-1] in SYMMETRIC or declared(code[:m.start()]):
            continue
        open_at = m.end() - 1
        close = closing(code, open_at)
        if close < 0:
            continue
        commas = top_level_commas(code, open_at + 1, close)
        bounds = [open_at] + commas + [close]
        args = [line[bounds[i] + 1:bounds[i + 1]] for i in range(len(bounds) - 1)]
        for i in range(len(args) - 1):
            a, b = args[i].strip(), args[i + 1].strip()
            if a == b or not a or not b:
                continue
            old = line[bounds[i] + 1:bounds[i + 2]]
            lead_a = args[i][:len(args[i]) - len(args[i].lstrip())]
            lead_b = args[i + 1][:len(args[i + 1]) - len(args[i + 1].lstrip())]
            new = lead_a + b + "," + lead_b + a
            yield at(bounds[i] + 1, old, new, "arguments swapped")

# Functions whose arguments may change places without changing the result.
SYMMETRIC = {"max", "min"}

def declared(before):
    """Whether the text before a name and its '(' declares it (a type comes first) rather than
    calls it: then its parentheses hold parameters."""
    words = before.split()
    return bool(words) and words[0] not in KEYWORDS and re.match(r"^\s*([\w:<>,*&]+\s+)+$", before) is not None

def closing_label(code):
    """The column of the colon that ends a case label (not a '::')."""
    for m in re.finditer(r"(?<!:):(?!:)", code):
        return m.start()
    return -1

class Mutant:
    def __init__(self, path, number, col, old, new, kind, line):
        self.path, self.number, self.col, self.old, self.new, self.kind = path, number, col, old, new, kind
        self.line = line
        self.mutated = line[:col] + new + line[col + len(old):]

    def key(self):
        return (self.path, self.line.strip(), self.mutated.strip())

    def __str__(self):
        shown = self.mutated.strip() if self.new != ";" else "(gone) " + self.old
        return "%s:%d %s: %s" % (self.path, self.number, self.kind, shown)

def source_files(root):
    files = []
    for folder in FOLDERS:
        for base, _, names in os.walk(os.path.join(root, folder)):
            for name in names:
                if name.endswith((".cpp", ".h")):
                    files.append(os.path.relpath(os.path.join(base, name), root))
    return sorted(files)

def mutants_of_file(root, path):
    lines = open(os.path.join(root, path), encoding="utf-8").read().split("\n")
    codes = code_lines("\n".join(lines))
    found = []
    for n, line in enumerate(lines):
        # "CName();" in the class's own header declares its constructor; it calls nothing.
        own_class = "C" + os.path.splitext(os.path.basename(path))[0]
        for (_, col, old, new, kind) in mutants_of_line(codes, n, line, own_class):
            if line[col:col + len(old)] == old and old != new:
                found.append(Mutant(path, n + 1, col, old, new, kind, line))
    return found, len(lines)

def sample(root, seed, count):
    """N mutants: a file drawn with a weight of its lines, then one of its mutants at random."""
    pools = {}
    for path in source_files(root):
        found, size = mutants_of_file(root, path)
        if found:
            pools[path] = (size, found)
    rng = random.Random(seed)
    chosen = []
    while len(chosen) < count and pools:
        paths = sorted(pools)
        path = rng.choices(paths, weights=[pools[p][0] for p in paths])[0]
        found = pools[path][1]
        chosen.append(found.pop(rng.randrange(len(found))))
        if not found:
            del pools[path]
    return chosen

def read_equivalent(path=EQUIVALENT):
    """The listed equivalent mutants: (file, line, mutated line) -> (why, the line before it
    when the entry names one, for a line that is not alone of its kind in its file)."""
    listed, block = {}, {}
    for raw in open(path, encoding="utf-8").read().split("\n") + [""]:
        if raw.startswith("#"):
            continue
        if not raw.strip():
            if block:
                listed[(block["file"], block["line"], block["mutant"])] = (block["why"], block.get("before"))
            block = {}
            continue
        key, _, value = raw.partition(": ")
        block[key] = value.strip()
    return listed

def line_before(mutant, sources):
    lines = open(os.path.join(sources, mutant.path), encoding="utf-8").read().split("\n")
    earlier = [line.strip() for line in lines[:mutant.number - 1] if line.strip()]
    return earlier[-1] if earlier else ""

def judged_equivalent(mutant, sources):
    """Why the mutant is equivalent, from the list read now; or None."""
    listed = read_equivalent().get(mutant.key())
    if listed is None or (listed[1] is not None and listed[1] != line_before(mutant, sources)):
        return None
    return listed[0]

# --- Which suites reach which file ---------------------------------------------------------

def suites_reaching(trees):
    """For each ctest entry that runs programs built in one of the trees: the programs (as
    (tree, target) pairs) and the sources and headers they are made of."""
    shown = json.loads(subprocess.run(["ctest", "--test-dir", trees[-1], "--show-only=json-v1"],
                                      capture_output=True, text=True, check=True).stdout)
    headers = {tree: headers_of(tree) for tree in trees}
    made_of = {}
    suites = {}
    for test in shown["tests"]:
        if NOT_SUITES.match(test["name"]):
            continue
        programs = [(tree, os.path.relpath(word, tree)) for word in test.get("command", []) for tree in trees
                    if word.startswith(tree + "/") and os.path.isfile(word) and os.access(word, os.X_OK)]
        reached = set()
        for tree, program in programs:
            if (tree, program) not in made_of:
                inputs = subprocess.run(["ninja", "-C", tree, "-t", "inputs", program],
                                        capture_output=True, text=True).stdout.split()
                parts = set()
                for item in inputs:
                    parts.add(os.path.realpath(item if os.path.isabs(item) else os.path.join(tree, item)))
                    parts |= headers[tree].get(item, set())
                made_of[(tree, program)] = parts
            reached |= made_of[(tree, program)]
        if programs:
            suites[test["name"]] = (programs, reached)
    return suites

def headers_of(tree):
    """Each object file of the tree and the headers it was compiled with."""
    headers, current = {}, None
    for row in subprocess.run(["ninja", "-C", tree, "-t", "deps"], capture_output=True, text=True).stdout.split("\n"):
        if row and not row.startswith(" "):
            current = row.split(":")[0]
        elif row.strip() and current:
            headers.setdefault(current, set()).add(os.path.realpath(row.strip()))
    return headers

def cost_of(build):
    costs = {}
    path = os.path.join(build, "Testing", "Temporary", "CTestCostData.txt")
    if os.path.exists(path):
        for row in open(path):
            parts = row.split()
            if len(parts) == 3:
                costs[parts[0]] = float(parts[2])
    return costs

# A suite that takes longer than this runs beside the other long ones instead of alone.
LONG_SUITE_SECONDS = 60

def ctest(build, names, jobs=1):
    return ctest_matching(build, "^(" + "|".join(re.escape(n) for n in names) + ")$", jobs)

def ctest_matching(build, regex, jobs=1):
    """ctest's code, the entries that failed, the test cases that failed, and whether any
    entry ran out of time."""
    result = subprocess.run(["ctest", "--test-dir", build, "-R", regex, "--output-on-failure", "--timeout", "600",
                             "-j%d" % jobs],
                            stdin=subprocess.DEVNULL, capture_output=True, text=True, errors="replace")
    failed_entries = re.findall(r"\d+ - ([\w.]+) \(([^)]*)\)", result.stdout)
    cases = sorted(set(c for c in re.findall(r"\[  FAILED  \] ([\w/.]+)", result.stdout) if not c.isdigit()))
    timed_out = any(kind == "Timeout" for _, kind in failed_entries)
    return result.returncode, [e for e, _ in failed_entries], cases, timed_out

def verdict_of(code, entries, cases, timed_out):
    if code == 0:
        return None
    if timed_out:
        return "TIMED OUT (%s)" % ", ".join(entries)
    caught = cases or entries
    return "KILLED by " + ", ".join(caught[:3]) + (" and more" if len(caught) > 3 else "")

def build_programs(programs):
    """Builds the programs, tree by tree; whether all of them built."""
    for tree in sorted({tree for tree, _ in programs}):
        targets = sorted({program for t, program in programs if t == tree})
        if subprocess.run(["ninja", "-C", tree] + targets, stdin=subprocess.DEVNULL,
                          capture_output=True, text=True).returncode != 0:
            return False
    return True

def run_one(mutant, sources, build, suites, costs):
    """The verdict on one mutant. The suites whose programs are built from the changed file run
    one at a time, cheapest first, those of the x86_64 tree before the others; an entry whose
    programs are not built from it runs what it ran without the mutant, and is not run."""
    path = os.path.join(sources, mutant.path)
    original = open(path, encoding="utf-8").read()
    lines = original.split("\n")
    lines[mutant.number - 1] = mutant.mutated
    open(path, "w", encoding="utf-8").write("\n".join(lines))
    try:
        target = os.path.realpath(path)
        fitting = [n for n, (_, reached) in suites.items() if target in reached]
        if not fitting:
            return "REACHED BY NO SUITE"
        here = lambda name: all(tree == build for tree, _ in suites[name][0])
        # The other trees' suites run the launcher as it ships, which their trees name.
        shipped = [(os.path.realpath(tree), program) for tree, _, program in
                   (entry.partition("@") for entry in os.environ.get("AUTORUN_I686_BUILDS", "").split()) if program]
        for number, group in enumerate(([n for n in fitting if here(n)], [n for n in fitting if not here(n)])):
            if not group:
                continue
            if not build_programs([p for n in group for p in suites[n][0]] + (shipped if number else [])):
                return "DOES NOT BUILD"
            # The cheap suites one at a time, as most mutants fall to the first; the long ones
            # then side by side, as CI runs them, which halves what a survivor costs.
            ordered = sorted(group, key=lambda n: costs.get(n, 60))
            cheap = [n for n in ordered if costs.get(n, 60) < LONG_SUITE_SECONDS]
            runs = [[name] for name in cheap] + [[n for n in ordered if n not in cheap]]
            for names in filter(None, runs):
                verdict = verdict_of(*ctest(build, names, jobs=2 if len(names) > 1 else 1))
                if verdict:
                    return verdict
        return "SURVIVED"
    finally:
        open(path, "w", encoding="utf-8").write(original)

def diff_of(mutant):
    return "`%s` → `%s`" % (mutant.line.strip().replace("|", "\\|"), mutant.mutated.strip().replace("|", "\\|"))

def kept_sample(sources, seed, count, keep):
    """The sample, drawn once and kept in `keep`, so that the parts of a sample run on
    different days test the same mutants even after the code has changed; a kept mutant
    whose line is no longer as it was is run as it now fits, or reported stale."""
    if keep and os.path.exists(keep):
        rows = json.load(open(keep, encoding="utf-8"))
        if rows["seed"] == seed and rows["count"] == count:
            return [Mutant(*row) for row in rows["mutants"]]
    chosen = sample(sources, seed, count)
    if keep:
        rows = [[m.path, m.number, m.col, m.old, m.new, m.kind, m.line] for m in chosen]
        json.dump({"seed": seed, "count": count, "mutants": rows}, open(keep, "w", encoding="utf-8"), indent=0)
    return chosen

def still_fits(mutant, sources):
    """The kept mutant at its line now, found by its line's text when lines moved; or None."""
    lines = open(os.path.join(sources, mutant.path), encoding="utf-8").read().split("\n")
    if mutant.number <= len(lines) and lines[mutant.number - 1] == mutant.line:
        return mutant
    where = [n for n, line in enumerate(lines, 1) if line == mutant.line]
    if len(where) != 1:
        return None
    return Mutant(mutant.path, where[0], mutant.col, mutant.old, mutant.new, mutant.kind, mutant.line)

def run(args):
    keep = os.path.join(os.path.dirname(os.path.realpath(args.build)), "sample-%d-%d.json" % (args.seed, args.count))
    chosen = kept_sample(args.sources, args.seed, args.count, keep)
    first, last = args.start, min(args.to or args.count, len(chosen))
    print("Sample: seed %d, %d mutants; running %d to %d" % (args.seed, len(chosen), first, last - 1), flush=True)
    build = os.path.realpath(args.build)
    others = [os.path.realpath(tree.partition("@")[0])
              for tree in (os.environ.get("AUTORUN_I686_BUILDS", "") + " " + os.environ.get("AUTORUN_HOST_BUILDS", "")).split()]
    suites = suites_reaching(others + [build])
    # A suite that fails without a mutant would kill every mutant. This run also times every
    # suite for ctest, which is how the runs below know the cheap ones.
    code, baseline, _, _ = ctest(build, list(suites), jobs=2)
    if code != 0:
        print("The unchanged sources do not pass: " + ", ".join(baseline or ["ctest"]))
        return 2
    costs = cost_of(build)
    rows = []
    for index in range(first, last):
        fitted = still_fits(chosen[index], args.sources)
        mutant = fitted or chosen[index]
        started = time.time()
        why = judged_equivalent(mutant, args.sources)  # read again: a long run meets judgements made meanwhile
        if why:
            verdict = "EQUIVALENT: " + why
        elif fitted is None:
            verdict = "STALE: the line is no longer in the file once"
        else:
            verdict = run_one(mutant, args.sources, build, suites, costs)
        rows.append((index, mutant, verdict))
        print("%3d %s — %s (%.0f s)" % (index, mutant, verdict, time.time() - started), flush=True)
    table = ["| # | Kind | Place | Change | Result |", "|---|---|---|---|---|"]
    for index, mutant, verdict in rows:
        table.append("| %d | %s | %s:%d | %s | %s |" % (index, mutant.kind, mutant.path, mutant.number, diff_of(mutant), verdict))
    counted = [v for _, _, v in rows if v.startswith(("KILLED", "TIMED OUT", "SURVIVED"))]
    caught = sum(1 for v in counted if not v.startswith("SURVIVED"))
    table.append("")
    table.append("Seed %d, entries %d–%d: %d caught of %d that built and are not equivalent (%.0f %%)"
                 % (args.seed, first, last - 1, caught, len(counted), 100.0 * caught / max(len(counted), 1)))
    print("\n" + "\n".join(table))
    if args.table:
        open(args.table, "a", encoding="utf-8").write("\n".join(table) + "\n\n")
    return 0

def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    commands = parser.add_subparsers(dest="command", required=True)
    listing = commands.add_parser("list")
    listing.add_argument("sources")
    listing.add_argument("files", nargs="*")
    running = commands.add_parser("run")
    running.add_argument("sources")
    running.add_argument("build")
    running.add_argument("--seed", type=int, required=True)
    running.add_argument("--count", type=int, required=True)
    running.add_argument("--from", dest="start", type=int, default=0)
    running.add_argument("--to", type=int, default=0)
    running.add_argument("--table")
    args = parser.parse_args()
    if args.command == "list":
        total = 0
        for path in args.files or source_files(args.sources):
            found, _ = mutants_of_file(args.sources, path)
            total += len(found)
            for mutant in found:
                print(mutant)
        print("%d mutants" % total, file=sys.stderr)
        return 0
    return run(args)

if __name__ == "__main__":
    sys.exit(main())
