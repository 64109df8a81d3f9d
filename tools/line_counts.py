#!/usr/bin/env python3
"""Non-blank source lines of the tests against the rest of the project.

    tools/line_counts.py [ROOT]

Counts the tracked .cpp .h .py .sh .rc .cmake files and CMakeLists.txt:
everything under tests/ is test code, the rest (the game, its tools, the
build scripts) is code. Prints both counts and their ratio.
"""
import os
import subprocess
import sys

root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
files = subprocess.run(["git", "-C", root, "ls-files"], capture_output=True, text=True, check=True).stdout.split()
counts = {"tests": 0, "code": 0}
for name in files:
    if not (name.endswith((".cpp", ".h", ".py", ".sh", ".rc", ".cmake")) or os.path.basename(name) == "CMakeLists.txt"):
        continue
    with open(os.path.join(root, name), encoding="utf-8", errors="replace") as f:
        lines = sum(1 for line in f if line.strip())
    counts["tests" if name.startswith("tests/") else "code"] += lines
print(f"tests {counts['tests']} lines, code {counts['code']} lines, "
      f"tests / code = {counts['tests'] / max(1, counts['code']):.2f}")
