"""SciPy's cdist against rowdist on the same 4000-row matrices, one thread, like for like.

Usage: peer_scipy.py [BUILD_DIR]  (default: build, beside this repository's sources)

Two cases, each timed on both sides in this same session, each with its floor:
- into a reused table: cdist(X, X, out=table) against each tier of our kernel writing into
  a table it wrote before; floor: writing the table once, in order;
- a fresh result per call: cdist(X, X) against the plug-in called through the stand-in
  host; floor: creating the result through the host and writing each cell once, in order.
NumPy asks the operating system to back large arrays with huge pages, and on Linux the
plug-in asks the same for its result: the fresh comparison has that advice on for both (the
cdist figure with it off is printed beside it). Our times come from bench_rowdist in the build folder. Each figure is
the best CPU time (page faults included) of several runs, in rounds that alternate between
the two sides, so that load from other programs touches both; ratios are SciPy's time over
ours.
"""

import json
import os
import platform
import subprocess
import sys
import tempfile
import time

# One thread everywhere, before numpy is loaded; OpenBLAS core overrides would slow numpy.
for var in ("OMP_NUM_THREADS", "OPENBLAS_NUM_THREADS", "MKL_NUM_THREADS"):
    os.environ[var] = "1"
for var in ("OPENBLAS_CORETYPE", "OPENBLAS_L2_SIZE"):
    os.environ.pop(var, None)

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
TIERS = ("baseline", "avx2", "avx512")
HERE = os.path.dirname(os.path.abspath(__file__))


def bench_matrix(rows, cols):
    """The same values bench_rowdist builds: element (r, c) from r and c alone."""
    r = np.arange(rows, dtype=np.int64)[:, None]
    c = np.arange(cols, dtype=np.int64)[None, :]
    return ((r * 7919 + c * 104729) % 100003) / 100003.0 - 0.5


ROUNDS = 3


def best_seconds(call, min_total=0.5, min_runs=3):
    """Best CPU time of several runs of call()."""
    best = float("inf")
    runs = 0
    start = time.perf_counter()
    while runs < min_runs or time.perf_counter() - start < min_total:
        t0 = time.process_time()
        call()
        best = min(best, time.process_time() - t0)
        runs += 1
    return best


def set_huge_pages(on):
    np.core.multiarray._set_madvise_hugepage(on)


def scipy_seconds(x):
    """cdist into a reused table, and into a fresh result with huge pages off and on."""
    table = np.empty((ROWS, ROWS))
    table.fill(0.5)
    reused = best_seconds(lambda: cdist(x, x, out=table))
    set_huge_pages(False)
    fresh = best_seconds(lambda: cdist(x, x))
    set_huge_pages(True)
    fresh_huge = best_seconds(lambda: cdist(x, x))
    return reused, fresh, fresh_huge


def numpy_floors():
    """Writing a reused table once, and creating and writing a fresh one (huge pages on)."""
    table = np.empty((ROWS, ROWS))
    table.fill(0.5)
    reused = best_seconds(lambda: table.fill(1.0))
    set_huge_pages(True)
    fresh = best_seconds(lambda: np.empty((ROWS, ROWS)).fill(1.0))
    return reused, fresh


def our_milliseconds(build_dir):
    """Best milliseconds per call of every benchmark of bench_rowdist, by name."""
    program = os.path.join(build_dir, "bench", "distance", "bench_rowdist")
    if not os.access(program, os.X_OK):
        sys.exit(f"{program} not found: build the benchmarks first (make bench)")
    with tempfile.TemporaryDirectory() as tmp:
        out = os.path.join(tmp, "rowdist.json")
        subprocess.run(
            [program, "--benchmark_filter=^(kernel|write_floor|plugin_fresh|host_floor|"
             + "|".join(TIERS) + ")", "--benchmark_min_time=0.3",
             "--benchmark_repetitions=2", f"--benchmark_out={out}",
             "--benchmark_out_format=json"],
            check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        with open(out) as f:
            report = json.load(f)
    best = {}
    for b in report["benchmarks"]:
        if b.get("run_type") != "iteration":
            continue
        name = b["name"].replace("/real_time", "")
        ms = b["cpu_time"] * {"ms": 1.0, "us": 1e-3, "ns": 1e-6, "s": 1e3}[b["time_unit"]]
        best[name] = min(best.get(name, float("inf")), ms)
    return best


def processor_name():
    try:
        with open("/proc/cpuinfo") as f:
            for line in f:
                if line.startswith("model name"):
                    return line.split(":", 1)[1].strip()
    except OSError:
        pass
    return platform.processor() or "unknown processor"


def main():
    build_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "..", "..", "build")
    ours, theirs, floors = {}, {}, (float("inf"), float("inf"))
    for _ in range(ROUNDS):
        for name, ms in our_milliseconds(os.path.abspath(build_dir)).items():
            ours[name] = min(ours.get(name, float("inf")), ms)
        for cols in COLUMN_COUNTS:
            times = scipy_seconds(bench_matrix(ROWS, cols))
            theirs[cols] = tuple(map(min, zip(theirs.get(cols, times), times)))
        floors = tuple(map(min, zip(floors, numpy_floors())))
    np_reused, np_fresh = floors
    tiers = [t for t in TIERS if f"{t}/3" in ours]
    write_floor = min(ms for name, ms in ours.items() if name.startswith("write_floor"))

    print(f"cdist against rowdist, M = {ROWS}, one thread, CPU time, on {processor_name()}")
    print(f"into a reused table (ms; ratio = cdist(out=) / ours); write floor: "
          f"ours {write_floor:.2f}, numpy fill {np_reused * 1e3:.2f}")
    print(f"{'N':>6} {'cdist(out=)':>12}" + "".join(f" {t:>17}" for t in tiers))
    for cols in COLUMN_COUNTS:
        reused = theirs[cols][0]
        cells = "".join(f" {ours[f'{t}/{cols}']:8.2f} {reused * 1e3 / ours[f'{t}/{cols}']:7.2f}x"
                        for t in tiers)
        print(f"{cols:>6} {reused * 1e3:12.2f}{cells}")
    host_floor = ours.get("host_floor")
    if host_floor is None:
        return
    print(f"a fresh result per call (ms; ratio = cdist / plug-in); floor: through the host "
          f"{host_floor:.2f}, numpy {np_fresh * 1e3:.2f}")
    print(f"{'N':>6} {'cdist':>10} {'(advice off)':>13} {'plug-in':>10} {'ratio':>8}")
    for cols in COLUMN_COUNTS:
        _, fresh, fresh_huge = theirs[cols]
        plugin = ours[f"plugin_fresh/{cols}"]
        print(f"{cols:>6} {fresh_huge * 1e3:10.2f} {fresh * 1e3:13.2f} {plugin:10.2f} "
              f"{fresh_huge * 1e3 / plugin:7.2f}x")


if __name__ == "__main__":
    main()
