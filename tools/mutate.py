#!/usr/bin/env python3
"""Mutation run: applies each listed source mutation alone, rebuilds the test executables, runs
the tests and reports every mutation that no test caught. The list's format is described at its
top. The working tree is restored after each mutation, also on failure or Ctrl+C.

With --every, all the tests run under each mutation and every failing case is named, which
shows the cases that alone catch a fault before a test is cut.

usage: mutate.py BUILD_DIR LIST [--every] [FILTER]   (the build directory is configured already)
"""
import json
import os
import re
import signal
import subprocess
import sys
import time
from dataclasses import dataclass
from pathlib import Path

KEYS = ("file", "from", "to")


@dataclass
class Mutation:
    line: int
    description: str
    file: str
    before: str
    after: str


def parse(path):
    """Blocks separated by blank lines; a block without keys is a comment."""
    mutations, block = [], []
    lines = path.read_text(encoding="utf-8").splitlines() + [""]
    for number, text in enumerate(lines, 1):
        if text.strip():
            block.append((number, text))
            continue
        if any(not t.startswith("#") for _, t in block):
            mutations.append(parse_block(path, block))
        block = []
    return mutations


def parse_block(path, block):
    first = block[0][0]
    description = " ".join(t.lstrip("#").strip() for _, t in block if t.startswith("#"))
    values = {}
    for number, text in block:
        if text.startswith("#"):
            continue
        key, colon, value = text.partition(":")
        if not colon or key not in KEYS or key in values:
            sys.exit(f"{path}:{number}: expected one each of 'file:', 'from:', 'to:'")
        values[key] = value[1:] if value.startswith(" ") else value
    if set(values) != set(KEYS) or not description or not values["from"]:
        sys.exit(f"{path}:{first}: a mutation needs a '# description', 'file:', 'from:' and 'to:'")
    return Mutation(first, description, values["file"], values["from"], values["to"])


def run(command, **options):
    # Compiler and test output need not be UTF-8: undecodable bytes must not stop the run.
    return subprocess.run(command, capture_output=True, text=True, errors="replace", **options)


def tree_state():
    return run(["git", "status", "--porcelain"]).stdout + run(["git", "diff", "HEAD"]).stdout


class Runner:
    def __init__(self, build_dir, every=False):
        self.build_dir = build_dir
        self.every = every
        # Each test runs the executable of the target of the same name. Until that is built, ctest
        # lists the test without its command, so the paths are read after the first build.
        self.targets = [t["name"] for t in self.listing()]
        if not self.targets:
            sys.exit(f"ctest lists no tests in {build_dir}")
        self.executables = {}
        self.timeout = 600

    def listing(self):
        result = run(["ctest", "--test-dir", self.build_dir, "--show-only=json-v1"])
        return json.loads(result.stdout)["tests"]

    def build(self):
        result = run(["nice", "cmake", "--build", self.build_dir, "-j2", "--target", *self.targets])
        built = result.returncode == 0
        if built and not self.executables:
            commands = {t["name"]: t.get("command") for t in self.listing()}
            missing = [name for name in self.targets if not commands.get(name)]
            if missing:
                sys.exit(f"ctest still lists no command for {', '.join(missing)} after the build")
            self.executables = {name: Path(commands[name][0]) for name in self.targets}
        return built, result.stdout + result.stderr

    def stamps(self):
        return {n: p.stat().st_mtime_ns if p.exists() else 0 for n, p in self.executables.items()}

    def test(self, names):
        """Runs the named tests up to the first failure, or all of them with --every: (failed test or
        None, the failing case, or with --every every failing case)."""
        command = ["ctest", "--test-dir", self.build_dir, "--output-on-failure",
                   "-R", "^(" + "|".join(map(re.escape, names)) + ")$"]
        if not self.every:
            command.append("--stop-on-failure")
        process = subprocess.Popen(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                                   text=True, errors="replace", start_new_session=True)
        try:
            output, _ = process.communicate(timeout=self.timeout)
        except subprocess.TimeoutExpired:
            return "time-out", f"after {self.timeout} s"
        finally:
            if process.poll() is None:
                os.killpg(process.pid, signal.SIGKILL)
                process.wait()
        if process.returncode == 0:
            return None, ""
        failed = [name for name, status in re.findall(r"Test\s+#\d+: (\S+) \.+\W*(\w+)", output)
                  if status != "Passed"]
        cases = list(dict.fromkeys(c.rstrip(",") for c in re.findall(r"^\[  FAILED  \] (\S+)", output, re.M)
                                   if not c[0].isdigit()))
        if self.every:
            return " ".join(failed) or "ctest", " ".join(cases)
        return (failed[-1] if failed else "ctest"), (cases[0] if cases else "")


def not_applicable(mutation):
    """Why the mutation cannot be made on the current source, or "" when it can."""
    path = Path(mutation.file)
    if not path.is_file():
        return "no such file"
    count = path.read_bytes().decode("utf-8", errors="surrogateescape").count(mutation.before)
    return "" if count == 1 else f"'from' found {count} times"


def mutate(runner, mutation):
    """Applies one mutation, builds and tests; the file is restored whatever happens."""
    path = Path(mutation.file)
    problem = not_applicable(mutation)
    if problem:
        return "does not apply", problem
    original = path.read_bytes()
    try:
        text = original.decode("utf-8", errors="surrogateescape")
        path.write_bytes(text.replace(mutation.before, mutation.after).encode("utf-8", errors="surrogateescape"))
        before = runner.stamps()
        built, log = runner.build()
        if not built:
            lines = [line for line in log.splitlines() if line.strip()]
            errors = [line for line in lines if "error:" in line] or lines[-1:]
            return "does not build", errors[0] if errors else ""
        after = runner.stamps()
        relinked = [name for name in runner.executables if after[name] != before[name]]
        if not relinked:
            return "survived", "no test executable uses the file"
        failed, case = runner.test(relinked)
        if failed is None:
            return "survived", ""
        return "caught", f"{failed} {case}".strip()
    finally:
        path.write_bytes(original)


def main():
    arguments = [a for a in sys.argv[1:] if a != "--every"]
    if len(arguments) not in (2, 3):
        sys.exit(__doc__.strip().splitlines()[-1])
    build_dir, list_path = arguments[0], Path(arguments[1])
    wanted = arguments[2].lower() if len(arguments) == 3 else ""
    listed = parse(list_path)
    chosen = [m for m in listed if wanted in m.file.lower() or wanted in m.description.lower()]
    # Ctrl+C raises KeyboardInterrupt; a hang-up or kill unwinds the same way.
    for number in (signal.SIGTERM, signal.SIGHUP):
        signal.signal(number, signal.default_int_handler)
    state = tree_state()
    try:
        return run_all(Runner(build_dir, "--every" in sys.argv), list_path, chosen, len(listed))
    except KeyboardInterrupt:
        print("Interrupted.", file=sys.stderr)
        return 130
    finally:
        if tree_state() != state:
            print("ERROR: the working tree differs from what it was before the run", file=sys.stderr)
            sys.exit(3)


def run_all(runner, list_path, chosen, listed):
    print(f"{len(chosen)} of {listed} mutations in {list_path}; building the unchanged sources", flush=True)
    for m in chosen:
        problem = not_applicable(m)
        if problem:
            print(f"does not apply: {list_path}:{m.line} {m.file}: {m.description}\n      {problem}", flush=True)
    prepared = time.monotonic()
    built, log = runner.build()
    if not built:
        sys.exit(log + "\nThe unchanged sources do not build.")
    began = time.monotonic()
    failed, case = runner.test(list(runner.executables))
    if failed:
        sys.exit(f"The tests fail without a mutation ({failed} {case}); fix them first.")
    # A hang counts as caught: allow a loaded machine well over the time of the clean run.
    runner.timeout = max(60, 5 * (time.monotonic() - began))
    outcomes, missed, started = {}, [], time.monotonic()
    for index, mutation in enumerate(chosen, 1):
        began = time.monotonic()
        outcome, detail = mutate(runner, mutation)
        outcomes[outcome] = outcomes.get(outcome, 0) + 1
        print(f"[{index:3}/{len(chosen)}] {outcome:14} {time.monotonic() - began:5.1f} s  "
              f"{mutation.file}: {mutation.description}" + (f"\n      {detail}" if detail else ""),
              flush=True)
        if outcome != "caught":
            missed.append((outcome, mutation))
    elapsed = time.monotonic() - started
    if missed:
        print("\nNot caught:")
        for outcome, m in missed:
            print(f"  {outcome}: {list_path}:{m.line} {m.description}\n"
                  f"    file: {m.file}\n    from: {m.before}\n    to: {m.after}")
    count = outcomes.get
    applied = len(chosen) - count("does not apply", 0)
    print(f"\nlisted {len(chosen)}, applied {applied}, caught {count('caught', 0)}, "
          f"survived {count('survived', 0)}, does not apply {count('does not apply', 0)}, "
          f"does not build {count('does not build', 0)}")
    print(f"{elapsed:.0f} s for the mutations, {elapsed / max(1, len(chosen)):.1f} s each, after "
          f"{started - prepared:.0f} s building and testing the unchanged sources")
    return 1 if missed else 0


if __name__ == "__main__":
    sys.exit(main())
