"""The Python module against the `folix` program (FOLIX_PROGRAM) and on its own."""

import fcntl
import json
import os
import pickle
import subprocess
import threading
import time

import numpy as np
import pytest

import folix

GRID = [(t, c, a, x) for t in (0.06, 0.12, 0.3) for c in (0.0, 0.04) for a in (0.0, 15.0) for x in (None, 0.25, 0.4)]
SPECIAL = [
    (0.956, 0.153, -15.9, None),  # the solve gives up
    (0.04, 0.0, 0.0, 0.2),  # the location search gives up: its section is measured again
    (0.12, 0.02, 9.0, 0.3),  # Division by zero
    (0.06, 0.0, 18.0, None),  # Invalid argument
    (1e308, 0.0, 10.0, None),  # Overflow
    (0.1, 1e-310, 0.30000000000000004, None),
    (0.12, 0.02, 10.000000000000002, 0.32657),
]


def run_folix(t, c, a, x, *extra):
    args = [os.environ["FOLIX_PROGRAM"], "design", "--thickness", repr(t), "--camber", repr(c), "--te-angle", repr(a)]
    if x is not None:
        args += ["--max-thickness-at", repr(x)]
    return subprocess.run(args + list(extra), capture_output=True, text=True, check=False)


def fixed(v):
    """A number as the coordinate and pressure files write it."""
    text = f"{v:.10f}"
    if text.startswith("-") and set(text[1:]) <= set("0."):
        text = text[1:]
    return text if text.startswith("-") else " " + text


@pytest.mark.parametrize("t,c,a,x", GRID + SPECIAL)
def test_agrees_with_the_program(t, c, a, x):
    # With --dat - the coordinates go to standard output and the JSON to standard error.
    done = run_folix(t, c, a, x, "--json", "--alpha", "4", "--dat", "-", "--allow-crossing")
    report, _ = json.JSONDecoder(parse_int=float).raw_decode(done.stderr)
    try:
        d = folix.design(t, c, a, x)
    except folix.DesignError as e:
        assert (e.kind, str(e), e.history) == (report["error"], report["error"], report["history"])
        assert done.returncode == 1 and done.stdout == ""
        return
    assert report["error"] is None
    assert [repr(v) for v in (d.F, d.G, d.m, d.max_thickness_at)] == [
        repr(report[k]) for k in ("F", "G", "m", "max_thickness_at")
    ]
    assert (d.family, d.converged, d.history) == (report["family"], report["converged"], report["history"])
    assert (repr(d.cl(4)), repr(d.cm(4)), repr(d.zero_lift_angle)) == (
        repr(report["Cl"]), repr(report["Cm"]), repr(report["zero_lift_angle"]))
    dat = [fixed(x) + " " + fixed(y) for x, y in d.coordinates()]
    assert dat == done.stdout.splitlines()[1:]


def test_pressure_is_the_programs_cp_file():
    d = folix.design(0.12, 0.02, 10)
    cp = [" ".join(fixed(v) for v in row) for row in d.pressure(4, 21)]
    assert cp == run_folix(0.12, 0.02, 10.0, None, "--alpha", "4", "--points", "21", "--cp", "-").stdout.splitlines()[1:]
    with pytest.raises(folix.DesignError, match="re-entrant") as stopped:
        folix.design(0.12, 0.02, -10).pressure()
    assert stopped.value.kind == "Division by zero"


def test_numbers_only():
    assert folix.design(np.float32(0.12), np.int64(0)).F == folix.design(float(np.float32(0.12)), 0).F
    assert folix.design(0.12, -0.0).G == folix.design(0.12, 0.0).G
    for bad in ("0.12", None, [0.12]):
        with pytest.raises(TypeError):
            folix.design(bad, 0.02)
    for bad in (float("nan"), float("inf")):
        with pytest.raises(ValueError):
            folix.design(0.12, 0.02, max_thickness_at=bad)
    with pytest.raises(ValueError):
        folix.design(0.12, 0.02).coordinates(160)
    with pytest.raises(TypeError):
        folix.design_many(["0.12"], 0.02)
    with pytest.raises(ValueError):
        folix.design_many([0.12, np.inf], 0.02)


def test_design_many_is_design_row_by_row():
    thickness = np.array([[0.12], [0.06]])
    location = np.array([np.nan, 0.3])  # nan: angle mode in that column
    rows = folix.design_many(thickness, 0.02, 18.0, location, jobs=2)
    assert all(rows[k].shape == (2, 2) for k in rows)
    for (i, j), t in np.ndenumerate(np.broadcast_to(thickness, (2, 2))):
        x = None if np.isnan(location[j]) else location[j]
        try:
            d = folix.design(t, 0.02, 18.0, x)
            assert (rows["F"][i, j], rows["m"][i, j], rows["max_thickness_at"][i, j]) == (d.F, d.m, d.max_thickness_at)
            assert (rows["converged"][i, j], rows["error"][i, j]) == (d.converged, "")
        except folix.DesignError as e:
            assert np.isnan(rows["F"][i, j]) and not rows["converged"][i, j] and rows["error"][i, j] == e.kind
    assert (rows["error"] != "").any()
    one = folix.design_many(thickness, 0.02, 18.0, location, jobs=1)
    assert all(np.array_equal(rows[k], one[k], equal_nan=k != "error") for k in rows)


def test_other_threads_run_while_rows_are_designed():
    ticks = []
    stop = threading.Event()

    def tick():
        while not stop.is_set():
            ticks.append(time.perf_counter())
            time.sleep(0.001)

    ticker = threading.Thread(target=tick)
    ticker.start()
    start = time.perf_counter()
    folix.design_many(np.full(6000, 0.12), 0.02, 10, jobs=1)
    end = time.perf_counter()
    stop.set()
    ticker.join()
    # Holding the interpreter lock would stop the ticks for the whole call.
    gaps = np.diff([start] + [t for t in ticks if start < t < end] + [end])
    assert gaps.max() < (end - start) / 2


def test_save(tmp_path):
    d = folix.design(0.12, 0.02, 10)
    assert d.save(tmp_path / "Folix_Input.txt") is True
    assert d.save(str(tmp_path / "Folix_Input.txt")) is False
    assert (tmp_path / "Folix_Input.txt").read_bytes().endswith(b"   1.94444\r\n")
    with pytest.raises(IsADirectoryError) as failed:
        d.save(tmp_path)
    assert failed.value.filename == str(tmp_path)
    # The last values of a run that gave up are no design.
    with pytest.raises(ValueError, match=r"^not saved: the last design run did not converge \(the search for m"):
        folix.design(0.04, 0, 0, max_thickness_at=0.2).save(tmp_path / "other.txt")
    assert not (tmp_path / "other.txt").exists()


def test_save_errors_say_why(tmp_path):
    d = folix.design(0.12, 0.02, 10)
    os.mkfifo(tmp_path / "pipe")
    held = tmp_path / "Folix_Input.txt"
    d.save(held)
    with open(held) as other:
        fcntl.flock(other, fcntl.LOCK_EX)
        for file, reason in ((tmp_path / "pipe", "Not a regular file"),
                             (held, "the results file is locked by another program")):
            with pytest.raises(folix.SaveError) as failed:
                d.save(file)
            assert str(failed.value) == f"{reason}: {file}"
            assert (failed.value.strerror, failed.value.filename) == (reason, str(file))
            assert isinstance(failed.value, OSError)
            assert str(pickle.loads(pickle.dumps(failed.value))) == str(failed.value)
