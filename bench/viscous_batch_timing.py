"""folix batch --re over 20 sections (-4 to 12 degrees by 1, Re 1e6) on one
and two workers, in turn, for some rounds: polars per second, and folix's own
processor time against XFOIL's. Both are read from the batch process itself
once it has ended and before it is reaped (/proc/PID/stat of the zombie: its
own time, and its reaped children's, which are the XFOIL runs).

Usage: /usr/bin/python3 viscous_batch_timing.py FOLIX [ROUNDS]
"""

import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time


def rows():
    lines = ["thickness,camber,te_angle"]
    for thickness in ("0.10", "0.12", "0.14", "0.16", "0.18"):
        for camber in ("0", "0.02"):
            for angle in ("5", "10"):
                lines.append(f"{thickness},{camber},{angle}")
    return "\n".join(lines) + "\n"


def run(folix, folder, jobs):
    """Wall seconds, folix's own and XFOIL's processor seconds, wholly converged polars."""
    args = [folix, "batch", "rows.csv", "-j", str(jobs), "--re", "1e6",
            "--alpha-from", "-4", "--alpha-to", "12", "--alpha-step", "1"]
    start = time.monotonic()
    with open(os.path.join(folder, "out.csv"), "wb") as out:
        process = subprocess.Popen(args, cwd=folder, stdout=out)
        os.waitid(os.P_PID, process.pid, os.WEXITED | os.WNOWAIT)
        wall = time.monotonic() - start
        with open(f"/proc/{process.pid}/stat") as stat:
            fields = stat.read().rsplit(")", 1)[1].split()
        process.wait()
    tick = os.sysconf("SC_CLK_TCK")
    own = (int(fields[11]) + int(fields[12])) / tick       # utime, stime
    children = (int(fields[13]) + int(fields[14])) / tick  # cutime, cstime
    with open(os.path.join(folder, "out.csv")) as out:
        converged = sum(1 for line in out if ",converged,ok," in line)
    return wall, own, children, converged


def main():
    folix = os.path.abspath(sys.argv[1])
    rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 3
    if not shutil.which("xfoil"):
        print("skipped: xfoil is not installed")
        return
    walls = {1: [], 2: []}
    shares = []
    with tempfile.TemporaryDirectory() as folder:
        with open(os.path.join(folder, "rows.csv"), "w") as csv:
            csv.write(rows())
        for round_ in range(1, rounds + 1):
            for jobs in (1, 2):
                wall, own, children, converged = run(folix, folder, jobs)
                walls[jobs].append(wall)
                shares.append(own / children)
                print(f"round {round_}, -j {jobs}: {wall:.2f} s, {20 / wall:.2f} polars/s; processor: "
                      f"XFOIL {children:.2f} s, folix {own:.2f} s ({100 * own / children:.2f} % of XFOIL's); "
                      f"{converged} of 20 polars wholly converged", flush=True)
    one, two = statistics.median(walls[1]), statistics.median(walls[2])
    print(f"median: -j 1 {20 / one:.2f} polars/s, -j 2 {20 / two:.2f} polars/s ({one / two:.2f} times); "
          f"folix's own processor time {100 * statistics.median(shares):.2f} % of XFOIL's")


if __name__ == "__main__":
    main()
