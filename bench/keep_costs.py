#!/usr/bin/env python3
"""What keeping each part of a document costs: merges the given files with
the engine's C interface keeping pages only, navigation only (outline, links,
annotations, forms, page labels) and everything, the three taking turns, and
prints each one's median time and output size.

Usage: keep_costs.py LIBCOLLIGO RUNS FILE..."""
import ctypes
import os
import statistics
import sys
import tempfile
import time

engine = ctypes.CDLL(sys.argv[1])
runs = int(sys.argv[2])
files = sys.argv[3:]
modes = (("pages only", 0x0), ("navigation", 0x1F), ("everything", 0x3FF))
output = os.path.join(tempfile.mkdtemp(), "out.pdf")
times = {name: [] for name, _ in modes}
sizes = {}
for _ in range(runs):
    for name, keep in modes:
        engine.ClearList()
        for f in files:
            engine.AddFile(f.encode(), b"1-999999", 0)
        engine.SetOutputOptions(keep, 0, None, None, None, None)
        start = time.perf_counter()
        if engine.Colligo(output.encode(), 0, None) != 1:
            sys.exit(f"the merge keeping {name} failed")
        times[name].append(time.perf_counter() - start)
        sizes[name] = os.path.getsize(output)
base = statistics.median(times["navigation"])
for name, _ in modes:
    median = statistics.median(times[name])
    print(f"  {name:<12} {median:7.3f} s {sizes[name] / 1048576:7.1f} MiB  {median / base:5.2f} x navigation")
