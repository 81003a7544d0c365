"""What a Python user sees of a network: sizes, arrays, runs, recall and reset."""
import numpy as np
import pytest

import mnemex
from conftest import example, write_net


@pytest.fixture
def letters():
    return mnemex.load(example("letters.net"))


def test_sizes_and_pattern_arrays_follow_the_file(scratch):
    inputs = [[1, 0.5, -2], [0, 3, 1.25]]
    targets = [[0.25], [-1]]
    net = mnemex.load(write_net(scratch, "two.net", inputs, targets, spare=99))
    assert (net.num_inputs, net.num_outputs, net.num_patterns) == (3, 1, 2)
    assert net.name == "two.net"
    assert net.inputs.tolist() == inputs
    assert net.targets.tolist() == targets
    assert net.weights.shape == (1, 3) and not net.weights.any()
    assert (net.epochs, net.total_sse, net.history.shape) == (0, 0.0, (0, 2))


def test_arrays_handed_out_are_copies(letters):
    letters.train(rule="delta", rate=0.02, epochs=3)
    for name in ("inputs", "targets", "weights", "history"):
        first = getattr(letters, name)
        first[...] = 123.0
        assert not np.array_equal(getattr(letters, name), first), name


def test_orthonormal_patterns_are_recalled_after_one_hebb_epoch():
    net = mnemex.load(example("orthogonal.net"))
    run = net.train(rule="hebb", rate=1, epochs=1)
    assert run.total_sse == 0.0
    assert run.change is None  # only epoch 1: no change is defined
    for p in range(1, net.num_patterns + 1):
        assert np.array_equal(net.recall(p), net.targets[p - 1])


def test_hebb_first_epoch_adds_rate_times_input_times_target():
    net = mnemex.load(example("independent.net"))
    net.train(rule="hebb", rate=0.5, epochs=1)
    assert np.allclose(net.weights, 0.5 * net.targets.T @ net.inputs, rtol=0, atol=1e-15)


def test_run_reports_epochs_total_change_and_history(letters):
    run = letters.train(rule="delta", rate=0.02, epochs=100, min_error=0.01, stop="both",
                        print_interval=1)
    assert run.epochs == 48  # the error test ended it first
    assert run.total_sse < 0.01 <= run.history[-2, 1]
    assert run.history[:, 0].tolist() == list(range(49))
    assert run.change == run.history[-2, 1] - run.history[-1, 1]
    assert "epochs=48" in repr(run)


def test_continue_counts_on_and_defaults_to_the_last_runs_settings(letters):
    letters.train(rule="delta", rate=0.02, epochs=10, print_interval=5)
    run = letters.continue_training(epochs=7)
    assert run.epochs == 17
    # History: epoch 0, 5, 10, then every 5 epochs from this call's start: 15.
    assert run.history[:, 0].tolist() == [0, 5, 10, 15]
    once = mnemex.load(example("letters.net"))
    once.train(rule="delta", rate=0.02, epochs=17)
    assert np.array_equal(once.weights, letters.weights)
    # A keyword given to continue_training overrides only itself.
    switched = letters.continue_training(epochs=1, rule="hebb", rate=0.0)
    assert switched.epochs == 18 and np.array_equal(once.weights, letters.weights)
    assert b"Learning rule: Hebb" in letters.report("general")


def test_train_starts_afresh_with_zero_weights(letters):
    first = letters.train(rule="delta", rate=0.02, epochs=12)
    letters.continue_training(epochs=5)
    again = letters.train(rule="delta", rate=0.02, epochs=12)
    assert (again.epochs, again.total_sse) == (first.epochs, first.total_sse)
    assert np.array_equal(again.history, first.history)


def test_reset_clears_weights_and_continue_counts_on_from_the_old_epoch(letters):
    letters.train(rule="delta", rate=0.02, epochs=20)
    letters.reset()
    assert not letters.weights.any()
    assert letters.epochs == 20
    run = letters.continue_training(epochs=6)
    assert run.epochs == 26
    fresh = mnemex.load(example("letters.net"))
    fresh.train(rule="delta", rate=0.02, epochs=6)
    assert np.array_equal(fresh.weights, letters.weights)


def test_recall_vector_equals_recall_for_training_patterns_and_is_linear(letters):
    letters.train(rule="delta", rate=0.02, epochs=30)
    for p in range(1, letters.num_patterns + 1):
        assert np.array_equal(letters.recall_vector(letters.inputs[p - 1]), letters.recall(p))
    x = np.zeros(letters.num_inputs)
    assert not letters.recall_vector(x).any()
    x[5] = 2.0
    assert np.array_equal(letters.recall_vector(x), 2.0 * letters.weights[:, 5])
    assert np.array_equal(letters.recall_vector(list(x)), letters.recall_vector(x))


def test_network_from_arrays_trains_as_its_file_does(scratch):
    rng = np.random.default_rng(3)
    inputs = rng.integers(-3, 4, (6, 5)).astype(np.int32)  # any real dtype is taken
    targets = rng.uniform(-1, 1, (6, 4))
    net = mnemex.Network(inputs, targets, name="mine.net")
    from_file = mnemex.load(write_net(scratch, "mine.net", inputs.tolist(), targets.tolist()))
    a = net.train(rule="delta", rate=0.03, epochs=15)
    b = from_file.train(rule="delta", rate=0.03, epochs=15)
    assert (a.total_sse, net.weights.tolist()) == (b.total_sse, from_file.weights.tolist())
    assert b"Results Of Training With File: mine.net" in net.report()


def test_empty_network_trains_and_reports():
    net = mnemex.Network(np.zeros((0, 3)), np.zeros((0, 2)))
    run = net.train(epochs=4)
    assert (run.epochs, run.total_sse) == (4, 0.0)
    assert net.weights.shape == (2, 3)
    with pytest.raises(ValueError, match="no patterns to recall"):
        net.recall(1)


def test_workbook_is_written_and_replaces_a_file(scratch):
    net = mnemex.load(example("independent.net"))
    net.train(rule="delta", rate=0.2, epochs=10)
    target = scratch / "summary.xlsx"
    target.write_bytes(b"old")
    net.write_workbook(target)
    assert target.read_bytes()[:2] == b"PK"
    assert sorted(p.name for p in scratch.iterdir()) == ["summary.xlsx"]


def test_help_reads_well():
    doc = mnemex.__doc__
    assert "associative memory" in doc and "TrainingFileError" in doc
    assert mnemex.Network.train.__doc__.startswith("train(*, rule='hebb'")
    for name in ("load", "Network", "TrainingRun", "TrainingError", "TrainingFileError",
                 "WorkbookError"):
        assert getattr(mnemex, name).__doc__, name
    assert issubclass(mnemex.TrainingFileError, ValueError)
    assert issubclass(mnemex.WorkbookError, OSError)
