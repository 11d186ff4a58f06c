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

It takes long when run in full (some minutes); it is not part of ctest.
"""

import argparse
import bisect
import itertools
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
    elapsed = time.monotonic() - started
    print(f"{len(cases)} searches ({len(lengths)} lengths x {len(pairs)} tolerance pairs), "
          f"{rows} rows compared, {failed} with differences, {elapsed:.1f} s")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
