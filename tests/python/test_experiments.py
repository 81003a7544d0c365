"""Permuted pattern order, recall measures, least squares, distorted probes and weight
exports as the module hands them out: the same numbers and bytes as mnemex-batch's
experiment options. What the numbers are is the core's to test (tests/core); here, one case
of each shows the module passes its arguments and results through unchanged."""
import math
import pathlib
import sys

import numpy as np
import pytest

import mnemex
from conftest import batch_json, example, run_batch, write_net

sys.path.insert(0, str(pathlib.Path(__file__).parents[1] / "core"))
from pattern_order_reference import MT19937_64, shuffle  # noqa: E402

SEED_LIMIT = 2**63 - 1

# (file, rule, rate, epochs, print_interval, seed)
PERMUTED_RUNS = [
    ("independent.net", "delta", 0.2, 40, 5, SEED_LIMIT),
]


def run_args(path, rule, rate, epochs, interval):
    return [path, "--rule", rule, "--rate", repr(rate), "--epochs", epochs,
            "--print-interval", interval]


def assert_same_run(net, run, expected):
    assert run.epochs == net.epochs == expected["epochs"]
    assert run.total_sse == net.total_sse == expected["total_sse"]
    assert net.weights.tolist() == expected["weights"]
    assert run.history.tolist() == expected["history"]


@pytest.mark.parametrize("name,rule,rate,epochs,interval,seed", PERMUTED_RUNS)
def test_permuted_training_matches_the_batch_command(name, rule, rate, epochs, interval, seed):
    path = example(name)
    expected = batch_json(*run_args(path, rule, rate, epochs, interval),
                          "--order", "permuted", "--seed", seed)
    net = mnemex.load(path)
    run = net.train(rule=rule, rate=rate, epochs=epochs, print_interval=interval,
                    order="permuted", seed=seed)
    assert_same_run(net, run, expected)


def test_continuing_keeps_the_last_runs_order_as_the_batch_commands_continue(scratch):
    rng = np.random.default_rng(11)
    path = write_net(scratch, "random.net", rng.uniform(-1, 1, (25, 16)).tolist(),
                     rng.uniform(-1, 1, (25, 6)).tolist())
    expected = batch_json(*run_args(path, "delta", 0.01, 30, 4), "--order", "permuted",
                          "--seed", 2**62, "--continue", 12, "--continue", 5)
    net = mnemex.load(path)
    net.train(rule="delta", rate=0.01, epochs=30, print_interval=4, order="permuted",
              seed=2**62)
    net.continue_training(epochs=12)
    run = net.continue_training(epochs=5)
    assert_same_run(net, run, expected)
    # Each epoch's order depends on the seed and the epoch only: one long run ends alike.
    whole = mnemex.load(path)
    whole.train(rule="delta", rate=0.01, epochs=47, order="permuted", seed=2**62)
    assert whole.total_sse == net.total_sse
    assert np.array_equal(whole.weights, net.weights)


def test_continuing_can_change_the_order():
    path = example("dependent.net")
    net = mnemex.load(path)
    net.train(rule="delta", epochs=10, order="permuted", seed=5)
    net.continue_training(epochs=10, order="file")
    permuted_throughout = mnemex.load(path)
    permuted_throughout.train(rule="delta", epochs=10, order="permuted", seed=5)
    permuted_throughout.continue_training(epochs=10)
    assert net.epochs == permuted_throughout.epochs == 20
    assert not np.array_equal(net.weights, permuted_throughout.weights)


EXPERIMENT_CASES = [
    ("dependent.net", ["--rule", "delta", "--epochs", "500"]),
    ("letters.net", ["--rule", "delta", "--rate", "0.02", "--epochs", "40", "--order",
                     "permuted", "--seed", "3"]),
    ("independent.net", ["--rule", "hebb", "--rate", "0.5", "--epochs", "2"]),
    ("orthogonal.net", ["--rule", "hebb", "--rate", "0", "--epochs", "1"]),
]


def module_run(name, args):
    """The network trained through the module as the batch arguments ask."""
    options = dict(zip(args[::2], args[1::2]))
    net = mnemex.load(example(name))
    net.train(rule=options["--rule"], rate=float(options.get("--rate", "0.1")),
              epochs=int(options["--epochs"]), order=options.get("--order", "file"),
              seed=int(options.get("--seed", "1")))
    return net


@pytest.mark.parametrize("name,args", EXPERIMENT_CASES[1:2])
def test_test_all_and_least_squares_match_the_batch_command(name, args):
    expected = batch_json(example(name), *args, "--test-all", "--least-squares")
    net = module_run(name, args)
    assert net.weights.tolist() == expected["weights"]
    assert net.test_all() == expected["test_all"]
    solved = net.least_squares()
    assert solved["total_sse"] == expected["least_squares"]["total_sse"]
    assert solved["weights"].tolist() == expected["least_squares"]["weights"]
    assert solved["rank"] == np.linalg.matrix_rank(net.inputs)
    assert net.fixed_weight_sse() == expected["fixed_weight_sse"]


def test_least_squares_is_skipped_beyond_the_size_limit():
    net = mnemex.Network(np.eye(2000), np.ones((2000, 1)), name="big")
    skipped = net.least_squares()
    assert list(skipped) == ["skipped"]
    assert skipped["skipped"].startswith("The least-squares weights were not computed: 2")
    assert skipped["skipped"].endswith(" patterns are too many to decompose in a few seconds.")
    # The untrained weights recall nothing: every target's square counts.
    assert net.fixed_weight_sse() == 2000.0


@pytest.mark.parametrize("name,args", EXPERIMENT_CASES[1:2])
def test_weight_exports_are_the_batch_commands_bytes(scratch, name, args):
    run_batch(example(name), *args, "--weights-csv", scratch / "batch.csv",
              "--weights-npy", scratch / "batch.npy")
    net = module_run(name, args)
    net.write_weights_csv(scratch / "module.csv")
    net.write_weights_npy(str(scratch / "module.npy"))
    for kind in ("csv", "npy"):
        assert (scratch / f"module.{kind}").read_bytes() == (scratch / f"batch.{kind}").read_bytes()
    loaded = np.load(scratch / "module.npy", allow_pickle=False)
    assert loaded.dtype == np.float64 and np.array_equal(loaded, net.weights)
    rows = (scratch / "module.csv").read_text().splitlines()
    assert [[float(v) for v in row.split(",")] for row in rows] == net.weights.tolist()


def test_weight_exports_replace_an_old_file(scratch):
    target = scratch / "w.csv"
    target.write_text("old contents that are longer than the new ones\n" * 100)
    net = mnemex.Network([[1, 0], [0, 1]], [[2], [3]])
    net.train(rule="hebb", rate=1, epochs=1)
    net.write_weights_csv(target)
    assert target.read_bytes() == b"2,3\n"
    assert sorted(p.name for p in scratch.iterdir()) == ["w.csv"]


def reference_distortion(inputs, noise_sd, zero_fraction, seed):
    """Box-Muller noise and the zeroed units, from the hand-written MT19937-64."""
    engine = MT19937_64(seed)
    values = [float(v) for v in inputs]
    n = len(values)
    for i in range(0, n, 2):
        u1 = ((engine.next() >> 11) + 1) / 2.0**53
        u2 = ((engine.next() >> 11) + 1) / 2.0**53
        r = math.sqrt(-2.0 * math.log(u1))
        g = (r * math.cos(2.0 * math.pi * u2), r * math.sin(2.0 * math.pi * u2))
        for k in range(2):
            if noise_sd != 0.0 and i + k < n:
                values[i + k] = values[i + k] + noise_sd * g[k]
    units = shuffle(engine, n)
    zeroed = units[:int(math.floor(zero_fraction * n + 0.5))]
    for unit in zeroed:
        values[unit - 1] = 0.0
    return values, zeroed


@pytest.mark.parametrize("pattern,noise_sd,zero_fraction,seed", [
    (5, 0.05, 0.125, SEED_LIMIT),
])
def test_distorted_probe_follows_the_reference_draws(pattern, noise_sd, zero_fraction, seed):
    net = module_run(*EXPERIMENT_CASES[1])
    probe = net.probe_distorted(pattern, noise_sd=noise_sd, zero_fraction=zero_fraction,
                                seed=seed)
    values, zeroed = reference_distortion(net.inputs[pattern - 1], noise_sd, zero_fraction,
                                          seed)
    assert probe["zeroed"] == zeroed
    assert len(zeroed) == round(zero_fraction * net.num_inputs)
    assert probe["inputs"] == pytest.approx(values, rel=1e-14, abs=1e-15)
    assert np.array_equal(probe["outputs"], net.recall_vector(probe["inputs"]))
    a, t = probe["outputs"], net.targets[pattern - 1]
    assert probe["pattern"] == pattern
    assert probe["sse"] == sum((float(v) - float(u)) ** 2 for u, v in zip(a, t))
    assert probe["nvl"] == math.sqrt(sum(float(u) * float(u) for u in a) / net.num_outputs)
    # The same seed gives the same probe.
    again = net.probe_distorted(pattern, noise_sd, zero_fraction, seed)
    assert np.array_equal(again["inputs"], probe["inputs"]) and again["sse"] == probe["sse"]


def test_an_undamaged_probe_is_the_pattern_itself():
    net = module_run(*EXPERIMENT_CASES[0])
    weights = net.weights
    for row in net.test_all():
        p = row["pattern"]
        probe = net.probe_distorted(p)
        assert np.array_equal(probe["inputs"], net.inputs[p - 1])
        assert np.array_equal(probe["outputs"], net.recall(p))
        assert probe["zeroed"] == []
        assert {k: probe[k] for k in row} == row
    assert np.array_equal(net.weights, weights)
