#!/usr/bin/env python3
"""Checks torvelin-search's range options against an independent enumeration.

For every shipped range file and a few XTrackCAD parameter files it tries
every selection of at most nine pieces in Python, then asks torvelin-search
for random lengths, tolerances (0 to 50), stocks, measured lengths and joint
allowances, and compares the rows (pieces, summed length, pieces to buy) in
the window's order, and the count. Run from the repository:

    python3 tools/range-oracle.py --binary build/src/cli/torvelin-search --sample 40
"""

import argparse
import json
import math
import os
import random
import subprocess
import sys

root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
XTP = "/usr/share/xtrkcad/params"


def read_range_file(path):
    pieces = []
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.split("#", 1)[0].strip()
            if not line:
                continue
            fields = line.split()
            whole, _, frac = fields[1].partition(".")
            pieces.append((fields[0], int(whole) * 100 + int((frac + "00")[:2])))
    return pieces


def read_xtp(path):
    data = open(path, "rb").read()
    try:
        text = data.decode("utf-8")
    except UnicodeDecodeError:
        text = data.decode("latin-1")
    pieces, seen, part = [], set(), None

    def finish():
        if not part or len(part["ends"]) != 2 or part["track"] != 1 or part["straight"] != 1:
            return
        (x1, y1, a1), (x2, y2, a2) = part["ends"]
        d = math.hypot(x2 - x1, y2 - y1)
        if d <= 0 or not part["article"] or part["article"] in seen:
            return
        ux, uy = (x2 - x1) / d, (y2 - y1) / d
        facing = lambda a, u, v: (abs(math.sin(math.radians(a)) - u) < 1e-3
                                  and abs(math.cos(math.radians(a)) - v) < 1e-3)
        if facing(a2, ux, uy) and facing(a1, -ux, -uy):
            seen.add(part["article"])
            pieces.append((part["article"], round(d * 25.4 * 100)))

    for line in text.replace("\r", "").split("\n"):
        if line and not line[0].isspace():
            finish()
            part = None
            if line.startswith("TURNOUT"):
                title = line[line.find('"') + 1:line.rfind('"')].replace('""', '"').split("\t")
                part = {"article": title[2].strip() if len(title) > 2 else "",
                        "ends": [], "track": 0, "straight": 0}
            continue
        if part is None:
            continue
        f = line.split()
        if not f:
            continue
        if f[0] == "END":
            finish()
            part = None
        elif f[0] == "E":
            part["ends"].append(tuple(float(v) for v in f[1:4]))
        elif f[0] == "S":
            part["track"] += 1
            part["straight"] += 1
        elif f[0] in ("C", "J", "B"):
            part["track"] += 1
    finish()
    return pieces


def selections(kinds, most):
    """Count vectors of 1..most pieces in the window's order."""
    out = []
    for n in range(1, most + 1):
        def choose(k, left, counts):
            if k == kinds:
                if left == 0:
                    out.append(tuple(counts))
                return
            for c in range(left, -1, -1):
                counts.append(c)
                choose(k + 1, left - c, counts)
                counts.pop()
        choose(0, n, [])
    return out


def check_range(binary, name, choice, pieces, rng, sample):
    # Search order: ascending nominal length, ties in the source's order.
    order = sorted(range(len(pieces)), key=lambda i: pieces[i][1])
    pieces = [pieces[i] for i in order]
    articles = [p[0] for p in pieces]
    every = selections(len(pieces), 9)
    failures = 0
    for _ in range(sample):
        length = rng.randint(60, 3240)
        minus, plus = rng.randint(0, 50), rng.randint(0, 50)
        lengths = [p[1] for p in pieces]
        args = [binary, "--range", choice, "--format", "json"]
        measured = rng.sample(range(len(pieces)), k=min(2, len(pieces))) if rng.random() < 0.5 else []
        if measured:
            parts = []
            for i in measured:
                # Within a tenth of the piece and 1.5 mm, as a real piece is.
                most = min(150, lengths[i] // 10 // 10 * 10)
                lengths[i] += rng.randint(-most, most) // 10 * 10
                parts.append(f"{articles[i]}={lengths[i] // 100}.{lengths[i] % 100:02d}")
            args += ["--measured", ",".join(parts)]
        joint = rng.choice([0, 0, 30, 100])
        if joint:
            args += ["--joint", f"{joint // 100}.{joint % 100:02d}"]
        stock = {i: rng.randint(0, 3) for i in rng.sample(range(len(pieces)), k=min(3, len(pieces)))}
        args += ["--stock", ",".join(f"{articles[i]}={c}" for i, c in stock.items())]
        args += [str(length), str(minus), str(plus)]
        low, high = (length - minus) * 100, (length + plus) * 100
        expected = []
        for counts in every:
            total = joint + sum(c * (lengths[i] + joint) for i, c in enumerate(counts))
            if low <= total <= high:
                row = [articles[i] for i in reversed(range(len(counts))) for _ in range(counts[i])]
                buy = sum(max(0, c - stock.get(i, 0)) for i, c in enumerate(counts))
                expected.append((row, total, buy))
        run = subprocess.run(args, capture_output=True, text=True)
        got = None
        if run.returncode == 0:
            got = [(r["artikel"], round(r["laenge"] * 100), r["zu_kaufen"])
                   for r in json.loads(run.stdout)]
        count_ok = run.stderr.split("\n", 1)[0] == str(len(expected))
        if got != expected or not count_ok:
            failures += 1
            print(f"DIFF {name}: {' '.join(args[1:])}: expected {len(expected)} rows, "
                  f"got {'error ' + run.stderr.strip() if got is None else len(got)}")
    return failures


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--binary", default=os.path.join(root, "build", "src", "cli",
                                                         "torvelin-search"))
    parser.add_argument("--sample", type=int, default=30, help="searches per range")
    parser.add_argument("--seed", type=int, default=16)
    # Files of up to eleven straight pieces: every selection of nine of them
    # is enumerated in Python.
    parser.add_argument("--xtp", nargs="*", default=["Piko-A", "fl-profi", "flnpicco", "mrklnz"])
    opts = parser.parse_args()
    rng = random.Random(opts.seed)
    ranges = []
    folder = os.path.join(root, "data", "ranges")
    for name in sorted(os.listdir(folder)):
        if name.endswith(".txt") and name != "maerklin-c.txt":
            path = os.path.join(folder, name)
            ranges.append((name[:-4], path, read_range_file(path)))
    for name in opts.xtp:
        path = os.path.join(XTP, name + ".xtp")
        if os.path.exists(path):
            ranges.append(("xtrkcad:" + name, "xtrkcad:" + name, read_xtp(path)))
    failures = 0
    searches = 0
    for name, choice, pieces in ranges:
        failures += check_range(opts.binary, name, choice, pieces, rng, opts.sample)
        searches += opts.sample
    print(f"{len(ranges)} ranges, {searches} searches, {failures} differences")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
