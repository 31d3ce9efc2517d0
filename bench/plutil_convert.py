#!/usr/bin/env python3
"""Converting the 10,000-app values file binary -> XML and back: our plutil, libplist's
plistutil and Python's plistlib (load + dump), side by side in one run.

Each tool converts the very same files; the runs interleave the tools, so a load change on
the machine hits all of them alike. plutil and plistutil are timed as whole processes (start,
read, convert, write); plistlib in this interpreter (its start-up is not counted). plutil
also flushes each written file to disk before renaming it into place; plistutil does not.

    bench/plutil_convert.py [--plutil build/default/bin/plutil] [--runs 15]
"""
import argparse
import os
import plistlib
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

DIRECTIONS = ("binary->xml", "xml->binary")


def app_values(count=10000):
    values = {}
    for app in range(count):
        ident = f"com.example.app{app}"
        values[ident + "-volume"] = (app % 100) / 100.0
        values[ident + "-brightness"] = (app % 7) / 7.0
        values[ident + "-toggles"] = {"wifi": app % 2, "bluetooth": 0, "dnd": 1}
    return values


def timed(action):
    start = time.perf_counter()
    action()
    return (time.perf_counter() - start) * 1e3


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
          f"{sizes['binary']} B), median of {arguments.runs} runs, ms")
    print(f"{'direction':12} {'plutil':>8} {'plistutil':>10} {'plistlib':>9} "
          f"{'vs plistutil':>13} {'vs plistlib':>12}")
    for direction in DIRECTIONS:
        median = {tool: statistics.median(timings[(tool, direction)])
                  for tool in ("plutil", "plistutil", "plistlib") if (tool, direction) in timings}
        ours = median["plutil"]
        theirs = median.get("plistutil", float("nan"))
        print(f"{direction:12} {ours:>8.1f} {theirs:>10.1f} {median['plistlib']:>9.1f} "
              f"{theirs / ours:>12.1f}x {median['plistlib'] / ours:>11.1f}x")
    return 0


if __name__ == "__main__":
    sys.exit(main())
