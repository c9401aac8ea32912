#!/usr/bin/env python3
"""Runs two builds of kelvane-drive on the same random scripts and fails
unless they print the same bytes and exit with the same status.

    drive_compare.py [--seed S] [--count N] REFERENCE OTHER

REFERENCE and OTHER are commands (split on spaces), for example
build/app/kelvane-drive and "node build-web/app/kelvane-drive.js". The
scripts visit the regulator pages in random order, set every field to a
random number (whole, long decimal, exponent, out of range), pick random
list lines, switch the accurate search, calculate, wait, read every result
and copy the design. The controls are found by asking REFERENCE (`info`).
"""
import argparse
import random
import shlex
import subprocess
import sys
import tempfile

# Where the pages put their controls: the left and top of every field, list
# and result label on some page; `info` tells which exist on which page.
PLACES = sorted({(x, y) for x in (285, 310, 315, 325, 330, 335, 342, 345)
                 for y in (15, 40, 45, 55, 65, 75, 80, 90, 95, 100, 105,
                           115, 120, 125, 135, 140, 155, 160, 175, 180)})
REGULATOR_PAGES = range(9)  # the About page has nothing to calculate


def run(command, script):
    done = subprocess.run(command, input=script, capture_output=True)
    return done.stdout, done.returncode


def discover(reference):
    script = "".join(f"tab {p}\n" + "".join(f"info {p}@{x},{y}\n" for x, y in PLACES)
                     for p in REGULATOR_PAGES)
    out, _ = run(reference, script.encode())
    pages = {}
    for line in out.decode().splitlines():
        if line.startswith("info "):
            address, kind = line.split()[1], line.split()[2].split("=")[1]
            pages.setdefault(int(address.split("@")[0]), {}).setdefault(kind, []).append(address)
    return pages


def number(rng):
    r = rng.random()
    if r < 0.3:
        return str(rng.randint(0, 400))
    if r < 0.6:
        return f"{rng.uniform(0, 100):.{rng.randint(1, 6)}f}"
    if r < 0.8:
        return f"{rng.uniform(0, 10):.{rng.randint(7, 17)}f}"
    if r < 0.9:
        return f"{rng.uniform(1, 50):.3f}e{rng.randint(-3, 3)}"
    return rng.choice(["1.5", "1.49", "-3", "0", "37", "2.77", "0.000001", "123456789012345678"])


def script_for(rng, pages):
    lines = []
    for _ in range(rng.randint(2, 6)):
        p = rng.choice(sorted(pages))
        lines.append(f"tab {p}")
        lines += [f"set {a} {number(rng)}" for a in pages[p].get("edit", []) if rng.random() < 0.7]
        lines += [f"pick {a} #{rng.randint(0, 25)}" for a in pages[p].get("combo", []) if rng.random() < 0.6]
        if p == 0:
            lines.append("accurate " + rng.choice(["on", "off"]))
        lines += [f"calc {p}", "wait"] + [f"get {a}" for a in pages[p].get("label", [])]
        if rng.random() < 0.5:
            lines.append(f"copy {p}")
    return "\n".join(lines) + "\n"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--count", type=int, default=60)
    parser.add_argument("reference")
    parser.add_argument("other")
    args = parser.parse_args()
    reference, other = shlex.split(args.reference), shlex.split(args.other)
    pages = discover(reference)
    if len(pages) != len(REGULATOR_PAGES):
        print(f"found controls on {len(pages)} pages, expected {len(REGULATOR_PAGES)}")
        return 1
    rng = random.Random(args.seed)
    differ = 0
    results = 0
    for n in range(args.count):
        script = script_for(rng, pages)
        want, want_status = run(reference, script.encode())
        got, got_status = run(other, script.encode())
        results += want.count(b"\n")
        if want != got or want_status != got_status:
            differ += 1
            with tempfile.NamedTemporaryFile("w", prefix="drive-compare-", suffix=".txt", delete=False) as f:
                f.write(script)
            print(f"script {n} (kept as {f.name}): status {want_status} and {got_status}")
            for a, b in zip(want.splitlines(), got.splitlines()):
                if a != b:
                    print(f"  {a!r}\n  {b!r}")
                    break
    print(f"{args.count} scripts, {results} lines printed by the reference: {differ} differ")
    return 1 if differ else 0


if __name__ == "__main__":
    sys.exit(main())
