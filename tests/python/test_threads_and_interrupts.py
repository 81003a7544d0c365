"""Training releases the GIL, refuses other calls on the same network meanwhile, and stops
after the current epoch on Ctrl-C."""
import _thread
import threading
import time

import numpy as np
import pytest

import mnemex
from conftest import example

# Settings that never end by themselves: the error test can never hold.
ENDLESS = dict(rule="delta", rate=0.02, stop="error", min_error=-1.0, print_interval=1000)


def when_training(net, action, timeout=30.0):
    """Runs action() in another thread as soon as `net` is training; returns the thread."""
    def watch():
        end = time.monotonic() + timeout
        while not net.training and time.monotonic() < end:
            time.sleep(0.001)
        action()
    thread = threading.Thread(target=watch)
    thread.start()
    return thread


def test_ctrl_c_ends_the_run_after_an_epoch_and_keeps_it():
    net = mnemex.load(example("letters.net"))
    thread = when_training(net, lambda: (time.sleep(0.1), _thread.interrupt_main()))
    with pytest.raises(KeyboardInterrupt):
        net.train(**ENDLESS)
    thread.join()
    assert not net.training
    stopped_at = net.epochs
    assert stopped_at > 0
    # The network holds the run as far as it got: the same as a run of that many epochs.
    again = mnemex.load(example("letters.net"))
    again.train(rule="delta", rate=0.02, epochs=stopped_at)
    assert np.array_equal(again.weights, net.weights)
    assert net.continue_training(epochs=2, stop="epochs").epochs == stopped_at + 2


def test_other_calls_raise_runtime_error_while_training():
    net = mnemex.load(example("letters.net"))
    other = mnemex.load(example("letters.net"))
    seen = {}

    def probe():
        for name, call in [("weights", lambda: net.weights),
                           ("recall", lambda: net.recall(1)),
                           ("train", lambda: net.train(epochs=1)),
                           ("reset", net.reset),
                           ("report", net.report)]:
            try:
                call()
                seen[name] = "returned"
            except RuntimeError as e:
                seen[name] = str(e)
        seen["other network"] = other.train(epochs=3).epochs  # not blocked by the first
        _thread.interrupt_main()

    thread = when_training(net, probe)
    with pytest.raises(KeyboardInterrupt):
        net.train(**ENDLESS)
    thread.join()
    assert seen.pop("other network") == 3
    assert set(seen) == {"weights", "recall", "train", "reset", "report"}
    for name, message in seen.items():
        assert "this network is training in another call" in message, name
    assert net.weights.any()


def test_training_in_a_thread_lets_python_run_meanwhile():
    net = mnemex.load(example("letters.net"))
    ticks = []
    result = {}

    def train():
        result["run"] = net.train(rule="delta", rate=0.02, epochs=200000)

    thread = threading.Thread(target=train)
    thread.start()
    while thread.is_alive():
        ticks.append(time.monotonic())
        time.sleep(0.001)
    thread.join()
    assert result["run"].epochs == 200000
    assert len(ticks) > 5  # the main thread kept running while the other trained
