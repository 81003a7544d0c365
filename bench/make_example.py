#!/usr/bin/env python3
"""Writes a training file of image-sized patterns for timing runs.

Usage: make_example.py OUT.net [INPUTS [OUTPUTS [PATTERNS]]]   (default 784 784 100)

Inputs are pixel-like values in [0, 1) from a fixed seed; when there are as many output
units as input units the patterns are auto-associated (each recalls itself), otherwise the
targets are random values in [-1, 1).
"""
import random
import sys


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    path = sys.argv[1]
    inputs, outputs, patterns = (list(map(int, sys.argv[2:5])) + [784, 784, 100][len(sys.argv) - 2:])[:3]
    rng = random.Random(20261208)
    pixels = [[round(rng.random(), 4) for _ in range(inputs)] for _ in range(patterns)]
    if inputs == outputs:
        targets = pixels
    else:
        targets = [[round(rng.uniform(-1, 1), 4) for _ in range(outputs)] for _ in range(patterns)]
    with open(path, "w") as f:
        f.write(f"{outputs}, 0, {inputs}, {patterns}\n")
        for row in pixels:
            f.write(" ".join(map(str, row)) + "\n")
        for row in targets:
            f.write(" ".join(map(str, row)) + "\n")


if __name__ == "__main__":
    main()
