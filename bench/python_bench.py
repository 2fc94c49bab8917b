"""Timing and memory of the Python module, in one run:
design_many over 10,000 angle-mode rows (the rows of batch_bench) with jobs=1
and jobs=2, a Python loop of design() over the same rows, and the resident
memory over 100,000 designs with every method and error path used.
Run: PYTHONPATH=build/python /usr/bin/python3 bench/python_bench.py
(or: cmake --build build --target python_timing)."""

import time

import numpy as np

import folix


def resident_mib():
    with open("/proc/self/statm") as statm:
        pages = int(statm.read().split()[1])
    return pages * 4096 / 2**20


def rows():
    t, c, a = np.meshgrid(0.08 + 0.02 * np.arange(10), 0.005 * np.arange(10), 0.15 * np.arange(100), indexing="ij")
    return np.round(t, 6).ravel(), np.round(c, 6).ravel(), np.round(a, 6).ravel()


def rate(count, seconds):
    return f"{count / seconds:,.0f} rows/s ({seconds:.2f} s)"


thickness, camber, angle = rows()
count = thickness.size
folix.design_many(thickness[:200], camber[:200], angle[:200], jobs=2)  # warm up

times = {}
for jobs in (1, 2):
    start = time.perf_counter()
    result = folix.design_many(thickness, camber, angle, jobs=jobs)
    times[jobs] = time.perf_counter() - start
    failed = np.count_nonzero(result["error"] != "")
    print(f"design_many jobs={jobs}: {rate(count, times[jobs])}, {failed} rows failed")
print(f"design_many speed-up jobs=2 over jobs=1: {times[1] / times[2]:.2f}x")

start = time.perf_counter()
for t, c, a in zip(thickness.tolist(), camber.tolist(), angle.tolist()):
    folix.design(t, c, a)
print(f"Python loop of design(): {rate(count, time.perf_counter() - start)}")

# Reference counts: every object the module hands out is dropped again.
designs = 100_000
marks = {}
start = time.perf_counter()
for i in range(designs):
    try:
        d = folix.design(0.12, 0.02 + 1e-4 * (i % 50), 10.0 if i % 10 else 18.0, 0.3 if i % 7 == 0 else None)
        d.history, d.max_thickness_at, repr(d)
        d.cl(4.0), d.cm(4.0)
        if i % 100 == 0:
            d.coordinates(), d.pressure(4.0)
    except folix.DesignError as e:
        e.history
    if i + 1 in (1_000, 10_000, 50_000, 100_000):
        marks[i + 1] = resident_mib()
print(f"{designs:,} designs in {time.perf_counter() - start:.1f} s; resident memory after "
      + ", ".join(f"{n:,}: {mib:.1f} MiB" for n, mib in marks.items()))
