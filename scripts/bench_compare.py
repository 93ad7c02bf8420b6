#!/usr/bin/env python3
"""Times the benchmark programs of an earlier commit against the current ones, in one run.

Usage: bench_compare.py --build BUILD --base REV [--filter REGEX] [--rounds N]
       bench_compare.py --base-programs DIR --head-programs DIR [...]   (prebuilt programs)

With --base, the commit REV is unpacked from git into a scratch folder under
BUILD/bench-compare and its benchmark programs are built there with the same compiler, the
same build type and the same Google Benchmark library as BUILD's (which must be configured
and built already; `make bench-compare` does both). Then every program that exists on both
sides runs in rounds, base and current taking turns (ABBA, so that a drifting machine
weighs on both alike), each run on the benchmarks that match REGEX. Per benchmark the tool
prints the median time of each side and the median over the rounds of base / current (the
speed-up), with the range of that ratio; a benchmark that exists on one side only is listed
as such. Programs that record their inputs' fingerprints (custom context entries named
"input:...") are checked to have run on the same data.
"""

import argparse
import json
import os
import statistics
import subprocess
import sys
import tempfile

UNIT_MS = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}


def processor_name():
    try:
        with open("/proc/cpuinfo") as info:
            for line in info:
                if line.startswith("model name"):
                    return line.split(":", 1)[1].strip()
    except OSError:
        pass
    return "unknown processor"


def git(*args, cwd=None):
    return subprocess.run(["git", *args], cwd=cwd, check=True, capture_output=True,
                          text=True).stdout.strip()


def cache_value(build, name):
    with open(os.path.join(build, "CMakeCache.txt")) as cache:
        for line in cache:
            if line.startswith(name + ":"):
                return line.split("=", 1)[1].strip()
    return ""


def build_base(build, rev):
    """Unpacks REV under BUILD and builds its benchmark programs like BUILD's; returns the
    folder that holds them and a description of the commit."""
    repo = git("rev-parse", "--show-toplevel")
    commit = git("rev-parse", "--verify", rev + "^{commit}", cwd=repo)
    scratch = os.path.join(os.path.abspath(build), "bench-compare", commit[:12])
    source = os.path.join(scratch, "src")
    if not os.path.isdir(source):
        os.makedirs(source + ".partial", exist_ok=True)
        archive = subprocess.Popen(["git", "-C", repo, "archive", "--format=tar", commit],
                                   stdout=subprocess.PIPE)
        subprocess.run(["tar", "-x", "-C", source + ".partial"], stdin=archive.stdout, check=True)
        if archive.wait() != 0:
            sys.exit("bench-compare: git archive failed")
        os.rename(source + ".partial", source)
    tree = os.path.join(scratch, "build")
    library = cache_value(build, "benchmark_DIR")
    configure = ["cmake", "-S", source, "-B", tree, "-DBUILD_PLUGINS=ON",
                 "-DCMAKE_BUILD_TYPE=" + (cache_value(build, "CMAKE_BUILD_TYPE") or "Release"),
                 "-DCMAKE_CXX_COMPILER=" + cache_value(build, "CMAKE_CXX_COMPILER"),
                 "-DCMAKE_C_COMPILER=" + cache_value(build, "CMAKE_C_COMPILER"),
                 # The very library the current programs link, for old and new build rules.
                 "-Dbenchmark_DIR=" + library, "-DBENCHMARK_CONFIG_DIR=" + library]
    log = os.path.join(scratch, "build.log")
    with open(log, "w") as out:
        for step in (configure, ["cmake", "--build", tree, "-j", str(os.cpu_count() or 1),
                                 "--target", "benchmarks"]):
            if subprocess.run(step, stdout=out, stderr=subprocess.STDOUT).returncode != 0:
                sys.exit("bench-compare: building %s failed; see %s" % (rev, log))
    subject = git("log", "-1", "--format=%h %s", commit, cwd=repo)
    return os.path.join(tree, "bench"), subject


def programs_in(folder):
    """Benchmark programs by name: bench_* executables one folder down."""
    found = {}
    for area in sorted(os.listdir(folder)) if os.path.isdir(folder) else []:
        path = os.path.join(os.path.abspath(folder), area)
        for name in sorted(os.listdir(path)) if os.path.isdir(path) else []:
            program = os.path.join(path, name)
            if name.startswith("bench_") and os.access(program, os.X_OK) and \
                    os.path.isfile(program):
                found[name] = program
    return found


def run_once(program, regex, min_time, time_kind):
    """One run of a program; returns ({benchmark: ms}, {input: fingerprint}) in run order."""
    with tempfile.TemporaryDirectory() as scratch:
        out = os.path.join(scratch, "out.json")
        subprocess.run([program, "--benchmark_filter=" + regex, "--benchmark_out=" + out,
                        "--benchmark_out_format=json", "--benchmark_min_time=%g" % min_time,
                        "--benchmark_repetitions=1"],
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       cwd=os.path.dirname(program), check=False)
        if not os.path.exists(out) or os.path.getsize(out) == 0:
            return {}, {}
        with open(out) as f:
            report = json.load(f)
    times = {}
    for b in report.get("benchmarks", []):
        if b.get("run_type", "iteration") != "iteration" or b.get("error_occurred"):
            continue
        times[b["name"]] = b[time_kind + "_time"] * UNIT_MS[b.get("time_unit", "ns")]
    inputs = {k: v for k, v in report.get("context", {}).items() if k.startswith("input:")}
    return times, inputs


def compare(base_programs, head_programs, regex, rounds, min_time, time_kind, log=None):
    """Runs both sides in ABBA rounds; returns rows (name, base runs, head runs) in order and
    the names of inputs whose fingerprints differ."""
    sides = ("base", "head")
    runs = {side: {} for side in sides}
    inputs = {side: {} for side in sides}
    order = []
    names = sorted(set(base_programs) | set(head_programs))
    for r in range(rounds):
        for name in names:
            for side in sides if r % 2 == 0 else reversed(sides):
                program = (base_programs if side == "base" else head_programs).get(name)
                if program is None:
                    continue
                if log is not None:
                    log.write("%s %s\n" % (side, name))
                times, fingerprints = run_once(program, regex, min_time, time_kind)
                inputs[side].update(fingerprints)
                for bench, ms in times.items():
                    key = (name, bench)
                    if key not in order:
                        order.append(key)
                    runs[side].setdefault(key, []).append(ms)
    # An input "input:X" belongs to the benchmarks named X or X/...; only those that ran on
    # both sides are checked.
    both = [key[1] for key in order if key in runs["base"] and key in runs["head"]]
    prefix = len("input:")
    ran = lambda k: any(b == k[prefix:] or b.startswith(k[prefix:] + "/") for b in both)
    common = [k for k in inputs["base"].keys() & inputs["head"].keys() if ran(k)]
    differing = sorted(k for k in common if inputs["base"][k] != inputs["head"][k])
    rows = [(key, runs["base"].get(key, []), runs["head"].get(key, [])) for key in order]
    return rows, differing, len(common)


def report(rows, differing, checked, header):
    for line in header:
        print(line)
    if differing:
        print("WARNING: the two sides ran on different data for: " + ", ".join(differing))
    elif checked:
        print("inputs: the %d fingerprints both sides record agree" % checked)
    else:
        print("inputs: not checked (a side records no fingerprints)")
    width = max([len(b) for (_, b), _, _ in rows] + [9])
    print("%-*s %12s %12s %9s   %s" % (width, "benchmark", "base ms", "current ms",
                                        "speed-up", "range over rounds"))
    program = None
    for (name, bench), base, head in rows:
        if name != program:
            program = name
            print("== " + name)
        if not base or not head:
            ms = statistics.median(head or base)
            print("%-*s %12s %12s   only in %s" % (width, bench,
                                                  "-" if head else "%.4g" % ms,
                                                  "%.4g" % ms if head else "-",
                                                  "current" if head else "base"))
            continue
        ratios = [b / h for b, h in zip(base, head) if h > 0]
        print("%-*s %12.4g %12.4g %8.2fx   %.2f-%.2f" % (
            width, bench, statistics.median(base), statistics.median(head),
            statistics.median(ratios), min(ratios), max(ratios)))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default="build", help="the current build folder")
    parser.add_argument("--base", help="the earlier commit (any git revision)")
    parser.add_argument("--base-programs", help="prebuilt base programs instead of --base")
    parser.add_argument("--head-programs", help="current programs (default BUILD/bench)")
    parser.add_argument("--filter", default=".", help="benchmarks to run (regex)")
    parser.add_argument("--rounds", type=int, default=5)
    parser.add_argument("--min-time", type=float, default=0.2,
                        help="seconds each benchmark runs per round")
    parser.add_argument("--time", choices=("cpu", "real"), default="cpu")
    parser.add_argument("--order-log", help="write the order of the runs to this file")
    args = parser.parse_args()
    if bool(args.base) == bool(args.base_programs):
        parser.error("give exactly one of --base and --base-programs")

    if args.base:
        base_folder, base_name = build_base(args.build, args.base)
        head = git("log", "-1", "--format=%h %s")
        if git("status", "--porcelain", "--untracked-files=no"):
            head += " (with uncommitted changes)"
    else:
        base_folder, base_name, head = args.base_programs, args.base_programs, "current"
    head_folder = args.head_programs or os.path.join(args.build, "bench")
    base_programs, head_programs = programs_in(base_folder), programs_in(head_folder)
    if not head_programs:
        sys.exit("bench-compare: no benchmark programs in " + head_folder)

    log = open(args.order_log, "w") if args.order_log else None
    rows, differing, checked = compare(base_programs, head_programs, args.filter,
                                       args.rounds, args.min_time, args.time, log)
    if log is not None:
        log.close()
    report(rows, differing, checked, [
        "bench-compare on %s" % processor_name(),
        "base:    %s" % base_name,
        "current: %s" % head,
        "%s time, median of %d rounds (base and current in turn, ABBA), filter '%s'" % (
            args.time.upper() if args.time == "cpu" else "wall", args.rounds, args.filter),
        "speed-up: base / current per round, median and range over the rounds"])
    if not rows:
        print("no benchmark matches '%s'" % args.filter)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
