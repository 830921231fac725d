#!/usr/bin/env python3
"""Prints which layer of src/ includes which (the arrows the includes really
use), as the Markdown table of docs/architecture.md: the core, then the layers
above it (the Qt folders, the batch tool, the Python module). The allowed
layers are in src/CMakeLists.txt (ZEBSTAT_LAYERS, ZEBSTAT_UPPER_LAYERS); the
build checks them."""
import os
import re
import sys

SRC = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src")


def layers():
    text = open(os.path.join(SRC, "CMakeLists.txt"), encoding="utf-8").read()
    order = []
    for name in ("ZEBSTAT_LAYERS", "ZEBSTAT_UPPER_LAYERS"):
        block = re.search(r"set\(" + name + r"\s(.*?)\)", text, re.S).group(1)
        order += [entry.split(":")[0] for entry in re.findall(r'"([^"]+)"', block)]
    return order


def layer_of(path):
    """The layer a path below src/ lies in: "<folder>/qt" under a qt/ folder, else the folder."""
    parts = path.split("/")
    if len(parts) > 2 and parts[1] == "qt":
        return parts[0] + "/qt"
    return parts[0] if len(parts) > 1 else None


def used(layer, order):
    found = set()
    top = os.path.join(SRC, layer.split("/")[0])
    for dirpath, _, files in os.walk(top):
        for name in files:
            if not name.endswith((".h", ".cpp")):
                continue
            path = os.path.relpath(os.path.join(dirpath, name), SRC)
            if layer_of(path) != layer:
                continue
            with open(os.path.join(SRC, path), encoding="utf-8", errors="replace") as f:
                for header in re.findall(r'^\s*#\s*include\s*"([^"]+/[^"]+)"', f.read(), re.M):
                    target = layer_of(header)
                    if target != layer and target in order:
                        found.add(target)
    return found


def main():
    order = layers()
    print("| library | includes (in use) |")
    print("|---|---|")
    for layer in order[1:]:
        deps = sorted(used(layer, order), key=order.index)
        print(f"| {layer} | {', '.join(deps) if deps else '—'} |")
    return 0


if __name__ == "__main__":
    sys.exit(main())
