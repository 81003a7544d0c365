#!/usr/bin/env python3
"""Checks of the batch command's experiment options with a reader that is not ours (numpy).

- --least-squares against numpy.linalg.lstsq (same cut-off: singular values below
  max(P, I) x machine epsilon x the largest count as 0) on random and rank-deficient inputs;
- --weights-npy read back by numpy.load equals the JSON weights bit for bit, and
  --weights-csv read back by float() equals them too;
- the JSON keeps its members without the new options and gains them, after "history", with.

Run by ctest (test cli.experiments_numpy) with MNEMEX_BATCH set to the mnemex-batch program.
Everything is written under a temporary folder inside TMPDIR that is removed afterwards.
"""
import json
import os
import subprocess
import tempfile
import unittest

import numpy as np

BATCH = os.environ.get("MNEMEX_BATCH", "mnemex-batch")
OLD_KEYS = ["file", "rule", "rate", "epochs", "total_sse", "weights", "history"]


def write_net(path, inputs, desired):
    """inputs: I x P, desired: O x P (patterns as columns), written exactly (repr)."""
    n_in, n_pat = inputs.shape
    n_out = desired.shape[0]
    with open(path, "w") as f:
        f.write(f"{n_out}, 0, {n_in}, {n_pat}\n")
        for p in range(n_pat):
            f.write(", ".join(repr(float(v)) for v in inputs[:, p]) + "\n")
        for p in range(n_pat):
            f.write(", ".join(repr(float(v)) for v in desired[:, p]) + "\n")


class Experiments(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory(prefix="mnemex-experiments-")
        self.addCleanup(self.folder.cleanup)
        self.dir = self.folder.name

    def run_batch(self, net, *options):
        out = os.path.join(self.dir, "result.json")
        done = subprocess.run([BATCH, net, "--json", out, *options], capture_output=True,
                              text=True, timeout=120)
        self.assertEqual(done.returncode, 0, done.stderr)
        with open(out) as f:
            text = f.read()
        return json.loads(text), text

    def least_squares(self, inputs, desired):
        net = os.path.join(self.dir, "case.net")
        write_net(net, inputs, desired)
        result, _ = self.run_batch(net, "--rate", "0", "--epochs", "1", "--least-squares")
        return np.array(result["least_squares"]["weights"]).reshape(desired.shape[0],
                                                                     inputs.shape[0]), result

    def check_against_numpy(self, inputs, desired, name):
        weights, result = self.least_squares(inputs, desired)
        # lstsq solves X^T W^T = D^T in the least-squares sense, minimum norm.
        expected = np.linalg.lstsq(inputs.T, desired.T, rcond=None)[0].T
        scale = max(1.0, np.abs(expected).max())
        np.testing.assert_allclose(weights, expected, rtol=0, atol=1e-9 * scale, err_msg=name)
        residual = float(((desired - expected @ inputs) ** 2).sum())
        self.assertAlmostEqual(result["least_squares"]["total_sse"], residual,
                               delta=1e-9 * max(1.0, residual), msg=name)
        # Rate 0: the weights stay 0, so held fixed they recall nothing: the squared
        # targets, summed over the output units and then the patterns, in order.
        total = 0.0
        for p in range(desired.shape[1]):
            sse = 0.0
            for t in desired[:, p]:
                sse += float(t) * float(t)
            total += sse
        self.assertEqual(result["fixed_weight_sse"], total)

    def test_random_inputs_match_lstsq(self):
        rng = np.random.default_rng(20261208)
        for n_in, n_out, n_pat in [(3, 2, 3), (8, 8, 4), (5, 3, 12), (20, 7, 20), (40, 5, 9)]:
            inputs = rng.uniform(-1, 1, (n_in, n_pat))
            desired = rng.uniform(-1, 1, (n_out, n_pat))
            self.check_against_numpy(inputs, desired, f"random {n_in}x{n_out}x{n_pat}")

    def test_rank_deficient_inputs_match_lstsq(self):
        rng = np.random.default_rng(7)
        cases = []
        # Inner rank 2 through whole-number factors: products are exact.
        a = rng.integers(-3, 4, (6, 2)).astype(float)
        b = rng.integers(-3, 4, (2, 9)).astype(float)
        cases.append(("rank 2 of 6 x 9", a @ b))
        # A pattern repeated with the same inputs.
        x = rng.uniform(-1, 1, (4, 5))
        cases.append(("repeated pattern", np.hstack([x, x[:, :2]])))
        # An input unit that is always 0, and one that copies another.
        x = rng.uniform(-1, 1, (5, 8))
        x[1, :] = 0.0
        x[4, :] = x[2, :]
        cases.append(("dead and copied input units", x))
        # The example file's case: input 3 = input 1 + input 2.
        cases.append(("dependent", np.array([[1.0, 0, 1], [0, 1, 1], [1, 1, 2]])))
        for name, inputs in cases:
            # The rank decision must be clear-cut, or the two decompositions could disagree.
            s = np.linalg.svd(inputs, compute_uv=False)
            cutoff = max(inputs.shape) * np.finfo(float).eps * s[0]
            self.assertFalse(np.any((s > cutoff / 4) & (s < cutoff * 4)), name)
            desired = rng.uniform(-1, 1, (3, inputs.shape[1]))
            self.check_against_numpy(inputs, desired, name)

    def test_dependent_example_optimum_is_two_thirds(self):
        examples = os.environ.get("MNEMEX_EXAMPLES")
        if not examples:
            self.skipTest("MNEMEX_EXAMPLES not set")
        result, _ = self.run_batch(os.path.join(examples, "dependent.net"), "--rule", "delta",
                                   "--epochs", "500", "--least-squares")
        self.assertAlmostEqual(result["least_squares"]["total_sse"], 2 / 3, places=12)
        self.assertLess(result["total_sse"], 2 / 3)
        self.assertGreaterEqual(result["fixed_weight_sse"], 2 / 3)

    def test_npy_and_csv_equal_the_json_weights_bit_for_bit(self):
        rng = np.random.default_rng(3)
        for n_in, n_out, n_pat in [(7, 5, 6), (1, 1, 1), (3, 17, 2), (0, 2, 3), (2, 0, 3)]:
            net = os.path.join(self.dir, "export.net")
            write_net(net, rng.uniform(-1, 1, (n_in, n_pat)), rng.uniform(-1, 1, (n_out, n_pat)))
            npy = os.path.join(self.dir, "w.npy")
            csv = os.path.join(self.dir, "w.csv")
            result, _ = self.run_batch(net, "--rule", "delta", "--rate", "0.3", "--epochs", "7",
                                       "--weights-npy", npy, "--weights-csv", csv)
            expected = np.array(result["weights"], dtype="<f8").reshape(n_out, n_in)
            with open(npy, "rb") as f:
                self.assertEqual(f.read(8), b"\x93NUMPY\x01\x00", "format version 1.0")
            loaded = np.load(npy, allow_pickle=False)
            self.assertEqual(loaded.dtype.str, "<f8")
            self.assertEqual(loaded.shape, (n_out, n_in))
            self.assertTrue(loaded.flags["C_CONTIGUOUS"])
            self.assertEqual(loaded.tobytes(), expected.tobytes(), f"{n_in}x{n_out}")
            with open(csv, "rb") as f:
                lines = f.read().decode("ascii").split("\n")
            self.assertEqual(lines[-1], "", "every line ends with LF")
            rows = [[float(v) for v in line.split(",")] if line else [] for line in lines[:-1]]
            self.assertEqual(len(rows), n_out)
            if n_out:
                self.assertEqual(np.array(rows, dtype="<f8").reshape(n_out, n_in).tobytes(),
                                 expected.tobytes())

    def test_json_members(self):
        net = os.path.join(self.dir, "members.net")
        write_net(net, np.eye(3), np.ones((2, 3)))
        plain, _ = self.run_batch(net)
        self.assertEqual(list(plain), OLD_KEYS)
        ordered, _ = self.run_batch(net, "--order", "file", "--seed", "9")
        self.assertEqual(ordered, plain)  # file order given or not: the same JSON
        everything, _ = self.run_batch(net, "--order", "permuted", "--seed", "9223372036854775807",
                                       "--least-squares", "--test-all")
        self.assertEqual(list(everything), OLD_KEYS + ["order", "seed", "least_squares",
                                                       "fixed_weight_sse", "test_all"])
        self.assertEqual(everything["seed"], 9223372036854775807)
        self.assertEqual([row["pattern"] for row in everything["test_all"]], [1, 2, 3])
        self.assertEqual(list(everything["test_all"][0]), ["pattern", "sse", "ndp", "nvl", "vcor"])


if __name__ == "__main__":
    unittest.main()
