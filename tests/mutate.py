#!/usr/bin/env python3
"""Runs the deliberate faults listed in tests/mutations.md against the tests.

Each row of the table names a file under src/, a text that occurs there exactly once, its
replacement, and the tests expected to catch the fault. For each row the file is changed, the
named tests are rebuilt and run (all tests when those pass), the file is put back, and the
outcome (caught, caught by another test, SURVIVED, or no build) goes into the given column of the table, with the line the fault sits on.

    tests/mutate.py BUILD_DIR before|after [ID...]

BUILD_DIR is a configured build tree with tests, best without sanitizers, for speed.
"""

import pathlib
import re
import subprocess
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
TABLE = ROOT / "tests" / "mutations.md"
COLUMNS = ["id", "file", "line", "original", "mutant", "tests", "before", "after"]


def cells(row):
    parts = re.split(r"(?<!\\)\|", row.strip())[1:-1]
    return [p.strip() for p in parts]


def code(cell):
    text = cell[1:-1] if cell.startswith("`") and cell.endswith("`") else cell
    return text.replace("\\|", "|").replace("⏎", "\n")


def run(command, **kwargs):
    return subprocess.run(command, cwd=ROOT, capture_output=True, text=True, **kwargs)


def try_fault(build, row):
    path = ROOT / "src" / row["file"]
    source = path.read_text()
    original, mutant = code(row["original"]), code(row["mutant"])
    if source.count(original) != 1:
        return "not unique", ""
    line = source[: source.index(original)].count("\n") + 1
    tests = row["tests"].split()
    try:
        path.write_text(source.replace(original, mutant))
        built = run(["cmake", "--build", build, "--target", *tests])
        if built.returncode != 0:
            return "no build", str(line)
        pattern = "^(" + "|".join(tests) + ")$"
        ran = run(["ctest", "--test-dir", build, "-R", pattern, "--timeout", "300"])
        if "No tests were found" in ran.stdout + ran.stderr:
            return "no test", str(line)
        if ran.returncode != 0:
            return "caught", str(line)
        # Not caught where expected: does any other test catch it?
        if run(["cmake", "--build", build]).returncode == 0:
            if run(["ctest", "--test-dir", build, "--timeout", "300"]).returncode != 0:
                return "caught by another test", str(line)
        return "SURVIVED", str(line)
    finally:
        path.write_text(source)


def main():
    build, column, *only = sys.argv[1:]
    lines = TABLE.read_text().split("\n")
    for i, text in enumerate(lines):
        if not re.match(r"^\| *M\d+", text):
            continue
        row = dict(zip(COLUMNS, cells(text)))
        if only and row["id"] not in only:
            continue
        # A fault no test caught before cannot be lost: unless named, only those caught are run
        # again.
        if column == "after" and not only and not row["before"].startswith("caught"):
            continue
        outcome, line = try_fault(build, row)
        row[column] = outcome
        row["line"] = line or row["line"]
        lines[i] = "| " + " | ".join(row[c] for c in COLUMNS) + " |"
        TABLE.write_text("\n".join(lines))
        print(row["id"], row["file"], line, outcome, flush=True)
    # Put the build back on the untouched sources.
    run(["cmake", "--build", build])


if __name__ == "__main__":
    main()
