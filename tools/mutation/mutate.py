#!/usr/bin/env python3
"""Mutation testing for the C++ sources: one small fault at a time, then the unit tests.

Works on a separate clone with its own build folder, never on a developer's tree:
  mutate.py run --src CLONE --build BUILD --out results.jsonl --folders editor/genome ... \
                --total 100 --seed 13 [--timeout 120] [--jobs 2]
  mutate.py show --src CLONE --out results.jsonl ID      (a mutant as a diff)
  mutate.py recheck --src CLONE --build BUILD --out results.jsonl --into rechecked.jsonl
                                                         (the survivors again, after new tests)
  mutate.py summary --out results.jsonl

Configure BUILD with -DCMAKE_CXX_FLAGS=-D_GLIBCXX_ASSERTIONS, as the sanitizer build has, so that
a fault CI would abort on counts as caught. A mutant that does not compile is "stillborn" and not
counted. Each test run is limited to the test programs that link a library built from the mutated
folder.
"""
import argparse
import difflib
import json
import os
import random
import re
import subprocess
import sys

COMPARISONS = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="}
# Operators with spaces round them only: templates, includes and shifts stay out.
COMPARE_RE = re.compile(r"(?<=\s)(<=|>=|==|!=|<|>)(?=\s)")
LOGIC_RE = re.compile(r"(?<=\s)(&&|\|\|)(?=\s)")
BOOL_RE = re.compile(r"\b(true|false)\b")
INT_RE = re.compile(r"(?<![\w.])(\d+)(?![\w.'])")
DECL_RE = re.compile(r"^\s*(?:(?:const|constexpr|static|auto|unsigned|signed|struct|class|using|typedef|return|"
                     r"case|default|namespace|template|friend|virtual|explicit|inline)\b|[\w:<>,\s*&]+\s+[*&]*\w+\s*(?:=|\{|;|\(|\[))")
SKIP_LINE_RE = re.compile(r"^\s*(#|//|\*|/\*)|static_assert|\"")


def strip_comment(line):
    at = line.find("//")
    return line if at < 0 else line[:at]


def candidates(root, folder):
    """Every mutation site in the .cpp files of a folder: (file, line, column, kind, old, new)."""
    out = []
    base = os.path.join(root, folder)
    for name in sorted(os.listdir(base)):
        if not name.endswith(".cpp"):
            continue
        path = os.path.join(folder, name)
        in_block = False
        with open(os.path.join(root, path), encoding="utf-8") as f:
            lines = f.read().split("\n")
        for no, raw in enumerate(lines):
            if "/*" in raw and "*/" not in raw:
                in_block = True
            if in_block:
                in_block = "*/" not in raw
                continue
            if SKIP_LINE_RE.search(raw):
                continue
            code = strip_comment(raw)
            for m in COMPARE_RE.finditer(code):
                out.append((path, no, m.start(), "compare", m.group(1), COMPARISONS[m.group(1)]))
            for m in LOGIC_RE.finditer(code):
                out.append((path, no, m.start(), "logic", m.group(1), "||" if m.group(1) == "&&" else "&&"))
            for m in BOOL_RE.finditer(code):
                out.append((path, no, m.start(), "bool", m.group(1), "false" if m.group(1) == "true" else "true"))
            for m in INT_RE.finditer(code):
                if "[" in code[max(0, m.start() - 1):m.start()] and "]" in code[m.end():m.end() + 1]:
                    continue  # array sizes: a change is a compile error or a mere resize
                out.append((path, no, m.start(), "literal", m.group(1), str(int(m.group(1)) + 1)))
            stripped = code.strip()
            previous = lines[no - 1].rstrip() if no else ""
            if (stripped.endswith(";") and not DECL_RE.match(code) and stripped.count("(") == stripped.count(")")
                    and not stripped.startswith(("}", "{", "break", "continue"))
                    and not previous.endswith((",", "(", "=", "&&", "||", "?", ":", "<<", "+"))):
                out.append((path, no, 0, "drop", raw, ""))
    return out


def mutated(original, mutant):
    """The text of a file with the mutant in it."""
    lines = original.split("\n")
    line = lines[mutant["line"]]
    if mutant["kind"] == "drop":
        lines[mutant["line"]] = re.match(r"\s*", line).group(0) + ";  // dropped"
    else:
        col = mutant["column"]
        assert line[col:col + len(mutant["old"])] == mutant["old"], mutant
        lines[mutant["line"]] = line[:col] + mutant["new"] + line[col + len(mutant["old"]):]
    return "\n".join(lines)


def apply(root, mutant):
    """Writes the mutant into the clone; returns the original text for restoring."""
    path = os.path.join(root, mutant["file"])
    with open(path, encoding="utf-8") as f:
        original = f.read()
    with open(path, "w", encoding="utf-8") as f:
        f.write(mutated(original, mutant))
    return original


def linked_targets(build):
    """{executable or module: its link line} and the test programs built with the module's path, from Ninja."""
    links, module_users, current = {}, set(), None
    with open(os.path.join(build, "build.ninja")) as f:
        for line in f:
            m = re.match(r"build (\S+): C(?:XX)?_(?:EXECUTABLE|SHARED_LIBRARY|MODULE)_LINKER__(\w+)_[A-Za-z]+ ", line)
            if m:
                links[m.group(2)] = line
            elif "ZUBRELLE_MODULE_PATH" in line and current:
                module_users.add(current)
            m = re.match(r"build tests/\S+/CMakeFiles/(\w+)\.dir/", line)
            current = m.group(1) if m else (current if line.startswith(" ") else None)
    return links, module_users


def tests_linking(build, folder, links, module_users):
    """Test programs that link a library of the folder or load the module built with one; and what to build."""
    libs = [n for n in os.listdir(os.path.join(build, folder)) if n.endswith((".a", ".so"))]
    uses = {name for name, line in links.items() if any(folder + "/" + lib in line for lib in libs)}
    tests = {name for name in uses if links[name].startswith("build tests/")}
    if "Zubrelle" in uses:
        tests |= module_users
    return sorted(tests), sorted(tests | uses)  # programs the tests run are rebuilt too


def refuse_own_tree(src):
    if os.path.realpath(src) == os.path.realpath(os.path.join(os.path.dirname(__file__), "..", "..")):
        sys.exit("mutate.py: give it a clone of this tree, never the tree itself")


def trial(args, mutant, targets):
    """Builds and tests the tree with one mutant in it; the mutant gets its result."""
    path = mutant["file"]
    original = apply(args.src, mutant)
    try:
        names, build_targets = targets[os.path.dirname(path)]
        built = subprocess.run(["cmake", "--build", args.build, "-j", str(args.jobs), "--target"] + (build_targets or ["all"]),
                               capture_output=True)
        if built.returncode != 0:
            mutant["result"] = "stillborn"
        else:
            regex = "^(" + "|".join(names) + ")$" if names else ""
            cmd = ["ctest", "--test-dir", args.build, "-L", "unit", "--timeout", str(args.timeout),
                   "--stop-on-failure", "-j", str(args.jobs)] + (["-R", regex] if regex else [])
            tested = subprocess.run(cmd, capture_output=True, text=True)
            mutant["tests"] = names
            mutant["result"] = "killed" if tested.returncode != 0 else "survived"
    finally:
        with open(os.path.join(args.src, path), "w", encoding="utf-8") as f:
            f.write(original)
    return mutant


def record(out, mutant):
    with open(out, "a") as f:
        f.write(json.dumps(mutant) + "\n")
    print(f"{mutant['id']:3} {mutant['result']:9} {mutant['file']}:{mutant['line'] + 1} {mutant['kind']} "
          f"{mutant['old'].strip()!r} -> {mutant['new']!r}", flush=True)


def still_there(root, mutant):
    """True when the mutated text still stands where the mutant was taken from."""
    with open(os.path.join(root, mutant["file"]), encoding="utf-8") as f:
        lines = f.read().split("\n")
    if mutant["line"] >= len(lines):
        return False
    line = lines[mutant["line"]]
    if mutant["kind"] == "drop":
        return line == mutant["old"]
    return line[mutant["column"]:mutant["column"] + len(mutant["old"])] == mutant["old"]


def recheck(args):
    """The survivors of an earlier run tried again on the tree as it is now; the others are kept.
    A survivor whose code has gone is recorded as "gone" and not counted."""
    refuse_own_tree(args.src)
    with open(args.out) as f:
        rows = [json.loads(l) for l in f if l.strip()]
    open(args.into, "w").close()
    links, module_users = linked_targets(args.build)
    folders = {os.path.dirname(r["file"]) for r in rows}
    targets = {folder: tests_linking(args.build, folder, links, module_users) for folder in folders}
    for mutant in rows:
        if mutant["result"] == "survived":
            if still_there(args.src, mutant):
                mutant = trial(args, mutant, targets)
            else:
                mutant["result"] = "gone"
        record(args.into, mutant)
    subprocess.run(["cmake", "--build", args.build, "-j", str(args.jobs)], capture_output=True)
    args.out = args.into
    summary(args)


def run(args):
    refuse_own_tree(args.src)
    random.seed(args.seed)
    pool = []
    for folder in args.folders:
        pool += candidates(args.src, folder)
    chosen = random.sample(pool, min(args.total, len(pool)))
    done = set()
    if os.path.exists(args.out):
        with open(args.out) as f:
            done = {json.loads(l)["id"] for l in f if l.strip()}
    links, module_users = linked_targets(args.build)
    targets = {folder: tests_linking(args.build, folder, links, module_users) for folder in args.folders}
    for index, (path, line, column, kind, old, new) in enumerate(chosen):
        mutant = {"id": index, "seed": args.seed, "file": path, "line": line, "column": column, "kind": kind,
                  "old": old, "new": new}
        if index in done:
            continue
        record(args.out, trial(args, mutant, targets))
    subprocess.run(["cmake", "--build", args.build, "-j", str(args.jobs)], capture_output=True)
    summary(args)


def summary(args):
    with open(args.out) as f:
        rows = [json.loads(l) for l in f if l.strip()]
    count = {k: sum(r["result"] == k for r in rows) for k in ("stillborn", "gone", "killed", "survived")}
    live = count["killed"] + count["survived"]
    share = 100.0 * count["killed"] / live if live else 0.0
    print(f"mutants {len(rows)}  stillborn {count['stillborn']}  gone {count['gone']}  killed {count['killed']}  "
          f"survived {count['survived']}  killed {share:.1f}% of {live}")


def show(args):
    with open(args.out) as f:
        rows = {json.loads(l)["id"]: json.loads(l) for l in f if l.strip()}
    mutant = rows[args.id]
    with open(os.path.join(args.src, mutant["file"]), encoding="utf-8") as f:
        before = f.read()
    sys.stdout.writelines(difflib.unified_diff(before.splitlines(True), mutated(before, mutant).splitlines(True),
                                               "a/" + mutant["file"], "b/" + mutant["file"]))
    print(f"\n[{mutant['result']}]")


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    sub = parser.add_subparsers(dest="command", required=True)
    r = sub.add_parser("run")
    r.add_argument("--src", required=True)
    r.add_argument("--build", required=True)
    r.add_argument("--out", required=True)
    r.add_argument("--folders", nargs="+", required=True)
    r.add_argument("--total", type=int, default=100)
    r.add_argument("--seed", type=int, default=13)
    r.add_argument("--timeout", type=int, default=120)
    r.add_argument("--jobs", type=int, default=2)
    s = sub.add_parser("show")
    s.add_argument("--src", required=True)
    s.add_argument("--out", required=True)
    s.add_argument("id", type=int)
    c = sub.add_parser("recheck")
    c.add_argument("--src", required=True)
    c.add_argument("--build", required=True)
    c.add_argument("--out", required=True)
    c.add_argument("--into", required=True)
    c.add_argument("--timeout", type=int, default=120)
    c.add_argument("--jobs", type=int, default=2)
    m = sub.add_parser("summary")
    m.add_argument("--out", required=True)
    args = parser.parse_args()
    {"run": run, "recheck": recheck, "show": show, "summary": summary}[args.command](args)


if __name__ == "__main__":
    main()
