"""Bad input gets a clear exception and loses nothing; nothing crashes the interpreter."""
import math

import numpy as np
import pytest

import mnemex
from conftest import example, run_batch

NAN = float("nan")
INF = float("inf")


@pytest.fixture
def net():
    n = mnemex.load(example("dependent.net"))
    n.train(rule="delta", epochs=20)
    return n


def unchanged(before, after):
    return (before.epochs == after.epochs and before.total_sse == after.total_sse
            and np.array_equal(before.weights, after.weights))


# (call, exception, words in the message)
BAD_CALLS = [
    (lambda n: n.train(rule="oja"), ValueError, 'rule must be "hebb" or "delta", not "oja"'),
    (lambda n: n.train(rule=1), TypeError, "rule must be a str, not int"),
    (lambda n: n.train(stop="never"), ValueError, 'stop must be "epochs", "error" or "both"'),
    (lambda n: n.train(rate="0.1"), TypeError, "rate must be a real number, not str"),
    (lambda n: n.train(rate=True), TypeError, "rate must be a real number, not bool"),
    (lambda n: n.train(rate=NAN), ValueError, "rate must be a number, not nan"),
    (lambda n: n.train(rate=-INF), ValueError, "rate must be a finite number, not -inf"),
    (lambda n: n.train(rate=-0.5), ValueError, "Learning Rate: Learning rate cannot be negative"),
    (lambda n: n.train(min_error=INF, stop="error"), ValueError, "min_error must be a finite"),
    (lambda n: n.train(epochs=2.5), TypeError, "epochs must be a whole number, not float"),
    (lambda n: n.train(epochs=0), ValueError,
     "Maximum Epochs: Maximum number of training epochs must be greater than zero."),
    (lambda n: n.train(epochs=10**30), ValueError, "epochs must be at most 2147483647"),
    (lambda n: n.train(epochs=2**31), ValueError, "epochs must lie between 1 and 2147483647"),
    (lambda n: n.train(print_interval=-2**40), ValueError, "print_interval must lie between"),
    (lambda n: n.continue_training(epochs=2**31 - 5), ValueError,
     "more epochs would go past epoch 2147483647"),
    (lambda n: n.train(20), TypeError, ""),  # keywords only
    (lambda n: n.recall(0), ValueError, "pattern must lie between 1 and 3, not 0"),
    (lambda n: n.recall(4), ValueError, "pattern must lie between 1 and 3, not 4"),
    (lambda n: n.recall(1.0), TypeError, "pattern must be a whole number, not float"),
    (lambda n: n.recall("1"), TypeError, "pattern must be a whole number, not str"),
    (lambda n: n.recall(10**40), ValueError, "pattern must be at most 2147483647"),
    (lambda n: n.recall_vector([1, 2]), ValueError,
     "the input vector must have 3 values (one per input unit), not 2"),
    (lambda n: n.recall_vector([1, NAN, 2]), ValueError, "value 2 is nan"),
    (lambda n: n.recall_vector([1, 2, -INF]), ValueError, "value 3 is -inf"),
    (lambda n: n.recall_vector([[1, 2, 3]]), ValueError, "x must have 1 dimension, not 2"),
    (lambda n: n.recall_vector(["a", "b", "c"]), TypeError, "x must hold real numbers"),
    (lambda n: n.recall_vector([1j, 2, 3]), TypeError, "x must hold real numbers"),
    (lambda n: n.recall_vector(None), TypeError, "x must hold real numbers"),
    (lambda n: n.report("weights,colours"), ValueError, 'not "weights,colours"'),
    (lambda n: n.report(""), ValueError, "at least one section"),
    (lambda n: n.report(7), TypeError, "sections must be a str or a list of str, not int"),
    (lambda n: n.report([3]), TypeError, "each section must be a str, not int"),
    (lambda n: n.write_workbook(3.5), TypeError, "path must be a file name"),
    (lambda n: n.write_workbook("a\0b.xlsx"), ValueError, "must not contain a NUL"),
    (lambda n: n.train(order="random"), ValueError,
     'order must be "file" or "permuted", not "random"'),
    (lambda n: n.train(order=1), TypeError, "order must be a str, not int"),
    (lambda n: n.train(order="permuted", seed=-1), ValueError,
     "seed must lie between 0 and 9223372036854775807, not -1"),
    (lambda n: n.train(order="permuted", seed=2**63), ValueError,
     "seed must lie between 0 and 9223372036854775807, not 9223372036854775808"),
    (lambda n: n.continue_training(seed=2**70), ValueError, "not 1180591620717411303424"),
    (lambda n: n.train(order="permuted", seed=1.0), TypeError,
     "seed must be a whole number, not float"),
    (lambda n: n.train(order="permuted", rate=-1), ValueError, "Learning rate cannot be negative"),
    (lambda n: n.probe_distorted(4), ValueError, "pattern must lie between 1 and 3, not 4"),
    (lambda n: n.probe_distorted("1"), TypeError, "pattern must be a whole number, not str"),
    (lambda n: n.probe_distorted(1, noise_sd=-0.5), ValueError,
     "noise_sd must be 0 or more, not -0.5"),
    (lambda n: n.probe_distorted(1, noise_sd=NAN), ValueError, "noise_sd must be a number, not nan"),
    (lambda n: n.probe_distorted(1, noise_sd=INF), ValueError, "noise_sd must be a finite number"),
    (lambda n: n.probe_distorted(1, noise_sd="0.1"), TypeError,
     "noise_sd must be a real number, not str"),
    (lambda n: n.probe_distorted(1, zero_fraction=1.5), ValueError,
     "zero_fraction must lie between 0 and 1, not 1.5"),
    (lambda n: n.probe_distorted(1, zero_fraction=-0.1), ValueError,
     "zero_fraction must lie between 0 and 1, not -0.1"),
    (lambda n: n.probe_distorted(1, zero_fraction=None), TypeError,
     "zero_fraction must be a real number, not NoneType"),
    (lambda n: n.probe_distorted(1, seed=-3), ValueError, "seed must lie between 0 and"),
    (lambda n: n.probe_distorted(1, seed=True), TypeError, "seed must be a whole number, not bool"),
    (lambda n: n.write_weights_csv(None), TypeError, "path must be a file name"),
    (lambda n: n.write_weights_npy(b"w\0.npy"), ValueError, "must not contain a NUL"),
]


@pytest.mark.parametrize("call,error,words", BAD_CALLS)
def test_bad_calls_raise_and_change_nothing(net, call, error, words):
    before = mnemex.load(example("dependent.net"))
    before.train(rule="delta", epochs=20)
    with pytest.raises(error) as raised:
        call(net)
    assert words in str(raised.value)
    assert unchanged(before, net)
    # The network is still usable, with the settings of its last run.
    assert net.continue_training(epochs=1).epochs == 21


def test_refused_settings_keep_the_last_runs_settings(net):
    with pytest.raises(ValueError):
        net.train(rule="hebb", rate=-1)
    assert b"Learning rule: Delta\r\r\nLearning rate: 0.1\r\r\n" in net.report("general")


@pytest.mark.parametrize("content,words", [
    ("", "ends too early: value 1 (number of output units) is missing"),
    ("2 0 3", "value 4 (number of patterns) is missing"),
    ("1 0 1 1 0.5 nan", "has \"nan\" on line 1 where a number should be"),
    ("1 0 40000 1", "as the number of input units on line 1 (value 3)"),
    ("1 0 1 1 1,,2", "empty field between two commas"),
])
def test_bad_training_files_raise_the_readers_message(scratch, content, words):
    path = scratch / "bad.net"
    path.write_text(content)
    with pytest.raises(mnemex.TrainingFileError) as raised:
        mnemex.load(path)
    assert words in str(raised.value)
    assert str(raised.value).startswith('The training file "bad.net" ')
    # The batch command says the same.
    assert words in run_batch(path, check=False).stderr.decode()


def test_missing_file_and_folder(scratch):
    with pytest.raises(ValueError, match="cannot be opened"):
        mnemex.load(scratch / "none.net")
    with pytest.raises(mnemex.TrainingFileError, match="it is a folder, not a file"):
        mnemex.load(scratch)
    with pytest.raises(TypeError, match="path must be a file name"):
        mnemex.load(42)


@pytest.mark.parametrize("inputs,targets,error,words", [
    ([[1, 2], [3, 4]], [[1]], mnemex.TrainingFileError,
     "inputs has 2 rows, targets 1"),
    ([[1, NAN]], [[1]], mnemex.TrainingFileError,
     "have nan as input value 2 of pattern 1; every value must be a finite number"),
    ([[1, 2]], [[INF]], mnemex.TrainingFileError, "have inf as desired output value 1"),
    (np.zeros((1, 40000)), np.zeros((1, 1)), mnemex.TrainingFileError,
     "give 40000 as the number of input units; it must lie between 0 and 32767"),
    ([1, 2, 3], [[1]], ValueError, "inputs must have 2 dimensions, not 1"),
    ([[1, 2], [3]], [[1], [2]], ValueError, "inputs cannot be read as an array of numbers"),
    ([["a", "b"]], [[1]], TypeError, "inputs must hold real numbers"),
])
def test_bad_pattern_arrays(inputs, targets, error, words):
    with pytest.raises(error) as raised:
        mnemex.Network(inputs, targets)
    assert words in str(raised.value)


def test_divergence_raises_training_error_and_keeps_the_run_as_far_as_it_got():
    net = mnemex.load(example("letters.net"))
    with pytest.raises(mnemex.TrainingError) as raised:
        net.train(rule="delta", rate=5.0, epochs=100000)
    message = str(raised.value)
    assert message.startswith("This version of the code has encountered an error.\n")
    assert "\nOverflow" in message
    assert 1 < net.epochs < 100000
    assert np.isfinite(net.weights).all() and math.isfinite(net.total_sse)
    # As the desktop program, which hides Continue Training after an error.
    with pytest.raises(RuntimeError, match="no training run to continue"):
        net.continue_training(epochs=1)
    assert net.train(rule="delta", rate=0.02, epochs=3).epochs == 3


def test_hebb_overflow_gives_the_batch_commands_message():
    path = example("letters.net")
    with pytest.raises(mnemex.TrainingError) as raised:
        mnemex.load(path).train(rule="hebb", rate=1e300, epochs=100)
    batch = run_batch(path, "--rate", "1e300", check=False)
    assert batch.returncode == 1
    # The same lines; the batch command joins them into one line on standard error.
    joined = " ".join(line.strip() for line in str(raised.value).splitlines())
    assert batch.stderr.decode() == "mnemex-batch: " + joined + "\n"


def test_responses_too_large_for_a_double_raise_overflow_error():
    net = mnemex.Network([[1, 1]], [[1]])
    net.train(rule="hebb", rate=1, epochs=1)
    assert net.recall_vector([1e308, 0]).tolist() == [1e308]
    with pytest.raises(OverflowError, match="the responses cannot be computed: Overflow"):
        net.recall_vector([1e308, 1e308])


def test_continue_before_any_run():
    with pytest.raises(RuntimeError, match="train\\(\\) first"):
        mnemex.load(example("dependent.net")).continue_training()


@pytest.mark.parametrize("write", ["write_weights_csv", "write_weights_npy"])
def test_unwritable_weight_exports_raise_os_error_and_leave_nothing(scratch, write):
    net = mnemex.load(example("dependent.net"))
    with pytest.raises(FileNotFoundError) as raised:
        getattr(net, write)(scratch / "no such folder" / "w")
    assert "could not be written: No such file or directory" in str(raised.value)
    assert raised.value.filename == str(scratch / "no such folder" / "w")
    with pytest.raises(IsADirectoryError):
        getattr(net, write)(scratch)
    assert list(scratch.iterdir()) == []


def test_unwritable_workbook_raises_workbook_error(scratch):
    net = mnemex.load(example("dependent.net"))
    with pytest.raises(mnemex.WorkbookError) as raised:
        net.write_workbook(scratch / "no such folder" / "s.xlsx")
    assert "s.xlsx" in str(raised.value)
    assert list(scratch.iterdir()) == []
