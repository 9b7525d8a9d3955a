#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Orvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Small faults put into the game logic one at a time, to see which the tests catch.

Each mutant changes one place of one source file: a comparison turned round,
an arithmetic or logical operator swapped, a constant moved by one, a
condition negated, a statement left out, a message changed. The file is
rebuilt into the logic test suite, the suite runs, and the file is put back.
A mutant is caught when the suite fails (or runs past its time); one that
does not build is stillborn and not counted.

    tools/mutation/mutate.py --build build-mutants [--count 100] [--seed 1] [--only 5,12]

`--only` tries again the mutants of those numbers in a run's drawing (the
same seed and count, the sources unchanged): after tests were added for
the faults that lived.

The build folder is made with -DORVANE_LOGIC_ONLY=ON (the suite that also
runs under Wine), libstdc++'s checks and UndefinedBehaviorSanitizer, if it
is not there yet. The random play is shortened to
ORVANE_RANDOM_EVENTS (default 20000) so that a mutant takes seconds.
"""
import argparse
import os
import random
import re
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
DEFAULT_SOURCES = ["src/shell", "src/levels", "src/sim", "src/draw", "src/play", "src/scores",
                   "src/platform/fields.cpp", "src/platform/sequential_files.cpp"]

# (pattern, replacement, kind); each pattern is tried at every place it matches.
SWAPS = [
    (r"(?<![<>=!])<=(?!=)", "<", "boundary"),
    (r"(?<![<>=!-])<(?![<=])", "<=", "boundary"),
    (r"(?<![<>=!-])>=(?!=)", ">", "boundary"),
    (r"(?<![<>=!-])>(?![>=])", ">=", "boundary"),
    (r"==", "!=", "negated comparison"),
    (r"!=", "==", "negated comparison"),
    (r"&&", "||", "logic"),
    (r"\|\|", "&&", "logic"),
    (r"(?<=[\w)\]] )\+(?= [\w(])", "-", "arithmetic"),
    (r"(?<=[\w)\]] )-(?= [\w(])", "+", "arithmetic"),
    (r"(?<=[\w)\]] )\*(?= [\w(])", "/", "arithmetic"),
    (r"(?<=[\w)\]] )/(?= [\w(])", "*", "arithmetic"),
    (r"\+\+", "--", "arithmetic"),
    (r"--(?=\w)", "++", "arithmetic"),
    (r"\btrue\b", "false", "constant"),
    (r"\bfalse\b", "true", "constant"),
    (r"\bif \((?!!)", "if (!", "negated condition"),
]

NUMBER = re.compile(r"(?<![\w.])(\d+)(?![\w.])")
STRING = re.compile(r'"([^"\\]{3,})"')
# An assignment or a call standing alone on its line; declarations are kept.
STATEMENT = re.compile(r"^(\+\+|--)?[\w.\->\[\]]+(\s*([-+*/]?=)\s*.+|\(.*\)|\+\+|--);$")
DESIGN = re.compile(r"\b(w\.add\w+|createWindow)\(\{")
DECLARATION = re.compile(r"^(return|const|constexpr|auto|static|using|std::|int|double|float|bool|char|case)\b")


def code_part(line):
    """The line without a trailing comment, and whether it is code at all."""
    stripped = line.strip()
    if not stripped or stripped.startswith(("//", "#", "*", "/*", "namespace", "}", "{")):
        return None
    return line.split("//", 1)[0]


def mutants_of(path):
    lines = path.read_text().splitlines(keepends=True)
    found = []
    for i, line in enumerate(lines):
        code = code_part(line)
        if code is None:
            continue
        for pattern, replacement, kind in SWAPS:
            for m in re.finditer(pattern, code):
                before = code[max(0, m.start() - 14):m.start()]
                if kind == "boundary" and re.search(r"(cast|optional|vector|array|map|function|set|limits|unique_ptr|std::\w+)\s*$", before):
                    continue
                if kind == "boundary" and ("#include" in code or re.search(r"(<[\w:]*|\w)$", before)):
                    continue  # a template's argument list, which would not build
                if kind == "arithmetic" and m.group(0) == "+" and ('"' in code or "CrLf" in code):
                    continue  # joined text, which cannot be subtracted
                found.append((i, m.start(), m.end(), replacement, kind))
        # A control's place in a window's design moved by a pixel is not a
        # fault the logic can show; its captions stay mutated as messages.
        for m in ([] if DESIGN.search(code) else NUMBER.finditer(code)):
            value = int(m.group(1))
            found.append((i, m.start(), m.end(), str(value + 1), "constant"))
            if value > 0:
                found.append((i, m.start(), m.end(), str(value - 1), "constant"))
        for m in STRING.finditer(code):
            if DESIGN.search(code) and m.start() == code.index('"'):
                continue  # a control's design name, how tests find it; never shown
            found.append((i, m.start(1), m.end(1), m.group(1)[:-1] + "#", "message"))
        if STATEMENT.match(code.strip()) and not DECLARATION.match(code.strip()):
            found.append((i, 0, len(code.rstrip("\n")), "", "statement left out"))
    return lines, found


def apply(lines, mutant):
    i, start, end, replacement, _ = mutant
    changed = list(lines)
    line = changed[i]
    changed[i] = line[:start] + replacement + line[end:]
    if replacement == "" and changed[i].strip() == "":
        changed[i] = "\n"
    return changed


def run(command, cwd, env=None, timeout=None):
    try:
        done = subprocess.run(command, cwd=cwd, env=env, timeout=timeout,
                              stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, errors="replace")
        return done.returncode, done.stdout
    except subprocess.TimeoutExpired:
        return None, ""


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", default="build-mutants")
    parser.add_argument("--count", type=int, default=100, help="mutants to try, drawn at random")
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--events", default="20000", help="random-play events a run")
    parser.add_argument("--timeout", type=float, default=120, help="seconds a run may take")
    parser.add_argument("--list", action="store_true", help="only list the mutants that would be tried")
    parser.add_argument("--only", default="", help="try only these of the drawn mutants, by number: 5,12")
    parser.add_argument("sources", nargs="*", default=DEFAULT_SOURCES)
    args = parser.parse_args()

    files = []
    for source in args.sources:
        p = ROOT / source
        files += sorted(p.glob("*.cpp")) if p.is_dir() else [p]
    every = []
    for f in files:
        lines, found = mutants_of(f)
        every += [(f, lines, m) for m in found]
    random.Random(args.seed).shuffle(every)
    chosen = every[:args.count]

    def describe(f, lines, m):
        i = m[0]
        new = apply(lines, m)[i].strip()
        return f"{f.relative_to(ROOT)}:{i + 1} [{m[4]}] {lines[i].strip()}  =>  {new or '(left out)'}"

    if args.list:
        for f, lines, m in chosen:
            print(describe(f, lines, m))
        print(f"{len(chosen)} of {len(every)} mutants")
        return 0

    build = (ROOT / args.build).resolve()
    if not (build / "build.ninja").exists():
        code, out = run(["cmake", "-S", str(ROOT), "-B", str(build), "-G", "Ninja", "-DORVANE_LOGIC_ONLY=ON",
                         "-DORVANE_BENCHMARKS=OFF", "-DCMAKE_BUILD_TYPE=RelWithDebInfo",
                         # An index past the end, a shift past the width or an
                         # overflow stops the suite, as the sanitizer build of
                         # ./test.sh stops it; on x86 a shift by 128 is a shift
                         # by 0, and a fault that only lands there would live.
                         "-DCMAKE_CXX_FLAGS=-D_GLIBCXX_ASSERTIONS -fsanitize=undefined -fno-sanitize-recover=undefined"],
                        ROOT)
        if code != 0:
            print(out)
            return 2
    target = ["cmake", "--build", str(build), "--target", "orvane_tests"]
    code, out = run(target, ROOT)
    suite = build / "tests" / "orvane_tests"
    env = dict(os.environ, ORVANE_RANDOM_EVENTS=args.events)
    code, out = run([str(suite), "--gtest_brief=1"], build, env, args.timeout)
    if code != 0:
        print("The suite fails without any mutant:\n" + out)
        return 2

    caught, survived, stillborn = [], [], []
    started = time.time()
    only = {int(n) for n in args.only.split(",") if n}
    for n, (f, lines, m) in enumerate(chosen, 1):
        if only and n not in only:
            continue
        original = f.read_text()
        try:
            f.write_text("".join(apply(lines, m)))
            built, _ = run(target, ROOT)
            if built != 0:
                stillborn.append(describe(f, lines, m))
                verdict = "stillborn"
            else:
                code, _ = run([str(suite), "--gtest_brief=1"], build, env, args.timeout)
                verdict = "caught" if code != 0 else "SURVIVED"
                (caught if code != 0 else survived).append(describe(f, lines, m))
        finally:
            f.write_text(original)
        print(f"[{n}/{len(chosen)} {time.time() - started:.0f}s] {verdict}: {describe(f, lines, m)}", flush=True)
    run(target, ROOT)  # the build as the sources are

    counted = len(caught) + len(survived)
    print(f"\n{len(caught)} of {counted} mutants caught ({100 * len(caught) / max(counted, 1):.0f} %), "
          f"{len(stillborn)} did not build")
    for s in survived:
        print("survived: " + s)
    return 0


if __name__ == "__main__":
    sys.exit(main())
