#!/usr/bin/env python3
"""Prints which product folders include which, and fails on a cycle.

    tools/folder_graph.py [ROOT]

One line "a -> b (n includes)" per edge, then "cycle: ..." for each cycle
and a last summary line. Exit status 1 when the folders form a cycle.
"""
import os
import re
import sys

PRODUCT = ("game", "common", "boards", "dialogs", "shell", "resources")
INCLUDE = re.compile(r'\s*#\s*include\s+"([^"/]+)/')

root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
edges = {}
for folder in PRODUCT:
    for name in sorted(os.listdir(os.path.join(root, folder))):
        if name.endswith((".h", ".cpp", ".rc")):
            with open(os.path.join(root, folder, name), encoding="utf-8") as f:
                for line in f:
                    m = INCLUDE.match(line)
                    if m and m.group(1) in PRODUCT and m.group(1) != folder:
                        edges.setdefault(folder, {}).setdefault(m.group(1), 0)
                        edges[folder][m.group(1)] += 1


def reaches(a, b, seen=()):
    return any(n == b or (n not in seen and reaches(n, b, seen + (n,))) for n in edges.get(a, {}))


cycles = 0
for a in sorted(edges):
    for b in sorted(edges[a]):
        print(f"{a} -> {b} ({edges[a][b]} includes)")
        if reaches(b, a):
            print(f"cycle: {a} -> {b} -> ... -> {a}")
            cycles += 1
print(f"folders {len(PRODUCT)}, edges {sum(len(v) for v in edges.values())}, cycles {cycles}")
sys.exit(1 if cycles else 0)
