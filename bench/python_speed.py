#!/usr/bin/env python3
"""Times one training case three ways in one run: the mnemex module, the mnemex-batch
command and the NumPy loop of numpy_train.py.

Usage: python_speed.py [--batch PATH] [--module-dir DIR] [--repeat N]
                       [--inputs I --outputs O --patterns P --epochs E --rate R]

Defaults: 784 x 784 x 100 patterns (make_example.py), 6 Delta epochs at rate 0.001, the
batch command in build/cli and the module in build/python. Each way runs N times (default
3); the best wall time is shown. "whole" counts reading the file and training (for the batch
command: the whole process, start-up included), "training" the training alone. The module
and the batch command must give the same total SSE bit for bit; NumPy's sums agree to
rounding only.
"""
import argparse
import importlib.util
import json
import pathlib
import subprocess
import sys
import tempfile
import time

HERE = pathlib.Path(__file__).resolve().parent
ROOT = HERE.parent


def load_script(name):
    spec = importlib.util.spec_from_file_location(name, HERE / f"{name}.py")
    script = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(script)
    return script


def best(repeat, run):
    """Runs run() `repeat` times; returns the result of the fastest (by whole time)."""
    return min((run() for _ in range(repeat)), key=lambda r: r["whole"])


def time_module(mnemex, path, epochs, rate):
    start = time.perf_counter()
    net = mnemex.load(path)
    loaded = time.perf_counter()
    run = net.train(rule="delta", rate=rate, epochs=epochs, print_interval=1)
    end = time.perf_counter()
    return {"whole": end - start, "training": end - loaded, "sse": run.total_sse}


def time_batch(batch, path, epochs, rate):
    args = [batch, path, "--rule", "delta", "--rate", repr(rate), "--epochs", str(epochs),
            "--print-interval", "1"]
    start = time.perf_counter()
    subprocess.run(args, capture_output=True, check=True)
    end = time.perf_counter()
    # The JSON result (some megabytes of weights) is fetched apart from the timed run.
    done = subprocess.run(args + ["--json", "-"], capture_output=True, check=True)
    return {"whole": end - start, "training": None,
            "sse": json.loads(done.stdout)["total_sse"]}


def time_numpy(numpy_train, path, epochs, rate):
    start = time.perf_counter()
    x, d = numpy_train.read_net(path)
    loaded = time.perf_counter()
    _, total = numpy_train.train(x, d, epochs, rate, hebb=False)
    end = time.perf_counter()
    return {"whole": end - start, "training": end - loaded, "sse": total}


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--batch", default=str(ROOT / "build/cli/mnemex-batch"))
    ap.add_argument("--module-dir", default=str(ROOT / "build/python"))
    ap.add_argument("--repeat", type=int, default=3)
    ap.add_argument("--inputs", type=int, default=784)
    ap.add_argument("--outputs", type=int, default=784)
    ap.add_argument("--patterns", type=int, default=100)
    ap.add_argument("--epochs", type=int, default=6)
    ap.add_argument("--rate", type=float, default=0.001)
    args = ap.parse_args()

    sys.path.insert(0, args.module_dir)
    import mnemex
    numpy_train = load_script("numpy_train")
    make_example = load_script("make_example")

    with tempfile.TemporaryDirectory(prefix="mnemex-bench-") as folder:
        path = str(pathlib.Path(folder) / "images.net")
        sys.argv = ["make_example.py", path, str(args.inputs), str(args.outputs),
                    str(args.patterns)]
        make_example.main()
        rows = [
            ("mnemex module", best(args.repeat,
                                   lambda: time_module(mnemex, path, args.epochs, args.rate))),
            ("mnemex-batch", best(args.repeat,
                                  lambda: time_batch(args.batch, path, args.epochs, args.rate))),
            ("numpy loop", best(args.repeat,
                                lambda: time_numpy(numpy_train, path, args.epochs, args.rate))),
        ]

    print(f"{args.inputs} x {args.outputs} x {args.patterns}, Delta, rate {args.rate}, "
          f"{args.epochs} epochs, best of {args.repeat}")
    print(f"{'':16}{'whole (s)':>10}{'training (s)':>14}  total SSE")
    for name, r in rows:
        training = f"{r['training']:.3f}" if r["training"] is not None else "-"
        print(f"{name:16}{r['whole']:>10.3f}{training:>14}  {r['sse']!r}")
    module, batch, numpy_row = (r for _, r in rows)
    same = module["sse"] == batch["sse"]
    print(f"module and batch command give the same total SSE bit for bit: {same}")
    print(f"module is {numpy_row['whole'] / module['whole']:.1f}x faster than the numpy loop "
          f"(whole), {numpy_row['training'] / module['training']:.1f}x (training)")
    return 0 if same else 1


if __name__ == "__main__":
    sys.exit(main())
