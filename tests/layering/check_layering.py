#!/usr/bin/env python3
"""Includes in src/ run one way, downward.

Reads every #include "..." line of src/ and fails on one that reaches from a
folder to a folder on the same or a higher level than its own (a folder may
always include its own files). The levels are the table below, top to bottom;
a file belongs to the longest folder of the table its path begins with.

    check_layering.py SRC_ROOT
"""
import os
import re
import sys

# Top to bottom. Each row is one level; folders on one row may not include
# each other. Why each level sits where it does:
LEVELS = [
    # What a host reaches first: the entry points, the exception guard,
    # DllMain, and the report conversion and clean-up at the end of a run,
    # which call into every part below.
    ["entry", "dll"],
    # Screen input (on the composer's references and the screen's drawing),
    # and the preview (on the print job's page reading and the renderer).
    ["report/input", "report/preview"],
    # The print job: reads reports into the page and draws it with the
    # renderer.
    ["report/print"],
    # The page composer: it lays templates out on the screen model and appends
    # the composed page through the report file operations.
    ["report/compose"],
    # Page rendering and the report file operations: they read and write
    # report files; the page's box lines use the screen's line roles.
    ["report/page"],
    # The report library: it tells the engine when a language is selected
    # (engine/files), so it sits above the engine; screen and pages will call
    # the drawing code below.
    ["report"],
    # The 80x25 screen: the page composer and the screen input above use its
    # model and drawing; it draws the pictures below.
    ["report/screen"],
    # Drawing files and drawing rendering, on the report library's base.
    ["drawing"],
    # The report library's base under both report/ and drawing/: drawing
    # tools, character tests, the interface to engine code.
    ["report_base"],
    # The engine: the main calculation over its three groups of routines,
    # which all use the file services.
    ["engine/main"],
    ["engine/input", "engine/material"],
    ["engine/files"],
    # Stream property curves: a block the run input reader fills.
    ["curves"],
    # The shared run services: run context, results writer, text rules, the
    # language table; read by everything above.
    ["run"],
    # The bindings to the suite's libraries, and the one seam to the system.
    ["host"],
    ["os"],
]

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def folder_of(path, folders):
    """The longest folder of the table that `path` lies in, or None."""
    best = None
    for f in folders:
        if path.startswith(f + "/") and (best is None or len(f) > len(best)):
            best = f
    return best


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "../../src")
    level = {f: i for i, row in enumerate(LEVELS) for f in row}
    folders = list(level)
    faults = []
    for dirpath, _, files in os.walk(root):
        for name in sorted(files):
            if not name.endswith((".h", ".cpp", ".c")):
                continue
            full = os.path.join(dirpath, name)
            rel = os.path.relpath(full, root).replace(os.sep, "/")
            own = folder_of(rel, folders)
            if own is None:
                faults.append(f"{rel}: folder not in the layering table")
                continue
            with open(full, encoding="latin-1") as f:
                for number, line in enumerate(f, 1):
                    m = INCLUDE.match(line)
                    if not m:
                        continue
                    target = m.group(1)
                    other = folder_of(target, folders)
                    if other is None:
                        # A file of the same folder named without its folder.
                        if "/" not in target:
                            continue
                        faults.append(f"{rel}:{number}: includes {target}, in no folder of the table")
                        continue
                    if other == own:
                        continue
                    if level[other] <= level[own]:
                        faults.append(f"{rel}:{number}: {own} may not include {target} ({other} is not below it)")
    for fault in faults:
        print(fault)
    if faults:
        print(f"layering: {len(faults)} include(s) against the table")
        return 1
    print("layering: every include runs downward")
    return 0


if __name__ == "__main__":
    sys.exit(main())
