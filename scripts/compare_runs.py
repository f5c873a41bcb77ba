#!/usr/bin/env python3
"""Runs the vortane-calc of a build under test beside the native one on the same
cases and compares what each leaves: exit status, standard output, the message
lines on standard error and the bytes of every file written (the report). The
run's one-row CSV (--csv) gives the outcome, the passes, the messages, the
warnings, and the values and indicators to 17 digits.

Cases: the default case, every input of the fuzz corpus (28 box texts, then the
report's name, one a line) and COUNT cases drawn by a seeded generator around
the defaults, which the native vortane-calc gives (--write-case).

With --designs, the goal seeks and optimisations of DESIGNS are compared too
(what they print, their status and the design's case file).

A build whose formulas are double (VORTANE_EXTENDED=OFF) may print a digit
differently where a value sits on a rounding boundary: --boundary-cases N lets
at most N cases differ so, each only by one unit in the last printed digit of a
report value. Nothing else may differ: not the status, a message, a fault, an
outcome or the passes.
"""

import argparse
import csv
import concurrent.futures
import decimal
import io
import os
import random
import shlex
import shutil
import subprocess
import sys
import tempfile
import time

COUNTS = {"InletChannelCount", "EffectiveChannelCount"}
TIMEOUT = 300  # seconds for one run


class Case:
    def __init__(self, name, texts, report="result.txt", search=None):
        self.name = name
        self.texts = texts  # box number -> text (bytes), only those not default
        self.report = report
        self.search = search  # the arguments of a goal seek or optimisation, or None for a run

    def arguments(self):
        args = [b"--decimal-separator", b"."]
        for box, text in sorted(self.texts.items()):
            args.append(b"Edit%d=" % box + text)
        return args + [word.encode() for word in self.search or []]


# Goal seeks and optimisations: found, none in the bounds, stopped by a fault;
# each found design saved as a case.
DESIGNS = [
    "OutputRate=350 --solve ScrewSpeed=40:140 --target TemperatureRise=30 --write-case design.vcase",
    "OutputRate=350 --units us --solve ScrewSpeed=40:140 --target TemperatureRise=60",
    "ScrewSpeed=0 --solve OutputRate=100:300 --target PowerKW=5",
    "OutputRate=350 --optimise 'minimise TotalPressureDrop' --vary BarrierClearance1=0.03:0.1 "
    "--vary ScrewSpeed=60:140 --limit 'TemperatureRise<=30' --limit 'Barrier1ShearStress>=135' "
    "--limit 'LeastInletPressure>=0' --write-case design.vcase",
    "OutputRate=350 --optimise 'maximise Barrier1ShearStress' --vary BarrierClearance1=0.03:0.1 "
    "--vary ScrewSpeed=60:140 --limit 'TemperatureRise<=30'",
    "ScrewSpeed=0 --optimise 'minimise PowerKW' --vary OutputRate=100:300",
]


def default_fields(command, env):
    """The 28 boxes, field and default text in box order, as `command` (the
    native vortane-calc) writes its default case with --write-case."""
    with tempfile.TemporaryDirectory(prefix="vortane-defaults-") as scratch:
        subprocess.run(command + ["--decimal-separator", ".", "--write-case", "defaults.vcase",
                                  "-o", "defaults.txt"],
                       cwd=scratch, env=env, stdin=subprocess.DEVNULL, capture_output=True,
                       timeout=TIMEOUT, check=True)
        with open(os.path.join(scratch, "defaults.vcase"), encoding="utf-8") as f:
            lines = f.read().splitlines()
    fields = []
    for line in lines:
        if not line.strip() or line.lstrip().startswith("#"):
            continue
        field, _, text = line.partition("=")
        text = text.strip()
        if text.startswith('"'):  # a case file quotes a text with blanks around it
            text = text[1:-1].replace('""', '"')
        fields.append((field.strip(), text))
    if len(fields) != 28:
        raise SystemExit("compare_runs: the default case holds %d boxes, not 28" % len(fields))
    return fields


def corpus_case(path, fields):
    with open(path, "rb") as f:
        lines = f.read().split(b"\n")
    texts = {box: text for box, text in enumerate(lines[:28], 1)
             if text != fields[box - 1][1].encode()}
    name = lines[28] if len(lines) > 28 else b"result.txt"
    # As the fuzz target keeps it inside its directory; a command line cannot
    # carry a NUL byte, so the name ends there.
    name = name.replace(b"/", b"_").split(b"\0")[0]
    return Case("corpus/" + os.path.basename(path), texts, name)


def random_text(rng, field, default):
    """A text around the default: scaled, with 2 to 8 significant digits;
    now and then zero, negative, or written with an exponent or blanks."""
    if field in COUNTS:
        return str(rng.randint(0 if rng.random() < 0.03 else 1, 9))
    roll = rng.random()
    if roll < 0.02:
        return "0"
    value = float(default) * rng.uniform(0.4, 1.8)
    if field == "ChannelAngle":
        value = 0.0 if roll < 0.1 else rng.uniform(0, 35)
    if roll > 0.98:
        value = -value
    digits = rng.randint(2, 8)
    if rng.random() < 0.1:
        return "%.*E" % (digits - 1, value)
    text = "%.*g" % (digits, value)
    return " " + text if rng.random() < 0.03 else text


def random_case(rng, number, fields):
    texts = {}
    for box, (field, default) in enumerate(fields[:22], 1):  # the boxes before the coefficients
        if rng.random() < 0.45:
            texts[box] = random_text(rng, field, default).encode()
    return Case("random/%d" % number, texts)


class Outcome:
    """What one program left for one case."""

    def __init__(self, status, stdout, stderr, files, row):
        self.status, self.stdout, self.stderr, self.files, self.row = status, stdout, stderr, files, row


# The line after "File can not open!" names the full path and the system's
# reason, which differ with the scratch directory and the platform.
CANNOT_OPEN = b"vortane-calc: cannot open "


def comparable(line):
    return CANNOT_OPEN + b"(path): (reason)" if line.startswith(CANNOT_OPEN) else line


def run_program(command, args, workdir, env):
    """Exit status, standard output and standard error (lines, without the
    line ends of the program's platform)."""
    done = subprocess.run(command + args, cwd=workdir, env=env, stdin=subprocess.DEVNULL,
                          capture_output=True, timeout=TIMEOUT)
    return done.returncode, done.stdout.splitlines(), [comparable(line) for line in done.stderr.splitlines()]


def files_left(root):
    files = {}
    for base, _, names in os.walk(root):
        for name in names:
            path = os.path.join(base, name)
            with open(path, "rb") as f:
                files[os.path.relpath(path, root)] = f.read()
    return files


ROW_FILE = "vortane-row.csv"  # the run's CSV, read and left out of the files compared


def run_case(command, case, scratch, env):
    """The case's outcome. vortane-calc never stops without a word, so a run
    that ends with a bad status and leaves nothing at all is the emulator's
    hiccup (seen now and then under wine): it is run once more."""
    outcome = run_case_once(command, case, scratch, env)
    if outcome.status != 0 and not outcome.stderr and not outcome.files and outcome.row is None:
        outcome = run_case_once(command, case, scratch, env)
    return outcome


def run_case_once(command, case, scratch, env):
    workdir = tempfile.mkdtemp(dir=scratch)
    try:
        outputs = [] if case.search else [b"-o", case.report, b"--csv", ROW_FILE.encode()]
        status, stdout, stderr = run_program(command, case.arguments() + outputs, workdir, env)
        files = files_left(workdir)
        row = None
        if ROW_FILE in files:
            rows = list(csv.DictReader(io.StringIO(files.pop(ROW_FILE).decode("utf-8"))))
            row = rows[0] if len(rows) == 1 else None
        return Outcome(status, stdout, stderr, files, row)
    finally:
        shutil.rmtree(workdir, ignore_errors=True)


def last_digit_apart(native, other):
    """Whether two printed numbers are one unit of their last digit apart."""
    try:
        a, b = decimal.Decimal(native.strip()), decimal.Decimal(other.strip())
    except decimal.InvalidOperation:
        return False
    quantum = a.as_tuple().exponent
    return quantum == b.as_tuple().exponent and abs(a - b) == decimal.Decimal(1).scaleb(quantum)


def boundary_lines(native, other):
    """The differing report lines when each differs only by one unit of the
    last printed digit; None when anything else differs."""
    a, b = native.split(b"\r\n"), other.split(b"\r\n")
    if len(a) != len(b):
        return None
    differing = []
    for x, y in zip(a, b):
        if x == y:
            continue
        x, y = x.decode("latin-1"), y.decode("latin-1")
        label_x, _, value_x = x.rpartition("=")
        label_y, _, value_y = y.rpartition("=")
        if label_x != label_y or not label_x or not last_digit_apart(value_x, value_y):
            return None
        differing.append((x, y))
    return differing


CATEGORICAL = ("Outcome", "Passes", "Message", "Warnings")


def row_difference(native, other):
    """(categorical columns that differ, largest relative difference of the values)."""
    if native is None or other is None:
        return ([] if native is other else ["the CSV row"]), 0.0
    if native.keys() != other.keys():
        return ["the CSV columns"], 0.0
    differing = [c for c in CATEGORICAL if native[c] != other[c]]
    largest = 0.0
    for column in native:
        if column in CATEGORICAL or column == "Point" or native[column] == other[column]:
            continue
        try:
            x, y = float(native[column]), float(other[column])
        except ValueError:
            differing.append(column)
            continue
        largest = max(largest, abs(x - y) / max(abs(x), abs(y)))
    return differing, largest


def compare(case, native, other):
    """(problems, boundary lines, largest relative difference)."""
    problems = []
    if native.status != other.status:
        problems.append("exit status %d, native %d" % (other.status, native.status))
    if native.stdout != other.stdout:
        problems.append("standard output differs")
    if native.stderr != other.stderr:
        problems.append("messages %r, native %r" % (other.stderr, native.stderr))
    differing, largest = row_difference(native.row, other.row)
    if differing:
        problems.append("CSV row differs in " + ", ".join(differing))
    boundary = []
    if native.files.keys() != other.files.keys():
        problems.append("files %s, native %s" % (sorted(other.files), sorted(native.files)))
    else:
        for name in native.files:
            if native.files[name] == other.files[name]:
                continue
            lines = boundary_lines(native.files[name], other.files[name])
            if lines is None:
                problems.append("report %s differs" % name)
            else:
                boundary.extend(lines)
    return problems, boundary, largest


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--label", required=True, help="name of the build under test")
    parser.add_argument("--native", required=True, help="the native vortane-calc")
    parser.add_argument("--target", required=True, help="command that runs the one under test")
    parser.add_argument("--corpus", required=True, help="the fuzz corpus directory")
    parser.add_argument("--random", type=int, default=200, metavar="COUNT")
    parser.add_argument("--seed", type=int, default=13)
    parser.add_argument("--designs", action="store_true", help="compare the searches of DESIGNS too")
    parser.add_argument("--boundary-cases", type=int, default=0, metavar="N")
    parser.add_argument("--largest-difference", type=float, default=None, metavar="X",
                        help="fail when a value differs by more than X relative (0: every value the same)")
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 1)
    options = parser.parse_args()

    # Each case runs in a directory of its own: paths become absolute.
    native, target = ([os.path.abspath(word) if os.path.exists(word) else word
                       for word in shlex.split(command)]
                      for command in (options.native, options.target))
    env = dict(os.environ, LC_ALL="C")

    fields = default_fields(native, env)
    rng = random.Random(options.seed)
    cases = [Case("default", {})]
    cases += [corpus_case(os.path.join(options.corpus, name), fields)
              for name in sorted(os.listdir(options.corpus))]
    cases += [random_case(rng, n, fields) for n in range(1, options.random + 1)]
    if options.designs:
        cases += [Case("design/%d" % n, {}, search=shlex.split(line)) for n, line in enumerate(DESIGNS, 1)]
    started = time.monotonic()
    scratch = tempfile.mkdtemp(prefix="vortane-compare-")
    try:
        with concurrent.futures.ThreadPoolExecutor(options.jobs) as pool:
            natives = list(pool.map(lambda c: run_case(native, c, scratch, env), cases))
            others = list(pool.map(lambda c: run_case(target, c, scratch, env), cases))
    finally:
        shutil.rmtree(scratch, ignore_errors=True)

    failed, boundary_cases, largest = 0, 0, 0.0
    outcomes = {}
    for case, a, b in zip(cases, natives, others):
        problems, boundary, difference = compare(case, a, b)
        largest = max(largest, difference)
        outcome = a.row["Outcome"] if a.row else "search" if case.search else "input"
        outcomes[outcome] = outcomes.get(outcome, 0) + 1
        args = b" ".join(case.arguments()).decode("latin-1")
        if problems:
            failed += 1
            print("%s: %s differs (%s): %s" % (options.label, case.name, args, "; ".join(problems)))
        elif boundary:
            boundary_cases += 1
            print("%s: %s prints a value on a rounding boundary (%s):" % (options.label, case.name, args))
            for x, y in boundary:
                print("    native: %s\n    %s: %s" % (x.strip(), options.label, y.strip()))

    corpus = sum(case.name.startswith("corpus/") for case in cases)
    searches = sum(case.search is not None for case in cases)
    print("%s: %d cases (default, %d of the corpus, %d random, seed %d, %d searches) in %.0f s; outcomes %s"
          % (options.label, len(cases), corpus, options.random, options.seed, searches,
             time.monotonic() - started,
             ", ".join("%s %d" % item for item in sorted(outcomes.items()))))
    print("%s: %d differ, %d on a rounding boundary (at most %d allowed); "
          "largest relative difference of a value %.2g"
          % (options.label, failed, boundary_cases, options.boundary_cases, largest))
    too_far = options.largest_difference is not None and largest > options.largest_difference
    if too_far:
        print("%s: a value differs by %.2g relative, beyond the %.2g allowed"
              % (options.label, largest, options.largest_difference))
    return 1 if failed or boundary_cases > options.boundary_cases or too_far else 0


if __name__ == "__main__":
    sys.exit(main())
