#!/usr/bin/env python3
"""compare-cli.py: runs two builds of vandrel-cli on the same problems and counts the outputs that differ.

    scripts/compare-cli.py OLD_CLI NEW_CLI [--paths N] [--seed S]

Problems: every problem file under fuzz/corpus/ and tests/, the built-in
sample, and N random self-avoiding paths of 1 to 255 points (default 1000).
On each: `check`, `demo`, and `apply` with 40 random move words (R, L, H, V
and C with pivots in 0..points+1, and U). Standard output, standard error and
the exit status must be byte-identical. Prints the number of runs and of
differences; exits 1 when any differ.
"""
import argparse
import pathlib
import random
import subprocess
import sys
import tempfile

ROOT = pathlib.Path(__file__).resolve().parent.parent


def random_path(rng, points):
    path = [(0, 0)]
    seen = {(0, 0)}
    while len(path) < points:
        x, y = path[-1]
        free = [p for p in ((x + 1, y), (x, y + 1), (x - 1, y), (x, y - 1)) if p not in seen]
        if not free:
            break
        step = rng.choice(free)
        seen.add(step)
        path.append(step)
    return path


def problem_bytes(path):
    lines = ["%4d" % len(path)] + ["%4d%4d" % p for p in path]
    return "".join(line + "\r\n" for line in lines).encode("ascii")


def run(cli, args):
    done = subprocess.run([cli] + args, capture_output=True)
    return done.returncode, done.stdout, done.stderr


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("old")
    parser.add_argument("new")
    parser.add_argument("--paths", type=int, default=1000)
    parser.add_argument("--seed", type=int, default=20261208)
    options = parser.parse_args()
    rng = random.Random(options.seed)

    with tempfile.TemporaryDirectory() as scratch:
        scratch = pathlib.Path(scratch)
        files = sorted(f for f in list(ROOT.glob("fuzz/corpus/**/*.txt")) + list(ROOT.glob("tests/**/*.txt")) if f.name != "CMakeLists.txt")
        sample = scratch / "sample.txt"
        sample.write_bytes(run(options.old, ["sample"])[1])
        files.append(sample)
        for i in range(options.paths):
            f = scratch / ("random-%04d.txt" % i)
            f.write_bytes(problem_bytes(random_path(rng, rng.randint(1, 255))))
            files.append(f)

        runs = differences = 0
        for f in files:
            points = len(f.read_bytes().splitlines()) - 1
            words = []
            for _ in range(40):
                letter = rng.choice("RLHVRLHVCU")
                words.append("U" if letter == "U" else "%s%d" % (letter, rng.randint(0, max(points, 0) + 1)))
            for args in (["check", str(f)], ["demo", str(f)], ["apply", str(f)] + words):
                runs += 1
                if run(options.old, args) != run(options.new, args):
                    differences += 1
                    print("differs:", " ".join(args[:2]), file=sys.stderr)
        print("%d runs, %d differences" % (runs, differences))
        return 1 if differences else 0


if __name__ == "__main__":
    sys.exit(main())
