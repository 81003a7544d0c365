"""The module and mnemex-batch give the same bits for the same file and settings."""
import numpy as np
import pytest

import mnemex
from conftest import batch_json, example, run_batch, write_net

# (file, rule, rate, epochs, stop, min_error, print_interval): one run per way of ending,
# since the module turns its keywords into the settings the batch command's options give;
# the runs themselves are the training session's to test.
RUNS = [
    ("dependent.net", "delta", 0.1, 250, "epochs", 0.05, 7),
    ("dependent.net", "hebb", 0.05, 30, "both", 0.5, 3),
    ("letters.net", "delta", 0.013, 60, "error", 0.5, 4),
]


def batch_args(path, rule, rate, epochs, stop, min_error, interval):
    return [path, "--rule", rule, "--rate", repr(rate), "--epochs", epochs, "--stop", stop,
            "--min-error", repr(min_error), "--print-interval", interval]


def assert_same(net, run, expected):
    assert run.epochs == net.epochs == expected["epochs"]
    assert run.total_sse == net.total_sse == expected["total_sse"]
    assert net.weights.tolist() == expected["weights"]
    assert run.history.tolist() == expected["history"]


@pytest.mark.parametrize("name,rule,rate,epochs,stop,min_error,interval", RUNS)
def test_training_matches_the_batch_command(name, rule, rate, epochs, stop, min_error,
                                            interval):
    path = example(name)
    expected = batch_json(*batch_args(path, rule, rate, epochs, stop, min_error, interval))
    net = mnemex.load(path)
    run = net.train(rule=rule, rate=rate, epochs=epochs, stop=stop, min_error=min_error,
                    print_interval=interval)
    assert_same(net, run, expected)


def test_continuing_matches_the_batch_commands_continue(scratch):
    rng = np.random.default_rng(7)
    inputs = rng.uniform(-1, 1, (30, 20))
    targets = rng.uniform(-1, 1, (30, 12))
    path = write_net(scratch, "random.net", inputs.tolist(), targets.tolist())
    expected = batch_json(*batch_args(path, "delta", 0.01, 40, "epochs", 0.05, 3),
                          "--continue", 25, "--continue", 9)
    net = mnemex.load(path)
    net.train(rule="delta", rate=0.01, epochs=40, print_interval=3)
    net.continue_training(epochs=25)
    run = net.continue_training(epochs=9)
    assert_same(net, run, expected)
    # The arrays read from the same file are the same network.
    from_arrays = mnemex.Network(net.inputs, net.targets, name="random.net")
    same = from_arrays.train(rule="delta", rate=0.01, epochs=74, print_interval=1)
    assert same.total_sse == run.total_sse
    assert np.array_equal(from_arrays.weights, net.weights)


def masked(report):
    """The report's lines, with the date and time of analysis left out."""
    return [line for line in report.split(b"\r\r\n")
            if not line.startswith((b"Date Of Analysis: ", b"Time Of Analysis: "))]


@pytest.mark.parametrize("sections", [None, "all", "inputs,sse", "general"])
def test_report_is_the_batch_commands_report(scratch, sections):
    path = example("dependent.net")
    target = scratch / "report.txt"
    extra = ["--sections", sections] if sections else []
    run_batch(path, "--rule", "delta", "--epochs", 33, "--print-interval", 4,
              "--report", target, *extra)
    net = mnemex.load(path)
    net.train(rule="delta", epochs=33, print_interval=4)
    ours = net.report(sections=sections)
    theirs = target.read_bytes()
    assert masked(ours) == masked(theirs)
    assert len(ours.split(b"\r\r\n")) == len(theirs.split(b"\r\r\n"))


def test_report_takes_a_list_of_sections():
    net = mnemex.load(example("independent.net"))
    net.train(rule="delta", rate=0.2, epochs=5)
    assert masked(net.report(["weights", "sse"])) == masked(net.report("weights,sse"))
    text = net.report("weights")
    assert b"Connection weights from input units (rows) to output units (columns):" in text
    assert b"Learning rule:" not in text


def test_workbook_holds_what_the_batch_commands_workbook_holds(scratch):
    openpyxl = pytest.importorskip("openpyxl")
    path = example("letters.net")
    run_batch(path, "--rule", "delta", "--rate", "0.02", "--epochs", 20, "--xlsx",
              scratch / "batch.xlsx")
    net = mnemex.load(path)
    net.train(rule="delta", rate=0.02, epochs=20)
    net.write_workbook(scratch / "module.xlsx")
    theirs = openpyxl.load_workbook(scratch / "batch.xlsx")
    ours = openpyxl.load_workbook(str(scratch / "module.xlsx"))
    assert ours.sheetnames == theirs.sheetnames
    assert ({d.name: d.attr_text for d in ours.defined_names.definedName}
            == {d.name: d.attr_text for d in theirs.defined_names.definedName})
    for name in ours.sheetnames:
        for ours_row, theirs_row in zip(ours[name].iter_rows(), theirs[name].iter_rows(),
                                        strict=True):
            for a, b in zip(ours_row, theirs_row, strict=True):
                if name == "General Information" and a.coordinate in ("B3", "B4"):
                    continue  # the date and time of analysis
                assert (a.value, a.number_format) == (b.value, b.number_format), a.coordinate
