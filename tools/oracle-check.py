#!/usr/bin/env python3
"""Checks torvelin-search against an independent re-implementation of the search.

For every wanted length and tolerance pair, the oracle enumerates all 48620
selections of at most nine straight pieces itself, keeps those whose summed
length lies in the window, formats each row as the German locale does and
compares the result with the output of

    torvelin-search --locale de_DE [--prices FILE] LENGTH MINUS PLUS

row by row and cell by cell. Standard library only; 32-bit floats are
emulated by rounding through struct.

    tools/oracle-check.py                      # every length 60..3240, all pairs
    tools/oracle-check.py --sample 200         # 200 random lengths (fixed seed)
    tools/oracle-check.py --lengths 1265 --pairs 9,9
    tools/oracle-check.py --options --sample 300   # the row-picking options too

With --options every search is run once more with a random choice of
--sort, --max-pieces, --without, --stock, --stock-only, --format (or
--count) and --plain-numbers, and the output is checked against the
oracle's own filtering, ordering and formatting; then every kind of bad
value is tried once.

It takes long when run in full (some minutes); it is not part of ctest.
"""

import argparse
import bisect
import csv
import io
import itertools
import json
import re
import os
import random
import struct
import subprocess
import sys
import tempfile
import time
from concurrent.futures import ThreadPoolExecutor
from decimal import ROUND_HALF_UP, Decimal
from fractions import Fraction

# The nine pieces, longest first: article number and nominal length in mm.
PIECES = [
    ("24360", "360.0"),
    ("24236", "236.1"),
    ("24229", "229.3"),
    ("24188", "188.3"),
    ("24172", "171.7"),
    ("24094", "94.2"),
    ("24077", "77.5"),
    ("24071", "70.8"),
    ("24064", "64.3"),
]

# Unit prices written into the settings file, in the same order (German text).
PRICES = ["12,50", "9,95", "9,50", "8,25", "7,95", "5,50", "4,95", "4,50", "4,25"]

DEFAULT_PAIRS = [(0, 0), (9, 9), (3, 5), (1, 0)]


def f32(x):
    """The nearest 32-bit float to x (x a Python float or an exact Fraction)."""
    if isinstance(x, Fraction):
        as_double = float(x)
        # Every value met here is exact in a double; make sure of it, so that
        # rounding to 32 bits happens once only.
        assert Fraction(as_double) == x, x
        x = as_double
    return struct.unpack("<f", struct.pack("<f", x))[0]


def german_fixed(value, decimals, grouped):
    """A float as the patterns "###.0", "#,###.0" and "####.00" show it in
    German: no integer digit below 1, "." between groups when grouped, a
    decimal comma, the exact binary value rounded half away from zero."""
    quantum = Decimal(1).scaleb(-decimals)
    d = Decimal(value).quantize(quantum, rounding=ROUND_HALF_UP)
    sign = "-" if d < 0 else ""
    d = abs(d)
    integer = int(d)
    fraction = str(d).split(".")[1]
    if integer == 0:
        digits = ""
    elif grouped:
        digits = f"{integer:,}".replace(",", ".")
    else:
        digits = str(integer)
    return f"{sign}{digits},{fraction}"


def german_to_float(text):
    """A German number text ("1.234,50") as a 32-bit float."""
    return f32(float(Decimal(text.strip().replace(".", "").replace(",", "."))))


class Oracle:
    def __init__(self, prices):
        # Search order: index 0 is no piece, 1..9 the pieces by ascending length.
        lengths = [f32(float(length)) for _, length in PIECES]
        self.search = [0.0] + sorted(lengths)
        self.article = {f32(float(length)): number for number, length in PIECES}
        unit = {}
        for (number, _), price in zip(PIECES, prices):
            unit[number] = german_to_float(price) if price is not None else 0.0
        self.unit = unit

        # All selections in lexicographic order of the ascending slot indexes.
        self.selections = list(itertools.combinations_with_replacement(range(10), 9))
        assert len(self.selections) == 48620
        self.sums = [f32(sum((Fraction(self.search[i]) for i in sel), Fraction(0)))
                     for sel in self.selections]
        self.by_sum = sorted(range(len(self.sums)), key=lambda i: self.sums[i])
        self.sorted_sums = [self.sums[i] for i in self.by_sum]
        self.rows = {}

    def row(self, index):
        cached = self.rows.get(index)
        if cached is not None:
            return cached
        lengths = [""] * 9
        articles = [""] * 9
        total = 0.0
        for k, slot in enumerate(reversed(self.selections[index])):
            length = self.search[slot]
            if length > 0:
                lengths[k] = german_fixed(length, 1, grouped=False)
                articles[k] = self.article[length]
                total = f32(total + self.unit[articles[k]])
        cells = (lengths + [german_fixed(self.sums[index], 1, grouped=True)] + articles
                 + [german_fixed(total, 2, grouped=False)])
        self.rows[index] = cells
        return cells

    def expected(self, length, minus, plus):
        lower = f32(float(length - minus))
        upper = f32(float(length + plus))
        first = bisect.bisect_left(self.sorted_sums, lower)
        last = bisect.bisect_right(self.sorted_sums, upper)
        return [self.row(i) for i in sorted(self.by_sum[first:last])]


def settings_file(path, prices):
    lines = ["[Preise]", *prices, "", "[Toleranzen]", "0", "0", "", "[Position]", " 0 ", " 0 ",
             "", "[farbige Tabelle]", " 0 ", " 0 ", ""]
    with open(path, "wb") as f:
        f.write("".join(line + "\r\n" for line in lines).encode("latin-1"))


def compare(binary, oracle, prices_path, case):
    length, minus, plus = case
    command = [binary, "--locale", "de_DE"]
    if prices_path:
        command += ["--prices", prices_path]
    command += [str(length), str(minus), str(plus)]
    done = subprocess.run(command, capture_output=True)
    problems = []
    if done.returncode != 0:
        return [f"exit status {done.returncode}: {done.stderr.decode(errors='replace').strip()}"]
    actual = done.stdout.decode("utf-8").split("\n")
    if actual[-1] != "":
        problems.append("output does not end with a line end")
    actual = [line.split("\t") for line in actual[:-1]]
    expected = oracle.expected(length, minus, plus)
    if len(actual) != len(expected):
        problems.append(f"{len(actual)} rows, expected {len(expected)}")
    if done.stderr.decode().strip() != str(len(expected)):
        problems.append(f"row count on stderr {done.stderr.decode().strip()!r}, "
                        f"expected {len(expected)}")
    for r, (a, e) in enumerate(zip(actual, expected)):
        if len(a) != 20:
            problems.append(f"row {r}: {len(a)} cells")
            continue
        for c, (x, y) in enumerate(zip(a, e)):
            if x != y:
                problems.append(f"row {r} cell {c}: {x!r}, expected {y!r}")
    return problems


# --- the row-picking options ------------------------------------------------

SORTS = ["length", "price", "pieces", "articles"]
FORMATS = ["tsv", "csv", "text", "json"]
LABEL = {number: number[:2] + " " + number[2:] for number, _ in PIECES}
CATALOGUE = [number for number, _ in PIECES]


def german_value(text):
    """A German number text as an exact Decimal ("1.000,0" -> 1000.0, ",50" -> 0.50)."""
    return Decimal(text.replace(".", "").replace(",", ".") or "0")


def articles_of(row):
    return [a for a in row[10:19] if a]


def random_options(rng):
    """One random set of options as (arguments, description) for the oracle."""
    chosen = {}
    if rng.random() < 0.8:
        chosen["sort"] = rng.choice(SORTS)
    if rng.random() < 0.4:
        chosen["max"] = rng.randint(1, 9)
    pieces = CATALOGUE[:]
    rng.shuffle(pieces)
    if rng.random() < 0.4:
        chosen["without"] = pieces[:rng.randint(1, 3)]
        pieces = pieces[len(chosen["without"]):]
    if rng.random() < 0.5:
        chosen["stock"] = {p: rng.randint(0, 9) for p in pieces[:rng.randint(1, 6)]}
        if rng.random() < 0.4:
            chosen["stock_only"] = True
    if rng.random() < 0.15:
        chosen["count"] = True
    else:
        chosen["format"] = rng.choice(FORMATS)

    args = []
    if "sort" in chosen:
        args += ["--sort", chosen["sort"]]
    if "max" in chosen:
        args += [f"--max-pieces={chosen['max']}"]
    if "without" in chosen:
        # split over two options now and then: the lists are gathered
        w = chosen["without"]
        if len(w) > 1 and rng.random() < 0.5:
            args += ["--without", w[0], "--without", ",".join(w[1:])]
        else:
            args += ["--without", ",".join(w)]
    if "stock" in chosen:
        args += ["--stock", ",".join(f"{p}={n}" for p, n in chosen["stock"].items())]
    if chosen.get("stock_only"):
        args += ["--stock-only"]
    if chosen.get("count"):
        args += ["--count"]
    else:
        args += ["--format", chosen["format"]]
    if rng.random() < 0.3:
        chosen["plain"] = True
        args += ["--plain-numbers"]
    return args, chosen


def plain_row(row):
    """A row's lengths, sum and price as numbers for programs ("1265.0", "0.50")."""
    return [f"{german_value(x):.{2 if c == 19 else 1}f}" if x and (c <= 9 or c == 19) else x
            for c, x in enumerate(row)]


def pick(rows, chosen, length):
    """The oracle's own filtering and ordering of the enumeration's rows."""
    limit = {p: 9 for p in CATALOGUE}
    if chosen.get("stock_only"):
        limit = {p: 0 for p in CATALOGUE}
    for p, n in chosen.get("stock", {}).items():
        limit[p] = n
    for p in chosen.get("without", []):
        limit[p] = 0
    kept = []
    for row in rows:
        used = articles_of(row)
        if len(used) > chosen.get("max", 9):
            continue
        if any(used.count(p) > limit[p] for p in set(used)):
            continue
        kept.append(row)
    order = chosen.get("sort")
    if order == "length":
        kept.sort(key=lambda r: german_value(r[9]))
    elif order == "price":
        kept.sort(key=lambda r: german_value(r[19]))
    elif order == "articles":
        # descending article numbers, an empty cell after every number
        kept.sort(key=lambda r: [(0, -int(a)) if a else (1, 0) for a in r[10:19]])
    elif order == "pieces":
        kept.sort(key=lambda r: (len(articles_of(r)), abs(german_value(r[9]) - length),
                                 german_value(r[19])))
    return kept


def parts_text(row):
    used = articles_of(row)
    return ", ".join(f"{used.count(p)} \u00d7 {LABEL[p]}" for p in CATALOGUE if p in used)


def check_output(chosen, expected, stdout, stderr):
    """Problems of one run's output against the oracle's rows."""
    problems = []
    text = stdout.decode("utf-8")
    if chosen.get("count"):
        if text != f"{len(expected)}\n":
            problems.append(f"--count printed {text!r}, expected {len(expected)}")
        return problems
    if stderr.decode().strip() != str(len(expected)):
        problems.append(f"row count on stderr {stderr.decode().strip()!r}, expected {len(expected)}")
    fmt = chosen["format"]
    plain = chosen.get("plain") and fmt != "json"
    if plain:
        expected = [plain_row(r) for r in expected]
    if fmt == "tsv":
        actual = [line.split("\t") for line in text.split("\n")[:-1]]
    elif fmt == "csv":
        actual = list(csv.reader(io.StringIO(text, newline=""), delimiter="," if plain else ";"))
        if not text.endswith("\r\n") or actual[:1] != [
                [f"L{i}" for i in range(1, 10)] + ["Länge"] + [f"Gl{i}" for i in range(1, 10)]
                + ["Preis"]]:
            problems.append("csv header or line ends wrong")
        actual = actual[1:]
    elif fmt == "json":
        try:
            objects = json.loads(text, parse_float=Decimal)
        except ValueError as error:
            return [f"not JSON: {error}"]
        actual = objects
        expected = [{"laenge": german_value(r[9]), "preis": german_value(r[19]),
                     "gleise": len(articles_of(r)), "artikel": articles_of(r),
                     "laengen": [german_value(x) for x in r[0:9] if x],
                     "stueckliste": [{"artikel": p, "anzahl": articles_of(r).count(p)}
                                     for p in CATALOGUE if p in articles_of(r)]}
                    for r in expected]
        for obj in actual:
            for key in ("laenge", "preis"):
                if not isinstance(obj.get(key), (Decimal, int)):
                    problems.append(f"{key} is not a number: {obj.get(key)!r}")
    else:  # text
        lines = text.split("\n")[:-1]
        if not lines or lines[0].split() != ["Länge", "Preis", "Gleise", "Stückliste"]:
            problems.append(f"text header {lines[:1]!r}")
        actual = [re.split(r" {2,}", line.strip(), maxsplit=3) for line in lines[1:]]
        widths = {len(line) - len(line.split("  ")[-1]) for line in lines}
        if len(widths) != 1:
            problems.append("text columns not aligned")
        expected = [[r[9], r[19], str(len(articles_of(r))), parts_text(r)] for r in expected]
    if len(actual) != len(expected):
        problems.append(f"{len(actual)} rows, expected {len(expected)}")
    for r, (a, e) in enumerate(zip(actual, expected)):
        if a != e:
            problems.append(f"row {r}: {a!r}, expected {e!r}")
            break
    return problems


def compare_options(binary, oracle, prices_path, case, seed):
    length, minus, plus = case
    rng = random.Random(f"{seed}/{length}/{minus}/{plus}")
    args, chosen = random_options(rng)
    command = [binary, "--locale", "de_DE"]
    if prices_path:
        command += ["--prices", prices_path]
    command += args + [str(length), str(minus), str(plus)]
    done = subprocess.run(command, capture_output=True)
    if done.returncode != 0:
        return args, 0, [f"exit status {done.returncode}: {done.stderr.decode(errors='replace')}"]
    expected = pick(oracle.expected(length, minus, plus), chosen, length)
    return args, len(expected), check_output(chosen, expected, done.stdout, done.stderr)


# Every kind of bad value: each must give status 2, nothing on standard
# output and one line on standard error that starts with the program's name
# and ends without blanks.
BAD_ARGUMENTS = [
    ["--sort", "fewest", "360"], ["--sort", "", "360"], ["--sort", "PRICE", "360"],
    ["--format", "xml", "360"], ["--format", "TSV", "360"],
    ["--max-pieces", "0", "360"], ["--max-pieces", "10", "360"], ["--max-pieces", "x", "360"],
    ["--max-pieces", "-1", "360"],
    ["--without", "24000", "360"], ["--without", "24360,", "360"], ["--without", "24 360", "360"],
    ["--stock", "24360", "360"], ["--stock", "24360=10", "360"], ["--stock", "24360=-1", "360"],
    ["--stock", "24360=x", "360"], ["--stock", "99999=1", "360"],
    ["--stock", "24360=1,24360=2", "360"], ["--stock", "24360=1", "--stock", "24360=1", "360"],
    ["--stock-only", "360"], ["--without", "24094", "--stock", "24094=3", "360"],
    ["--count", "--format", "json", "360"], ["--count=2", "360"], ["--stock-only=1", "360"],
    ["--sort", "price", "--sort", "length", "360"], ["--max-pieces", "360"],
    ["--colour", "360"], ["-x", "360"], ["360", "-1", "0"], ["360", "0", "10"],
    ["99999999999999999999"], ["59"], ["3241"], ["-360"], ["360.5"], ["360", "1"],
    ["360", "1", "2", "3"], ["--locale", "xx_YY", "360"], ["--prices", "/", "360"],
    ["--prices", "/nonexistent/Torvelin.ini", "360"],
]


def check_bad_values(binary):
    failed = []
    for args in BAD_ARGUMENTS:
        done = subprocess.run([binary] + args, capture_output=True)
        err = done.stderr.decode("utf-8", errors="replace")
        if (done.returncode != 2 or done.stdout or err.count("\n") != 1
                or not err.startswith("torvelin-search: ") or err != err.rstrip() + "\n"):
            failed.append(f"{' '.join(args)}: status {done.returncode}, stderr {err!r}")
    return failed


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--binary", default=os.path.join(root, "build", "src", "cli",
                                                         "torvelin-search"))
    parser.add_argument("--lengths", help="comma-separated lengths (default 60..3240)")
    parser.add_argument("--pairs", nargs="*", help="tolerance pairs MINUS,PLUS "
                        "(default 0,0 9,9 3,5 1,0)")
    parser.add_argument("--sample", type=int, help="check this many random lengths only")
    parser.add_argument("--seed", type=int, default=1265)
    parser.add_argument("--no-prices", action="store_true",
                        help="leave the prices empty instead of passing a settings file")
    parser.add_argument("--jobs", type=int, default=1)
    parser.add_argument("--options", action="store_true",
                        help="also run each search with random row-picking options")
    args = parser.parse_args()

    if not os.access(args.binary, os.X_OK):
        sys.exit(f"oracle-check: no executable at {args.binary} (use --binary)")
    lengths = ([int(x) for x in args.lengths.split(",")] if args.lengths
               else list(range(60, 3241)))
    if args.sample:
        lengths = sorted(random.Random(args.seed).sample(lengths, min(args.sample, len(lengths))))
    pairs = ([tuple(int(v) for v in p.split(",")) for p in args.pairs] if args.pairs
             else DEFAULT_PAIRS)
    cases = [(length, minus, plus) for length in lengths for minus, plus in pairs]

    started = time.monotonic()
    prices = [None] * 9 if args.no_prices else PRICES
    oracle = Oracle(prices)
    with tempfile.TemporaryDirectory() as temp:
        prices_path = None
        if not args.no_prices:
            prices_path = os.path.join(temp, "Torvelin.ini")
            settings_file(prices_path, PRICES)
        failed = 0
        rows = 0
        with ThreadPoolExecutor(max_workers=args.jobs) as pool:
            results = pool.map(lambda case: (case, compare(args.binary, oracle, prices_path, case)),
                               cases)
            for case, problems in results:
                rows += len(oracle.expected(*case))
                if problems:
                    failed += 1
                    if failed <= 20:
                        print(f"MISMATCH length {case[0]} minus {case[1]} plus {case[2]}:")
                        for p in problems[:10]:
                            print(f"    {p}")
            option_runs = option_rows = option_failed = 0
            if args.options:
                picked = pool.map(
                    lambda case: (case, compare_options(args.binary, oracle, prices_path, case,
                                                        args.seed)), cases)
                for case, (option_args, kept, problems) in picked:
                    option_runs += 1
                    option_rows += kept
                    if problems:
                        option_failed += 1
                        if option_failed <= 20:
                            print(f"MISMATCH {' '.join(option_args)} {case[0]} {case[1]} "
                                  f"{case[2]}:")
                            for p in problems[:10]:
                                print(f"    {p}")
        bad = check_bad_values(args.binary) if args.options else []
        for line in bad:
            print(f"BAD VALUE NOT REFUSED: {line}")
    elapsed = time.monotonic() - started
    print(f"{len(cases)} searches ({len(lengths)} lengths x {len(pairs)} tolerance pairs), "
          f"{rows} rows compared, {failed} with differences, {elapsed:.1f} s")
    if args.options:
        print(f"{option_runs} searches with random options ({option_rows} rows kept), "
              f"{option_failed} with differences; "
              f"{len(BAD_ARGUMENTS)} bad argument lists, {len(bad)} not refused as they should be")
    return 1 if failed or option_failed or bad else 0


if __name__ == "__main__":
    sys.exit(main())
