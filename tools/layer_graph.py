#!/usr/bin/env python3
"""Prints which libraries of the core include which (the arrows the includes
really use), as the Markdown table of docs/architecture.md. The allowed layers
are in src/CMakeLists.txt (ZEBSTAT_LAYERS); the build checks them."""
import os
import re
import sys

SRC = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src")


def layers():
    text = open(os.path.join(SRC, "CMakeLists.txt"), encoding="utf-8").read()
    block = re.search(r"set\(ZEBSTAT_LAYERS(.*?)\)", text, re.S).group(1)
    return [entry.split(":")[0] for entry in re.findall(r'"([^"]+)"', block)]


def used(folder, folders):
    found = set()
    for dirpath, _, files in os.walk(os.path.join(SRC, folder)):
        if "/qt" in dirpath[len(SRC):]:
            continue
        for name in files:
            if not name.endswith((".h", ".cpp")):
                continue
            with open(os.path.join(dirpath, name), encoding="utf-8", errors="replace") as f:
                for header in re.findall(r'^\s*#\s*include\s*"([^"/]+)/', f.read(), re.M):
                    if header != folder and header in folders:
                        found.add(header)
    return found


def main():
    order = layers()
    print("| library | includes (in use) |")
    print("|---|---|")
    for folder in order[1:]:
        deps = sorted(used(folder, order), key=order.index)
        print(f"| {folder} | {', '.join(deps) if deps else '—'} |")
    return 0


if __name__ == "__main__":
    sys.exit(main())
