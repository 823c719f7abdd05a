#!/usr/bin/env python3
"""Mutation run: does the suite notice a realistic slip in the program's logic?

Each mutation in tools/mutations/*.txt (a file an area) changes one line of one
source file. An entry is `## id`, then `file:` (from the repository root),
`from:` (text that stands on exactly one line of that file), `to:` (what it
becomes), `test:` (the test binary that should notice), optionally `filter:`
(a --gtest_filter, for a binary too slow to run whole for each mutant, such as
the end-to-end tests) and, for a mutant known to survive, `survives:` with why
it is equivalent or accepted. For each, the
tool applies it, rebuilds the named test binary incrementally, runs it, and
restores the file. A mutant is killed when the tests fail (or hang past
the timeout); it survives when they pass. The score is killed / (killed +
survived); mutants that do not compile are reported apart and do not count.

    tools/mutate.py                  every mutation
    tools/mutate.py wait parser      only those whose id contains one of the words
    tools/mutate.py --list           list the mutations and stop
    tools/mutate.py --check          check that every mutation applies, build nothing

Too slow for CI (a rebuild per mutant); run it after changing tests or logic.
"""
import argparse
import os
import re
import signal
import subprocess
import sys
import time
from dataclasses import dataclass
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
LISTS = ROOT / "tools" / "mutations"


@dataclass
class Mutation:
    id: str
    file: str
    before: str
    after: str
    test: str
    line: str  # list file and line where the entry starts, for messages
    note: str = ""  # why a survivor is acceptable, if it is known to survive
    filter: str = ""  # the tests of the binary to run, when not all


def parse_lists(folder):
    """Blocks of `key: value` lines, each block opened by `## id`, in every list of the folder."""
    mutations, current = [], None
    for path, number, raw in ((p, n, line) for p in sorted(folder.glob("*.txt"))
                              for n, line in enumerate(p.read_text(encoding="utf-8").splitlines(), 1)):
        if raw.startswith("## "):
            current = {"id": raw[3:].strip(), "line": f"{path.name}:{number}"}
            mutations.append(current)
            continue
        if not raw.strip() or raw.startswith("#"):
            continue
        key, sep, value = raw.partition(": ")
        if current is None or not sep or key not in ("file", "from", "to", "test", "filter", "survives"):
            sys.exit(f"{path}:{number}: expected '## id' or one of file/from/to/test/filter/survives: value")
        current[key] = value
    result = []
    for m in mutations:
        missing = [k for k in ("file", "from", "to", "test") if k not in m]
        if missing:
            sys.exit(f"{m['line']}: mutation {m['id']} lacks {', '.join(missing)}")
        result.append(Mutation(m["id"], m["file"], m["from"], m["to"], m["test"], m["line"],
                               m.get("survives", ""), m.get("filter", "")))
    ids = [m.id for m in result]
    duplicates = {i for i in ids if ids.count(i) > 1}
    if duplicates:
        sys.exit(f"{folder}: duplicate ids: {', '.join(sorted(duplicates))}")
    return result


def mutated_text(m):
    """The file with the mutation applied; the `from` text must stand on exactly one line."""
    source = (ROOT / m.file).read_text(encoding="utf-8")
    hits = [n for n, text in enumerate(source.splitlines(), 1) if m.before in text]
    if len(hits) != 1:
        where = "nowhere" if not hits else f"on lines {hits}"
        raise ValueError(f"{m.id}: '{m.before}' stands {where} in {m.file}; it must stand on one line")
    if source.count(m.before) != 1:
        raise ValueError(f"{m.id}: '{m.before}' stands more than once on its line in {m.file}")
    return source, source.replace(m.before, m.after), hits[0]


class Restorer:
    """Puts a mutated file back however the run ends, Ctrl-C included."""

    def __init__(self):
        self.pending = None
        signal.signal(signal.SIGINT, self._interrupt)
        signal.signal(signal.SIGTERM, self._interrupt)

    def hold(self, path, original):
        self.pending = (path, original)

    def restore(self):
        if self.pending:
            path, original = self.pending
            path.write_text(original, encoding="utf-8")
            self.pending = None

    def _interrupt(self, signum, _frame):
        self.restore()
        sys.exit(128 + signum)


def run(cmd, timeout=None, env=None):
    return subprocess.run(cmd, cwd=ROOT, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                          text=True, errors="replace", timeout=timeout, env=env)


def configure(build):
    if (build / "build.ninja").exists():
        return
    # One unit a file, so a mutant rebuilds one file; no debug info, which only slows the rebuilds.
    result = run(["cmake", "-S", ".", "-B", str(build), "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Debug",
                  "-DCMAKE_CXX_FLAGS_DEBUG=-O0", "-DCMAKE_CXX_COMPILER=clang++",
                  "-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld", "-DCOMPASS_BENCH=OFF"])
    if result.returncode:
        sys.exit(f"configuring {build} failed:\n{result.stdout}")


def build_target(build, target, jobs):
    return run(["cmake", "--build", str(build), "--target", target, "-j", str(jobs)])


def test_binary(build, target):
    found = [p for p in build.glob(f"tests/**/{target}") if p.is_file() and os.access(p, os.X_OK)]
    if not found:
        sys.exit(f"no test binary {target} under {build}")
    return found[0]


def run_tests(binary, timeout, gtest_filter=""):
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    command = [str(binary), "--gtest_brief=1"] + ([f"--gtest_filter={gtest_filter}"] if gtest_filter else [])
    try:
        result = run(command, timeout=timeout, env=env)
    except subprocess.TimeoutExpired:
        return "timeout", ""
    return ("passed" if result.returncode == 0 else "failed"), result.stdout


def failed_tests(output):
    return sorted(set(re.findall(r"^\[  FAILED  \] (\S+)", output, re.M)))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("words", nargs="*", help="run only mutations whose id contains one of these")
    parser.add_argument("--list", action="store_true", help="list the mutations and stop")
    parser.add_argument("--check", action="store_true", help="check that every mutation applies")
    parser.add_argument("--build-dir", default="build-mutate", help="build folder (default build-mutate)")
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--timeout", type=int, default=60,
                        help="seconds a test binary may run; a mutant that hangs the tests is killed")
    parser.add_argument("--min-score", type=float, default=0.0, help="exit 1 below this score (0 to 1)")
    args = parser.parse_args()

    mutations = parse_lists(LISTS)
    if args.words:
        mutations = [m for m in mutations if any(w in m.id for w in args.words)]
    if args.list:
        for m in mutations:
            print(f"{m.id:40} {m.file}  [{m.test}]")
        return 0
    problems = []
    for m in mutations:
        try:
            mutated_text(m)
        except ValueError as error:
            problems.append(str(error))
    if problems:
        print("\n".join(problems), file=sys.stderr)
        return 2
    if args.check:
        print(f"{len(mutations)} mutations apply")
        return 0

    build = (ROOT / args.build_dir).resolve()
    configure(build)
    # The unmutated tree must pass, or every mutant would look killed.
    for target, gtest_filter in sorted({(m.test, m.filter) for m in mutations}):
        result = build_target(build, target, args.jobs)
        if result.returncode:
            sys.exit(f"{target} does not build unmutated:\n{result.stdout[-3000:]}")
        outcome, output = run_tests(test_binary(build, target), args.timeout, gtest_filter)
        if outcome != "passed":
            sys.exit(f"{target} {gtest_filter} does not pass unmutated ({outcome}):\n{output[-3000:]}")

    restorer = Restorer()
    killed, survived, stillborn = [], [], []
    for number, m in enumerate(mutations, 1):
        started = time.monotonic()
        original, mutated, line = mutated_text(m)
        path = ROOT / m.file
        restorer.hold(path, original)
        path.write_text(mutated, encoding="utf-8")
        try:
            built = build_target(build, m.test, args.jobs)
            if built.returncode:
                outcome, output = "stillborn", built.stdout
            else:
                outcome, output = run_tests(test_binary(build, m.test), args.timeout, m.filter)
        finally:
            restorer.restore()
        seconds = time.monotonic() - started
        if outcome == "stillborn":
            stillborn.append(m)
            detail = "does not compile"
        elif outcome == "passed":
            survived.append(m)
            detail = "SURVIVED" + (f" ({m.note})" if m.note else "")
        else:
            killed.append(m)
            names = failed_tests(output)
            detail = "killed by " + (", ".join(names[:3]) + (" ..." if len(names) > 3 else "")
                                     if names else outcome)
        print(f"[{number}/{len(mutations)}] {m.id} ({m.file}:{line}, {seconds:.0f} s): {detail}",
              flush=True)
    # Rebuild what the last mutant left behind, so the build folder matches the tree.
    for target in sorted({m.test for m in mutations}):
        build_target(build, target, args.jobs)

    viable = len(killed) + len(survived)
    score = len(killed) / viable if viable else 0.0
    print(f"\nscore {len(killed)}/{viable} = {score:.0%}" +
          (f"; {len(stillborn)} did not compile: {', '.join(m.id for m in stillborn)}" if stillborn else ""))
    for m in survived:
        print(f"  survivor {m.id}: {m.note or 'not yet explained'}")
    return 0 if score >= args.min_score and not stillborn else 1


if __name__ == "__main__":
    sys.exit(main())
