"""Saving a network and resuming it later, from Python, to the bit."""
import json
import os
import shutil
import subprocess
import threading

import numpy as np
import pytest

import mnemex
from conftest import example, run_batch


def assert_same_network(net, run, ref_net, ref_run):
    assert net.weights.tobytes() == ref_net.weights.tobytes()
    assert net.epochs == ref_net.epochs
    assert run.total_sse == ref_run.total_sse
    assert run.change == ref_run.change
    assert run.history.tobytes() == ref_run.history.tobytes()


# Every rule and order resumes to the bit in the training session's own tests; here, that
# the module hands the saved settings on as the defaults of the next run.
def test_a_resumed_run_equals_one_long_run(scratch):
    name, rule, rate, order = "letters.net", "delta", 0.137, "permuted"
    state = scratch / "half.json"
    net = mnemex.load(example(name))
    net.train(rule=rule, rate=rate, epochs=50, order=order, seed=11, print_interval=3)
    net.save_state(state)
    ref_run = net.continue_training(epochs=50)

    resumed = mnemex.load_state(state, training_file=example(name))
    assert resumed.name == name
    assert resumed.epochs == 50
    run = resumed.continue_training(epochs=50)
    assert_same_network(resumed, run, net, ref_run)
    # The saved settings are the defaults of the next run, as the last run's are.
    assert resumed.continue_training().epochs == net.continue_training().epochs == 150
    assert resumed.weights.tobytes() == net.weights.tobytes()


@pytest.mark.parametrize("order", ["file", "permuted"])
def test_the_module_saves_the_same_bytes_as_the_batch_command(scratch, order):
    path = example("letters.net")
    batch_state = scratch / "batch.json"
    run_batch(path, "--rule", "delta", "--rate", "0.02", "--epochs", "40", "--print-interval",
              "1", "--order", order, "--seed", "9", "--save-state", batch_state)
    net = mnemex.load(path)
    net.train(rule="delta", rate=0.02, epochs=40, print_interval=1, order=order, seed=9)
    net.save_state(scratch / "module.json")
    assert (scratch / "module.json").read_bytes() == batch_state.read_bytes()
    # And a state the batch command saved resumes in Python as it resumes there.
    resumed = mnemex.load_state(batch_state, training_file=path)
    assert resumed.weights.tobytes() == net.weights.tobytes()
    resumed.save_state(scratch / "again.json")
    assert (scratch / "again.json").read_bytes() == batch_state.read_bytes()


def test_the_training_file_is_found_beside_the_state(scratch):
    shutil.copy(example("dependent.net"), scratch / "dependent.net")
    net = mnemex.load(scratch / "dependent.net")
    net.train(rule="delta", epochs=20)
    net.save_state(scratch / "saved.json")
    resumed = mnemex.load_state(scratch / "saved.json")
    assert resumed.weights.tobytes() == net.weights.tobytes()


def test_opening_refuses_with_the_file_and_the_reason(scratch):
    net = mnemex.load(example("dependent.net"))
    net.train(rule="delta", epochs=20)
    state = scratch / "saved.json"
    net.save_state(state)
    with pytest.raises(mnemex.SavedNetworkError, match="SHA-256 differs"):
        mnemex.load_state(state, training_file=example("independent.net"))
    with pytest.raises(mnemex.SavedNetworkError, match="cannot be read"):
        mnemex.load_state(state)  # no dependent.net beside it
    text = state.read_text()
    state.write_text(text[: len(text) // 2])
    with pytest.raises(mnemex.SavedNetworkError, match="damaged or cut short") as refused:
        mnemex.load_state(state, training_file=example("dependent.net"))
    assert str(state) in str(refused.value)
    state.write_text(text.replace('"version": 1', '"version": 7'))
    with pytest.raises(ValueError, match="format version 7, newer than this program reads"):
        mnemex.load_state(state, training_file=example("dependent.net"))


def test_saving_needs_a_trained_network_from_a_file(scratch):
    net = mnemex.load(example("dependent.net"))
    with pytest.raises(RuntimeError, match="train\\(\\) first"):
        net.save_state(scratch / "x.json")
    arrays = mnemex.Network(np.eye(2), np.eye(2))
    arrays.train(epochs=3)
    with pytest.raises(RuntimeError, match="made from arrays"):
        arrays.save_state(scratch / "x.json")
    net.train(epochs=3)
    with pytest.raises(OSError, match="cannot be saved"):
        net.save_state(scratch)  # a folder
    assert list(scratch.iterdir()) == []


def bounded(call, fifo, seconds=10):
    """Runs call() on a thread of its own and returns or raises what it did. A call still
    waiting after `seconds` fails the test; the FIFO is then opened for writing again and
    again, which ends any read waiting on it, so the test never hangs."""
    outcome = {}

    def run():
        try:
            outcome["value"] = call()
        except BaseException as e:  # handed to the test's own thread
            outcome["error"] = e

    thread = threading.Thread(target=run, daemon=True)
    thread.start()
    thread.join(seconds)
    waited = thread.is_alive()
    while thread.is_alive():
        try:
            os.close(os.open(fifo, os.O_WRONLY | os.O_NONBLOCK))
        except OSError:
            pass
        thread.join(0.02)
    assert not waited, f"still waiting after {seconds} s"
    if "error" in outcome:
        raise outcome["error"]
    return outcome["value"]


def saved_state(scratch, name="dependent.net"):
    shutil.copy(example(name), scratch / name)
    net = mnemex.load(scratch / name)
    net.train(rule="delta", epochs=5, order="permuted", seed=3)
    net.save_state(scratch / "saved.json")
    return net, scratch / "saved.json"


# Which names a state may use is the training session's to test; here, the hint Python adds.
def test_a_state_naming_a_path_asks_for_training_file(scratch):
    _, state = saved_state(scratch)
    state.write_text(state.read_text().replace('"dependent.net"', '"../dependent.net"'))
    with pytest.raises(mnemex.SavedNetworkError,
                       match="not a plain file name beside it. Pass training_file="):
        mnemex.load_state(state)


def test_a_network_trained_on_a_pipe_is_not_saved(scratch):
    fifo = scratch / "pipe.net"
    os.mkfifo(fifo)
    # Fed by another process: load() reads with the GIL held.
    writer = subprocess.Popen(["sh", "-c", 'cat "$1" > "$2"', "sh", example("dependent.net"),
                               str(fifo)])
    net = mnemex.load(fifo)
    writer.wait(10)
    net.train(epochs=3)
    with pytest.raises(mnemex.SavedNetworkError, match="pipe, device or socket, not a file"):
        bounded(lambda: net.save_state(scratch / "saved.json"), fifo)
    assert not (scratch / "saved.json").exists()


# Any seed a state may hold (0 to 2^64-1) is carried on; typed seeds keep their range.
def test_a_seed_beyond_2_63_is_continued(scratch):
    _, state = saved_state(scratch)
    seed = 2**64 - 5
    state.write_text(state.read_text().replace('"seed": 3', f'"seed": {seed}'))
    resumed = mnemex.load_state(state)
    assert resumed.continue_training(epochs=4).epochs == 9
    resumed.save_state(scratch / "again.json")
    assert json.loads((scratch / "again.json").read_text())["seed"] == seed
    with pytest.raises(ValueError, match="seed must lie between 0 and 9223372036854775807"):
        resumed.continue_training(seed=2**63)
