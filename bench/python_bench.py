"""Timing and memory of the Python module, in one run:
design_many over 10,000 angle-mode rows (the rows of batch_bench) with jobs=1
and jobs=2, a Python loop of design() over the same rows, the pickle round
trip of a design, the resident memory over 100,000 designs with every method
and error path used, the memory design_many takes for 1,000,000 rows above
its inputs, and 100,000 rows on a Dask LocalCluster of two worker processes
against the same rows in process (when Dask is installed).
Run: PYTHONPATH=build/python /usr/bin/python3 bench/python_bench.py [part ...]
(or: cmake --build build --target python_timing); parts: rates, loop,
pickle, memory, million, million-full, dask."""

import pickle
import subprocess
import sys
import time

import numpy as np

import folix


def resident_mib(field="VmRSS"):
    with open("/proc/self/status", encoding="ascii") as status:
        for line in status:
            if line.startswith(field + ":"):
                return int(line.split()[1]) / 1024
    raise LookupError(field)


def rows():
    t, c, a = np.meshgrid(0.08 + 0.02 * np.arange(10), 0.005 * np.arange(10), 0.15 * np.arange(100), indexing="ij")
    return np.round(t, 6).ravel(), np.round(c, 6).ravel(), np.round(a, 6).ravel()


def rate(count, seconds):
    return f"{count / seconds:,.0f} rows/s ({seconds:.2f} s)"


def design_many_rates(thickness, camber, angle, rounds=3):
    count = thickness.size
    folix.design_many(thickness[:200], camber[:200], angle[:200], jobs=2)  # warm up
    ratios = []
    for _ in range(rounds):
        times = {}
        for jobs in (1, 2):
            start = time.perf_counter()
            result = folix.design_many(thickness, camber, angle, jobs=jobs)
            times[jobs] = time.perf_counter() - start
            print(f"design_many jobs={jobs}: {rate(count, times[jobs])}, {result.status_counts()}")
        ratios.append(times[1] / times[2])
    print("design_many speed-up jobs=2 over jobs=1: " + ", ".join(f"{r:.2f}x" for r in ratios))


def design_loop(thickness, camber, angle):
    start = time.perf_counter()
    for t, c, a in zip(thickness.tolist(), camber.tolist(), angle.tolist()):
        folix.design(t, c, a)
    print(f"Python loop of design(): {rate(thickness.size, time.perf_counter() - start)}")


def pickle_round_trip():
    designs = [folix.design(0.08 + 0.0001 * i, 0.02, 10.0) for i in range(2000)]
    start = time.perf_counter()
    loaded = [pickle.loads(pickle.dumps(d)) for d in designs]
    seconds = time.perf_counter() - start
    assert loaded == designs
    print(f"pickle round trip of a design: {seconds / len(designs) * 1e6:.1f} µs (designed again when loaded)")


def resident_memory_over_designs():
    # Reference counts: every object the module hands out is dropped again.
    designs = 100_000
    marks = {}
    start = time.perf_counter()
    for i in range(designs):
        try:
            d = folix.design(0.12, 0.02 + 1e-4 * (i % 50), 10.0 if i % 10 else 18.0, 0.3 if i % 7 == 0 else None)
            _ = d.history, d.measured_max_thickness_at, repr(d), hash(d), pickle.dumps(d)
            d.cl(4.0), d.cm(4.0), d.cl([0.0, 4.0])
            if i % 100 == 0:
                d.coordinates(), d.pressure(4.0), d.polar([0.0, 4.0])
        except folix.DesignError as e:
            _ = e.history, e.hint
        if i + 1 in (1_000, 10_000, 50_000, 100_000):
            marks[i + 1] = resident_mib()
    print(f"{designs:,} designs in {time.perf_counter() - start:.1f} s; resident memory after "
          + ", ".join(f"{n:,}: {mib:.1f} MiB" for n, mib in marks.items()))


def million_rows_memory(all_full):
    """Run in a fresh interpreter: the peak resident memory above that with the inputs in place."""
    count = 1_000_000
    rng = np.random.default_rng(1)
    thickness = rng.uniform(0.08, 0.2, count)
    camber = rng.uniform(0.0, 0.05, count)
    angle = rng.uniform(0.0, 15.0, count)
    extra = {"max_thickness_at": np.full(count, np.nan), "alpha": np.full(count, 4.0)} if all_full else {"alpha": 4.0}
    with open("/proc/self/clear_refs", "w", encoding="ascii") as peak:
        peak.write("5")  # the peak so far is forgotten: VmHWM starts again from VmRSS
    before = resident_mib()
    start = time.perf_counter()
    table = folix.design_many(thickness, camber, angle, jobs=2, **extra)
    seconds = time.perf_counter() - start
    inputs = "all five inputs" if all_full else "thickness, camber and te_angle"
    print(f"design_many of {count:,} rows ({inputs} of 1,000,000 elements, alpha): "
          f"{resident_mib('VmHWM') - before:.1f} MiB above the inputs at its peak, "
          f"{rate(count, seconds)}, {table.status_counts()}")


def dask_against_in_process():
    try:
        from dask.distributed import Client, LocalCluster  # pylint: disable=import-outside-toplevel
    except ImportError:
        print("Dask is not installed: no cluster timing")
        return
    t, c = np.meshgrid(np.linspace(0.06, 0.2, 400), np.linspace(0.0, 0.05, 250))  # 100,000 rows
    start = time.perf_counter()
    in_process = folix.design_many(t, c, te_angle=10, alpha=4, jobs=2)
    local = time.perf_counter() - start
    start = time.perf_counter()
    with LocalCluster(n_workers=2, threads_per_worker=1, dashboard_address=None) as cluster, Client(cluster) as client:
        started = time.perf_counter() - start
        start = time.perf_counter()
        on_cluster = folix.design_many(t, c, te_angle=10, alpha=4, executor=client, chunk_rows=10_000, jobs=1)
        far = time.perf_counter() - start
    assert on_cluster == in_process
    print(f"100,000 rows in process (jobs=2): {local:.2f} s; on a LocalCluster of two worker processes: "
          f"{far:.2f} s ({far / local:.2f} times), the cluster's start {started:.2f} s besides")


def main():
    parts = {
        "rates": lambda: design_many_rates(*rows()),
        "loop": lambda: design_loop(*rows()),
        "pickle": pickle_round_trip,
        "memory": resident_memory_over_designs,
        # In fresh interpreters, so that nothing before counts.
        "million": lambda: subprocess.run([sys.executable, __file__, "million-rows"], check=True),
        "million-full": lambda: subprocess.run([sys.executable, __file__, "million-rows-full"], check=True),
        "million-rows": lambda: million_rows_memory(False),
        "million-rows-full": lambda: million_rows_memory(True),
        "dask": dask_against_in_process,
    }
    for part in sys.argv[1:] or ["rates", "loop", "pickle", "memory", "million", "million-full", "dask"]:
        parts[part]()


if __name__ == "__main__":
    main()
