#!/usr/bin/env python3
"""Mutation testing of the rules of play and the level code.

Plants one-line faults in game/ and levels/ (one at a time), rebuilds the
native tests that cover them and reports the faults no test noticed.

  tools/mutate.py list                      # every mutant, numbered
  tools/mutate.py run [--sample N] [--seed S] [--only FILE] [--cpp-only] [--jobs J]
                      [--work DIR] [--ids 3,17,...]

A mutant is "killed" when a test fails or runs past the time limit,
"stillborn" when it does not compile (not counted), "survived" otherwise.
The work happens in a copy of the sources (--work, default
/tmp/corvale-mutate), so the checkout is never left mutated.

Mutations follow the project's formatting: binary operators are written
with a space on each side, so " < " is a comparison and never a template
bracket, " * " a product and never a pointer.
"""
import argparse
import os
import random
import re
import shutil
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
FOLDERS = ("game", "levels")

# Tests that exercise each folder: (build targets, ctest name pattern).
GAME_TESTS = (["game_tests", "headless_advance_test"], "^(game_tests|headless_advance_test)$")
LEVEL_TESTS = (
    ["game_tests", "level_reader_test", "board_text_test", "board_rules_test", "corvale_board_check",
     "corvale_board_compile", "corvale_board_decompile"],
    "^(game_tests|level_reader_test|board_text_test|board_rules_test|board_set_check|board_set_reproducible)$",
)

# Operator swaps: what is written -> what it becomes.
SWAPS = {
    " < ": [" <= "], " <= ": [" < "], " > ": [" >= "], " >= ": [" > "],
    " == ": [" != "], " != ": [" == "],
    " + ": [" - "], " - ": [" + "], " * ": [" / "], " / ": [" * "],
    " && ": [" || "], " || ": [" && "],
    " += ": [" -= "], " -= ": [" += "],
    "true": ["false"], "false": ["true"],
}
SWAP_PATTERN = re.compile(r" (?:<=|>=|==|!=|&&|\|\||\+=|-=|[<>+\-*/]) |\btrue\b|\bfalse\b")
NUMBER_PATTERN = re.compile(r"(?<![\w.])(\d+\.\d+|\d+)(?:u|ull|ul|f)?(?![\w.])")


def mask(line):
    """The line with comments, string and character literals blanked out."""
    out, i, quote = [], 0, None
    while i < len(line):
        c = line[i]
        if quote:
            if c == "\\":
                out.append("  ")
                i += 2
                continue
            out.append(" ")
            if c == quote:
                quote = None
        elif c in "\"'":
            quote = c
            out.append(" ")
        elif line.startswith("//", i):
            out.append(" " * (len(line) - i))
            break
        else:
            out.append(c)
        i += 1
    return "".join(out)[: len(line)]


def skip_line(stripped):
    return (not stripped or stripped.startswith(("#", "//", "*", "/*", "static_assert", "namespace", "template",
                                                 "using ", "}")))


def bump_number(text):
    """An off-by-one of the literal: the last digit up by one (0..8) or 9 -> 8."""
    d = text[-1]
    return text[:-1] + (str(int(d) + 1) if d != "9" else "8")


def mutants_of(path):
    rel = os.path.relpath(path, ROOT)
    with open(path) as f:
        lines = f.read().split("\n")
    result = []
    for n, line in enumerate(lines):
        if skip_line(line.strip()):
            continue
        masked = mask(line)
        for m in SWAP_PATTERN.finditer(masked):
            for repl in SWAPS[m.group(0)]:
                result.append((rel, n, m.start(), m.group(0), repl))
        for m in NUMBER_PATTERN.finditer(masked):
            # Array sizes and the like in declarations are left alone: they rarely change behaviour.
            if "[" in masked[: m.start()] and masked.strip().startswith(("std::array", "constexpr std::array")):
                continue
            result.append((rel, n, m.start(1), m.group(1), bump_number(m.group(1))))
    return result


def all_mutants():
    items = []
    for folder in FOLDERS:
        for name in sorted(os.listdir(os.path.join(ROOT, folder))):
            if name.endswith(".cpp") or name.endswith(".h"):
                items.extend(mutants_of(os.path.join(ROOT, folder, name)))
    return items


def describe(m, lines=None):
    rel, n, col, old, new = m
    return f"{rel}:{n + 1}:{col + 1}: '{old.strip()}' -> '{new.strip()}'"


def run(cmd, cwd, timeout):
    try:
        p = subprocess.run(cmd, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=timeout)
        return p.returncode, p.stdout.decode(errors="replace")
    except subprocess.TimeoutExpired:
        return None, "timed out"


def prepare(work, jobs):
    src = os.path.join(work, "src")
    build = os.path.join(work, "build")
    if os.path.exists(src):
        shutil.rmtree(src)
    shutil.copytree(ROOT, src, ignore=shutil.ignore_patterns("build", ".git"))
    env = dict(os.environ)
    for k in ("CMAKE_CXX_COMPILER_LAUNCHER", "CMAKE_C_COMPILER_LAUNCHER"):
        env.pop(k, None)  # mutants are one-off objects: nothing to share
    subprocess.run(["cmake", "-S", src, "-B", build, "-DCMAKE_BUILD_TYPE=Release", "-DCORVALE_BENCH=OFF"],
                   check=True, stdout=subprocess.DEVNULL, env=env)
    targets = sorted(set(GAME_TESTS[0] + LEVEL_TESTS[0]))
    subprocess.run(["cmake", "--build", build, "-j", str(jobs), "--target"] + targets, check=True,
                   stdout=subprocess.DEVNULL)
    return src, build


def test_mutant(m, src, build, jobs, test_timeout):
    rel, n, col, old, new = m
    path = os.path.join(src, rel)
    with open(path) as f:
        original = f.read()
    lines = original.split("\n")
    line = lines[n]
    assert line[col:col + len(old)] == old, describe(m)
    lines[n] = line[:col] + new + line[col + len(old):]
    targets, pattern = GAME_TESTS if rel.startswith("game/") else LEVEL_TESTS
    try:
        with open(path, "w") as f:
            f.write("\n".join(lines))
        code, _ = run(["cmake", "--build", build, "-j", str(jobs), "--target"] + targets, src, 900)
        if code != 0:
            return "stillborn"
        code, output = run(["ctest", "--test-dir", build, "-R", pattern, "--timeout", str(test_timeout)], src,
                           test_timeout * 6)
        if code == 0 and "tests passed" not in output:
            raise RuntimeError("no test ran for " + describe(m) + ":\n" + output)
        return "survived" if code == 0 else "killed"
    finally:
        with open(path, "w") as f:
            f.write(original)
        # Back-date nothing: the restored file is newer, so the next build recompiles it.


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("command", choices=["list", "run"])
    ap.add_argument("--sample", type=int, default=0, help="test a random sample of this many mutants")
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--only", default="", help="only mutants in files whose path contains this text")
    ap.add_argument("--cpp-only", action="store_true",
                    help="leave headers alone (a header mutant rebuilds nearly everything)")
    ap.add_argument("--ids", default="", help="comma-separated mutant numbers from 'list'")
    ap.add_argument("--jobs", type=int, default=2)
    ap.add_argument("--timeout", type=int, default=60, help="seconds per test executable")
    ap.add_argument("--work", default="/tmp/corvale-mutate")
    args = ap.parse_args()

    mutants = list(enumerate(all_mutants()))
    if args.only:
        mutants = [(i, m) for i, m in mutants if args.only in m[0]]
    if args.cpp_only:
        mutants = [(i, m) for i, m in mutants if m[0].endswith(".cpp")]
    if args.command == "list":
        for i, m in mutants:
            print(i, describe(m))
        print(f"{len(mutants)} mutants", file=sys.stderr)
        return 0
    if args.ids:
        wanted = {int(x) for x in args.ids.split(",")}
        mutants = [(i, m) for i, m in mutants if i in wanted]
    elif args.sample and args.sample < len(mutants):
        mutants = sorted(random.Random(args.seed).sample(mutants, args.sample))

    src, build = prepare(args.work, args.jobs)
    counts = {"killed": 0, "survived": 0, "stillborn": 0}
    started = time.time()
    for k, (i, m) in enumerate(mutants):
        outcome = test_mutant(m, src, build, args.jobs, args.timeout)
        counts[outcome] += 1
        print(f"[{k + 1}/{len(mutants)}] {outcome:9} #{i} {describe(m)}", flush=True)
    # Leave the copy built from clean sources.
    subprocess.run(["cmake", "--build", build, "-j", str(args.jobs), "--target"] + sorted(set(GAME_TESTS[0] +
                   LEVEL_TESTS[0])), stdout=subprocess.DEVNULL)
    live = counts["killed"] + counts["survived"]
    share = 100.0 * counts["killed"] / live if live else 0.0
    print(f"killed {counts['killed']}, survived {counts['survived']}, stillborn {counts['stillborn']}: "
          f"{share:.1f} % of compiling mutants killed ({time.time() - started:.0f} s)")
    return 0 if counts["survived"] == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
