"""Shared fixtures for the mnemex module's tests.

ctest runs these with PYTHONPATH holding the built module and MNEMEX_BATCH naming the built
batch command; every file a test writes goes to a folder under TMPDIR that is removed when
the test ends.
"""
import json
import os
import pathlib
import subprocess
import tempfile

import pytest

EXAMPLES = pathlib.Path(os.environ.get("MNEMEX_EXAMPLES",
                                       pathlib.Path(__file__).parents[2] / "examples"))


@pytest.fixture
def scratch():
    """A fresh folder under TMPDIR, removed with everything in it after the test."""
    with tempfile.TemporaryDirectory(prefix="mnemex-py-") as folder:
        yield pathlib.Path(folder)


def example(name):
    return str(EXAMPLES / name)


def batch_command():
    path = os.environ.get("MNEMEX_BATCH")
    if not path:
        pytest.skip("MNEMEX_BATCH names no batch command")
    return path


def run_batch(*args, check=True):
    """Runs mnemex-batch with the C locale; returns the completed process."""
    env = dict(os.environ, LC_ALL="C")
    done = subprocess.run([batch_command(), *map(str, args)], capture_output=True, env=env,
                          timeout=120)
    if check and done.returncode != 0:
        raise AssertionError(f"mnemex-batch {args} exited {done.returncode}: {done.stderr!r}")
    return done


def batch_json(*args):
    """The batch command's JSON result for a run with these arguments."""
    return json.loads(run_batch(*args, "--json", "-").stdout)


def write_net(folder, name, inputs, targets, spare=0):
    """Writes a training file for the given pattern rows; returns its path."""
    lines = [f"{len(targets[0]) if targets else 0}, {spare}, "
             f"{len(inputs[0]) if inputs else 0}, {len(inputs)}"]
    lines += [" ".join(repr(float(v)) for v in row) for row in inputs]
    lines += [" ".join(repr(float(v)) for v in row) for row in targets]
    path = folder / name
    path.write_text("\n".join(lines) + "\n")
    return str(path)
