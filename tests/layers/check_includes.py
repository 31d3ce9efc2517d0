#!/usr/bin/env python3
"""Reads the #include lines of every layer against the layers it may use.

The layer list comes from the build (one line per layer: name, directory, the layers it may
include). An include of another layer's header that the list does not allow is reported with
file and line, and the check fails.
"""
import argparse
import pathlib
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([^/">]+)/[^">]*[">]')
SOURCE_SUFFIXES = {".h", ".hpp", ".cpp", ".cc"}


def read_layers(matrix_path):
    layers = {}
    for number, line in enumerate(matrix_path.read_text().splitlines(), 1):
        words = line.split()
        if not words:
            continue
        if len(words) < 2:
            sys.exit(f"{matrix_path}:{number}: expected a layer name and its directory")
        layers[words[0]] = (words[1], set(words[2:]))
    return layers


def violations(root, layers):
    for name, (directory, uses) in sorted(layers.items()):
        allowed = uses | {name}
        for path in sorted((root / directory).rglob("*")):
            if path.suffix not in SOURCE_SUFFIXES or not path.is_file():
                continue
            lines = path.read_text(errors="replace").splitlines()
            for number, line in enumerate(lines, 1):
                match = INCLUDE.match(line)
                if not match or match.group(1) not in layers or match.group(1) in allowed:
                    continue
                may = ", ".join(sorted(uses)) or "no other layer"
                yield (f"{path.relative_to(root)}:{number}: layer {name} includes "
                       f"{match.group(0).split(None, 1)[1].strip()} from layer "
                       f"{match.group(1)}; {name} may include {may}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--root", required=True, type=pathlib.Path, help="the source tree")
    parser.add_argument("--layers", required=True, type=pathlib.Path,
                        help="the build's layer list")
    arguments = parser.parse_args()
    layers = read_layers(arguments.layers)
    found = list(violations(arguments.root, layers))
    for message in found:
        print(message)
    if found:
        print(f"{len(found)} include(s) reach a layer not allowed")
        return 1
    print(f"{len(layers)} layers include only what they may")
    return 0


if __name__ == "__main__":
    sys.exit(main())
