"""SciPy's cdist(X, X) against our distance table on the same 4000-row matrices, one thread.

Usage: peer_scipy.py [BUILD_DIR]  (default: build, beside this repository's sources)
Our times come from bench_rowdist in the build folder, run by this script in the same
session; the ratio is SciPy's time over ours.
"""

import json
import os
import subprocess
import sys
import tempfile
import time

# One thread everywhere, before numpy is loaded.
for var in ("OMP_NUM_THREADS", "OPENBLAS_NUM_THREADS", "MKL_NUM_THREADS"):
    os.environ[var] = "1"

try:
    import numpy as np
    from scipy.spatial.distance import cdist
except ImportError:
    # A Python of its own on the PATH may lack the system's SciPy: use the system's.
    system_python = "/usr/bin/python3"
    if os.path.exists(system_python) and (
            os.path.realpath(sys.executable) != os.path.realpath(system_python)):
        os.execv(system_python, [system_python] + sys.argv)
    raise

ROWS = 4000
COLUMN_COUNTS = (3, 32, 256)
HERE = os.path.dirname(os.path.abspath(__file__))


def bench_matrix(rows, cols):
    """The same values bench_rowdist builds: element (r, c) from r and c alone."""
    r = np.arange(rows, dtype=np.int64)[:, None]
    c = np.arange(cols, dtype=np.int64)[None, :]
    return ((r * 7919 + c * 104729) % 100003) / 100003.0 - 0.5


def scipy_seconds(x, min_total=1.0, min_runs=3):
    """Best time of several runs of cdist(x, x)."""
    best = float("inf")
    runs = 0
    start = time.perf_counter()
    while runs < min_runs or time.perf_counter() - start < min_total:
        t0 = time.perf_counter()
        cdist(x, x)
        best = min(best, time.perf_counter() - t0)
        runs += 1
    return best


def our_seconds(build_dir):
    """Seconds per table of our kernel for each column count, from bench_rowdist."""
    program = os.path.join(build_dir, "bench", "distance", "bench_rowdist")
    if not os.access(program, os.X_OK):
        sys.exit(f"{program} not found: build the benchmarks first (make bench)")
    with tempfile.TemporaryDirectory() as tmp:
        out = os.path.join(tmp, "kernel.json")
        subprocess.run(
            [program, "--benchmark_filter=^kernel/", "--benchmark_min_time=0.5",
             "--benchmark_repetitions=3", f"--benchmark_out={out}",
             "--benchmark_out_format=json"],
            check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        with open(out) as f:
            report = json.load(f)
    best = {}
    for b in report["benchmarks"]:
        if b.get("run_type") != "iteration":
            continue
        cols = int(b["name"].split("/")[1])
        seconds = b["real_time"] * {"ms": 1e-3, "us": 1e-6, "ns": 1e-9, "s": 1.0}[b["time_unit"]]
        best[cols] = min(best.get(cols, float("inf")), seconds)
    return best


def main():
    build_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "..", "..", "build")
    ours = our_seconds(os.path.abspath(build_dir))
    print(f"cdist(X, X) against rowdist's kernel, M = {ROWS}, one thread")
    print(f"{'N':>6} {'scipy ms':>10} {'ours ms':>10} {'scipy / ours':>14}")
    for cols in COLUMN_COUNTS:
        theirs = scipy_seconds(bench_matrix(ROWS, cols))
        print(f"{cols:>6} {theirs * 1e3:>10.2f} {ours[cols] * 1e3:>10.2f} "
              f"{theirs / ours[cols]:>13.2f}x")


if __name__ == "__main__":
    main()
