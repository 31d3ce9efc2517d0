#!/usr/bin/env python3
"""Reading the 10,000-app values file: our reader against Python's plistlib, in one run.

The benchmark binary (bench/plist_read.cpp) writes the XML and binary files into a
temporary directory and times dictionaryWithContentsOfFile on them; this script then times
plistlib.load on the very same files and prints the ratios (targets: ours at least 15x
faster in XML and 10x in binary). Ratios are given in wall time and in CPU time; the targets
are judged on CPU time, which other work on a shared machine does not inflate.

    bench/plist_vs_python.py [--bench build/default/bench/plist_read] [--runs 15]
"""
import argparse
import json
import os
import plistlib
import statistics
import subprocess
import sys
import tempfile
import time

TARGET_RATIOS = {"xml": 15.0, "binary": 10.0}
FILES = {"xml": "values.xml.plist", "binary": "values.binary.plist"}
OUR_BENCHMARKS = {"xml": "BM_ReadXml", "binary": "BM_ReadBinary"}


def our_medians(bench, directory, repetitions):
    """Runs our read benchmarks on the files in directory; median (wall, CPU) ms per format."""
    environment = dict(os.environ, MORVANE_PLIST_BENCH_DIR=directory)
    output = subprocess.run(
        [bench, "--benchmark_filter=BM_Read", "--benchmark_format=json",
         f"--benchmark_repetitions={repetitions}", "--benchmark_report_aggregates_only=true"],
        env=environment, check=True, capture_output=True, text=True).stdout
    medians = {}
    for entry in json.loads(output)["benchmarks"]:
        if entry.get("aggregate_name") != "median":
            continue
        scale = {"ms": 1.0, "us": 1e-3, "ns": 1e-6, "s": 1e3}[entry["time_unit"]]
        for form, name in OUR_BENCHMARKS.items():
            if entry["run_name"] == name:
                medians[form] = (entry["real_time"] * scale, entry["cpu_time"] * scale)
    return medians


def plistlib_median(path, runs):
    """Median (wall, CPU) ms of plistlib.load on path, checking it holds the 30,000 entries."""
    walls, cpus = [], []
    for _ in range(runs):
        start, start_cpu = time.perf_counter(), time.process_time()
        with open(path, "rb") as stream:
            values = plistlib.load(stream)
        walls.append((time.perf_counter() - start) * 1e3)
        cpus.append((time.process_time() - start_cpu) * 1e3)
        if len(values) != 30000:
            sys.exit(f"{path}: plistlib read {len(values)} entries, expected 30000")
    return statistics.median(walls), statistics.median(cpus)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser.add_argument("--bench", default=os.path.join(root, "build", "default", "bench", "plist_read"))
    parser.add_argument("--runs", type=int, default=15, help="plistlib loads per format (median)")
    parser.add_argument("--repetitions", type=int, default=5, help="repetitions of our benchmark (median)")
    arguments = parser.parse_args()
    if not os.access(arguments.bench, os.X_OK):
        sys.exit(f"{arguments.bench} not found: build it with cmake --build build/default --target plist_read")

    with tempfile.TemporaryDirectory(prefix="plist-vs-python-") as directory:
        ours = our_medians(arguments.bench, directory, arguments.repetitions)
        theirs = {form: plistlib_median(os.path.join(directory, name), arguments.runs) for form, name in FILES.items()}
        sizes = {form: os.path.getsize(os.path.join(directory, name)) for form, name in FILES.items()}

    print(f"Reading the 10,000-app values file (30,000 entries), median, Python {sys.version.split()[0]}")
    print(f"{'format':8} {'size':>10} {'ours ms':>10} {'plistlib ms':>12} {'ratio':>8}"
          f" {'ours CPU':>10} {'plistlib CPU':>13} {'CPU ratio':>10} {'target':>7}")
    met = True
    for form in FILES:
        (wall, cpu), (their_wall, their_cpu) = ours[form], theirs[form]
        ratio = their_cpu / cpu
        met = met and ratio >= TARGET_RATIOS[form]
        print(f"{form:8} {sizes[form]:>10} {wall:>10.2f} {their_wall:>12.2f} {their_wall / wall:>7.1f}x"
              f" {cpu:>10.2f} {their_cpu:>13.2f} {ratio:>9.1f}x {TARGET_RATIOS[form]:>6.0f}x")
    print(f"targets (CPU time): {'met' if met else 'NOT met'}; load average {os.getloadavg()[0]:.1f}")
    return 0 if met else 1


if __name__ == "__main__":
    sys.exit(main())
