#!/usr/bin/env python3
"""Builds a reproducible file tree for the walk and load benchmarks.

    bench/make-tree.py [--files N] [--folders N] [--seed S] OUT

Defaults: 1,000,000 files in 100,000 folders under OUT (bench/data/tree-1m
when run through bench/run-build-bench.sh). The same seed always gives the
same names, sizes, dates and shape. Files are sparse (their sizes cost no disk
space); folders hang off random earlier folders, which gives the irregular
depth of a real disk. A few names carry blanks, '|', '%', non-ASCII letters
or a leading dot, as real disks do.
"""
import argparse
import os
import random
import sys

SYLLABLES = ["data", "img", "report", "src", "lib", "cache", "doc", "music", "photo", "build",
             "test", "notes", "backup", "video", "old", "new", "tmp", "share", "config", "log"]
EXTENSIONS = [".txt", ".jpg", ".png", ".pdf", ".cpp", ".h", ".py", ".mp3", ".doc", ".xml",
              ".json", ".log", ".gz", ".html", ".so", ".o", ""]
ODD = [" copy", " (2)", "|pipe", "100%", "caf\u00e9", "\u65e5\u672c", " blank "]


def make_name(rng, index):
    name = rng.choice(SYLLABLES) + "_" + format(rng.getrandbits(24), "x")
    roll = rng.random()
    if roll < 0.02:
        name += rng.choice(ODD)
    elif roll < 0.03:
        name = "." + name
    return name + "_" + str(index)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--files", type=int, default=1_000_000)
    parser.add_argument("--folders", type=int, default=100_000)
    parser.add_argument("--seed", type=int, default=20260101)
    parser.add_argument("out")
    args = parser.parse_args()

    rng = random.Random(args.seed)
    os.makedirs(args.out, exist_ok=True)
    if os.listdir(args.out):
        sys.exit(f"{args.out} is not empty; remove it first")

    folders = [args.out]
    for i in range(1, args.folders):
        parent = folders[rng.randrange(0, i)]
        path = os.path.join(parent, make_name(rng, i))
        os.mkdir(path)
        folders.append(path)

    low, high = 1104537600, 1767225600  # 2005-01-01 .. 2026-01-01
    for i in range(args.files):
        folder = folders[rng.randrange(0, len(folders))]
        name = make_name(rng, i) + rng.choice(EXTENSIONS)
        path = os.path.join(folder, name)
        fd = os.open(path, os.O_WRONLY | os.O_CREAT | os.O_EXCL, 0o644)
        size = int(2 ** (rng.random() * 27)) if rng.random() < 0.9 else 0
        if size:
            os.ftruncate(fd, size)
        when = rng.randrange(low, high)
        os.utime(fd, (when, when))
        os.close(fd)
        if i % 100_000 == 0:
            print(f"{i} files", file=sys.stderr)
    print(f"{args.files} files in {args.folders} folders under {args.out}", file=sys.stderr)


if __name__ == "__main__":
    main()
