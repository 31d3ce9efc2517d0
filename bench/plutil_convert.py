#!/usr/bin/env python3
"""Converting the 10,000-app values file binary -> XML and back: our plutil, libplist's
plistutil and Python's plistlib (load + dump), side by side in one run.

Each tool converts the very same files; the runs interleave the tools, so a load change on
the machine hits all of them alike. Both wall-clock and CPU time (user + system) are reported:
on a shared machine the wall clock mostly measures waiting, and the ratios use CPU time. plutil and plistutil are timed as whole processes (start,
read, convert, write); plistlib in this interpreter (its start-up is not counted). plutil
also flushes each written file to disk before renaming it into place; plistutil does not.

    bench/plutil_convert.py [--plutil build/default/bin/plutil] [--runs 15]
"""
import argparse
import os
import plistlib
import resource
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

DIRECTIONS = ("binary->xml", "xml->binary")


def app_values(count=10000):
    """The per-app values file of `count` apps, as the home screen stores it."""
    values = {}
    for app in range(count):
        ident = f"com.example.app{app}"
        values[ident + "-volume"] = (app % 100) / 100.0
        values[ident + "-brightness"] = (app % 7) / 7.0
        values[ident + "-toggles"] = {"wifi": app % 2, "bluetooth": 0, "dnd": 1}
    return values


def timed(action):
    """Wall-clock and CPU milliseconds (user + system, of this process and its children)."""
    def cpu():
        own, children = resource.getrusage(resource.RUSAGE_SELF), resource.getrusage(
            resource.RUSAGE_CHILDREN)
        return own.ru_utime + own.ru_stime + children.ru_utime + children.ru_stime
    start, startCpu = time.perf_counter(), cpu()
    action()
    return (time.perf_counter() - start) * 1e3, (cpu() - startCpu) * 1e3


def commands(plutil, plistutil, files):
    source = {"binary->xml": files["binary"], "xml->binary": files["xml"]}
    target = {"binary->xml": ("xml1", "xml"), "xml->binary": ("binary1", "bin")}
    tools = {}
    for direction in DIRECTIONS:
        out = files["out"]
        ours, theirs = target[direction]
        tools[("plutil", direction)] = lambda s=source[direction], f=ours: subprocess.run(
            [plutil, "-convert", f, "-o", out, s], check=True)
        if plistutil:
            tools[("plistutil", direction)] = lambda s=source[direction], f=theirs: subprocess.run(
                [plistutil, "-i", s, "-o", out, "-f", f], check=True)
        fmt = plistlib.FMT_XML if direction == "binary->xml" else plistlib.FMT_BINARY

        def python(s=source[direction], fmt=fmt):
            with open(s, "rb") as stream:
                value = plistlib.load(stream)
            with open(out, "wb") as stream:
                plistlib.dump(value, stream, fmt=fmt)
        tools[("plistlib", direction)] = python
    return tools


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--plutil", default=os.path.join(root, "build", "default", "bin", "plutil"))
    parser.add_argument("--runs", type=int, default=15)
    arguments = parser.parse_args()
    if not os.access(arguments.plutil, os.X_OK):
        sys.exit(f"{arguments.plutil} not found: cmake --build --preset default --target plutil")
    plistutil = shutil.which("plistutil")
    with tempfile.TemporaryDirectory(prefix="plutil-bench-") as directory:
        values = app_values()
        files = {"xml": os.path.join(directory, "values.xml"),
                 "binary": os.path.join(directory, "values.bin"),
                 "out": os.path.join(directory, "out")}
        for name, fmt in (("xml", plistlib.FMT_XML), ("binary", plistlib.FMT_BINARY)):
            with open(files[name], "wb") as stream:
                plistlib.dump(values, stream, fmt=fmt)
        tools = commands(arguments.plutil, plistutil, files)
        timings = {key: [] for key in tools}
        for _ in range(arguments.runs):
            for key, action in tools.items():
                timings[key].append(timed(action))
        sizes = {name: os.path.getsize(files[name]) for name in ("xml", "binary")}

    print(f"10,000-app values file (30,000 entries; XML {sizes['xml']} B, binary "
          f"{sizes['binary']} B), median of {arguments.runs} runs, ms (wall / CPU)")
    print(f"{'direction':12} {'plutil':>13} {'plistutil':>13} {'plistlib':>13} "
          f"{'CPU vs plistutil':>17} {'CPU vs plistlib':>16}")
    for direction in DIRECTIONS:
        median = {}
        for tool in ("plutil", "plistutil", "plistlib"):
            runs = timings.get((tool, direction), [(float("nan"), float("nan"))])
            median[tool] = (statistics.median(run[0] for run in runs),
                            statistics.median(run[1] for run in runs))
        cells = " ".join(f"{wall:>6.1f}/{cpu:<6.1f}" for wall, cpu in median.values())
        ours = median["plutil"][1]
        print(f"{direction:12} {cells} {median['plistutil'][1] / ours:>16.1f}x "
              f"{median['plistlib'][1] / ours:>15.1f}x")
    return 0


if __name__ == "__main__":
    sys.exit(main())
