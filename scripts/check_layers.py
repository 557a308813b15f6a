#!/usr/bin/env python3
"""Checks that every #include goes down the layers, never up or sideways.

Each source folder names the folders it may use directly; what those may use, it may use too.
An include of a folder outside that set, or from a folder that is not listed, fails the check,
so a new folder has to take its place here. Tests, test helpers, benchmarks and fuzz targets
may reach any layer and are not checked.

Usage: scripts/check_layers.py [PROJECT_ROOT]
"""
import os
import re
import sys

# Folder -> the folders it builds on directly.
LAYERS = {
    "shared/platform": [],
    "shared/formats": ["shared/platform"],
    "panelink/core": ["shared/formats"],
    "panelink/menu": ["panelink/core"],
    "panelink/cat": ["panelink/menu"],
    "panelink/link": ["panelink/cat"],
    "panelink/panel": ["panelink/cat"],
    "panelink/app": ["panelink/link"],
    "panelink/resources": [],
    "panelink/resources/artwork": ["panelink/resources"],
    "panelink/link/ui": ["panelink/link"],
    "panelink/panel/ui": ["panelink/panel"],
    "panelink/menu/ui": ["panelink/panel"],
    "panelink/windows": ["panelink/panel"],
    "panelink/windows/ui": ["panelink/windows", "panelink/panel/ui"],
    "panelink/shortcuts": ["panelink/panel"],
    "panelink/shortcuts/ui": ["panelink/shortcuts"],
    "panelink/net": [],
    "panelink/net/server": ["panelink/net", "panelink/cat"],
    "panelink/app/ui": ["panelink/app", "panelink/link/ui", "panelink/menu/ui", "panelink/panel/ui",
                        "panelink/windows/ui", "panelink/shortcuts/ui", "panelink/net/server"],
    "tools/orvik-sim": ["shared/formats"],
    "tools/screengrab": [],
    "keyweld": ["shared/formats"],
    "keyweld/link": ["shared/formats"],
    "keyweld/link/ui": ["keyweld/link"],
    "keyweld/editor": ["shared/formats"],
    "keyweld/ui": ["keyweld/editor", "keyweld/link/ui"],
}
SKIPPED = {"tests", "testing", "bench", "fuzz", "demo", ".git"}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
SOURCE_ENDINGS = (".h", ".hpp", ".cpp", ".cc")


def reachable(folder):
    seen, todo = set(), [folder]
    while todo:
        for below in LAYERS.get(todo.pop(), []):
            if below not in seen:
                seen.add(below)
                todo.append(below)
    return seen


def source_files(root):
    for dirpath, dirnames, filenames in os.walk(root):
        rel = os.path.relpath(dirpath, root)
        dirnames[:] = [d for d in dirnames if d not in SKIPPED and not d.startswith("build")]
        for name in sorted(filenames):
            if name.endswith(SOURCE_ENDINGS):
                yield rel.replace(os.sep, "/"), os.path.join(dirpath, name)


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else "."
    faults = []
    for folder, path in source_files(root):
        if folder not in LAYERS:
            faults.append(f"{path}: folder {folder} has no place in the layers")
            continue
        allowed = reachable(folder) | {folder}
        with open(path, errors="replace") as f:
            for number, line in enumerate(f, 1):
                m = INCLUDE.match(line)
                if not m or "/" not in m.group(1):
                    continue
                target = os.path.dirname(m.group(1))
                if target not in allowed and target in LAYERS:
                    faults.append(f"{path}:{number}: {folder} may not include {m.group(1)}")
                elif target not in LAYERS and not target.endswith("autogen"):
                    faults.append(f"{path}:{number}: {m.group(1)} is in no known folder")
    for fault in faults:
        print(fault)
    print(f"layers: {len(faults)} include(s) against the direction" if faults else "layers: clean")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
