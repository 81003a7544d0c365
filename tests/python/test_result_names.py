"""Where the module's results go: never over the training file it read, and "-" is a file
name like any other (the module never writes behind sys.stdout)."""
import shutil

import pytest

import mnemex
from conftest import example


def trained_copy(scratch):
    net_path = scratch / "train.net"
    shutil.copyfile(example("orthogonal.net"), net_path)
    net = mnemex.load(str(net_path))
    net.train(epochs=3)
    return net, net_path


@pytest.mark.parametrize("write", ["write_weights_csv", "write_weights_npy", "write_workbook",
                                   "save_state"])
def test_no_result_replaces_the_training_file(scratch, write):
    net, net_path = trained_copy(scratch)
    before = net_path.read_bytes()
    (scratch / "link.net").symlink_to(net_path)
    with pytest.raises(ValueError, match="would replace the training file"):
        getattr(net, write)(str(scratch / "link.net"))
    assert net_path.read_bytes() == before


def test_dash_is_a_file_name(scratch, monkeypatch, capfd):
    net, _ = trained_copy(scratch)
    monkeypatch.chdir(scratch)
    net.write_weights_csv("-")
    assert (scratch / "-").read_bytes().count(b"\n") == 3
    assert capfd.readouterr().out == ""
