#!/usr/bin/env python3
"""The training a Python user would write with numpy, for timing against mnemex-batch.

Usage: numpy_train.py FILE.net EPOCHS [RATE] [hebb|delta]   (default rate 0.001, delta)

Reads the training file, then runs the same training as the program: the untrained total
SSE, then EPOCHS epochs in which every pattern is learned (Delta: weights += rate x
outer(desired - response, input); Hebb: weights += rate x outer(desired, input)) and then
measured with the new weights. Prints the final total SSE and the seconds taken, whole run
(reading included) and training alone. The sums are numpy's own, so the figures agree with
the program's to rounding, not bit for bit.
"""
import sys
import time

import numpy as np


def read_net(path):
    with open(path) as f:
        values = f.read().replace(",", " ").split()
    outputs, _spare, inputs, patterns = (int(float(v)) for v in values[:4])
    numbers = np.array(values[4:4 + patterns * (inputs + outputs)], dtype=np.float64)
    x = numbers[:patterns * inputs].reshape(patterns, inputs)
    d = numbers[patterns * inputs:].reshape(patterns, outputs)
    return x, d


def train(x, d, epochs, rate, hebb):
    w = np.zeros((d.shape[1], x.shape[1]))
    untrained = sum(float(np.sum((dp - w @ xp) ** 2)) for xp, dp in zip(x, d))
    total = untrained
    for _ in range(epochs):
        total = 0.0
        for xp, dp in zip(x, d):
            activity = dp if hebb else dp - w @ xp
            w += np.outer(activity, rate * xp)
            error = dp - w @ xp
            total += float(error @ error)
    return untrained, total


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    start = time.perf_counter()
    x, d = read_net(sys.argv[1])
    epochs = int(sys.argv[2])
    rate = float(sys.argv[3]) if len(sys.argv) > 3 else 0.001
    hebb = len(sys.argv) > 4 and sys.argv[4].lower() == "hebb"
    trained = time.perf_counter()
    untrained, total = train(x, d, epochs, rate, hebb)
    end = time.perf_counter()
    print(f"untrained SSE {untrained:.6f}, total SSE after {epochs} epochs {total:.6f}")
    print(f"seconds: whole run {end - start:.3f}, training {end - trained:.3f}")


if __name__ == "__main__":
    main()
