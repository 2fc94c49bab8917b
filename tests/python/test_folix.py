"""The Python module against the `folix` program (FOLIX_PROGRAM) and on its own."""

import copy
import fcntl
import json
import os
import pickle
import subprocess

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


def run_folix(t, c, a, x, *extra, command="design"):
    args = [os.environ["FOLIX_PROGRAM"], command, "--thickness", repr(t), "--camber", repr(c), "--te-angle", repr(a)]
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
        hint = f" ({e.hint})" if e.hint else ""
        assert (e.kind, str(e), e.history, e.hint) == (report["error"], report["error"] + hint, report["history"],
                                                       report["hint"])
        assert done.returncode == 1 and done.stdout == ""
        return
    assert report["error"] is None
    given = report["inputs"]
    assert (d.mode, d.thickness, d.camber, d.te_angle, d.max_thickness_at) == (
        report["mode"], given["thickness"], given["camber"], given["te_angle"], given.get("max_thickness_at"))
    assert (d.hint, d.surfaces_cross_from) == (report["hint"], report["surfaces_cross_from"])
    assert [repr(v) for v in (d.F, d.G, d.m, d.measured_max_thickness_at)] == [
        repr(report[k]) for k in ("F", "G", "m", "max_thickness_at")
    ]
    assert (d.family, d.converged, d.history) == (report["family"], report["converged"], report["history"])
    assert (repr(d.cl(4)), repr(d.cm(4)), repr(d.zero_lift_angle)) == (
        repr(report["Cl"]), repr(report["Cm"]), repr(report["zero_lift_angle"]))
    dat = [fixed(x) + " " + fixed(y) for x, y in d.coordinates()]
    assert dat == done.stdout.splitlines()[1:]


@pytest.mark.parametrize("t,c,a,x", [(0.12, 0.02, 10.0, None), (0.06, 0.0, 0.0, 0.3), (0.12, 0.0, -10.0, None)])
def test_polar_is_the_programs(t, c, a, x):
    """Cp_min over the surface, and over the points where the trailing edge is re-entrant (m > 2)."""
    done = run_folix(t, c, a, x, "--alpha-from", "-4", "--alpha-to", "12", "--alpha-step", "0.5", "--json",
                     command="polar")
    report = json.loads(done.stdout)
    polar = folix.design(t, c, a, x).polar(np.arange(-4, 12.5, 0.5))
    for name in ("alpha", "Cl", "Cm", "Cp_min", "x_Cp_min"):
        assert polar[name].tolist() == report[name]


def test_analysis_takes_arrays_of_angles():
    d = folix.design(0.12, 0.02, 10)
    alpha = np.array([[-4.0, 0.0, 2.5], [4.0, 8.0, 12.0]])
    assert isinstance(d.cl(4), float) and d.cl(np.float64(4)) == d.cl(4) and d.cl(np.array(4.0)).shape == ()
    for method in (d.cl, d.cm):
        assert method(alpha).shape == alpha.shape
        assert method(alpha).tolist() == [[method(a) for a in row] for row in alpha.tolist()]
    assert d.pressure(alpha, 21).shape == (2, 3, 21, 3)
    assert np.array_equal(d.pressure(alpha, 21)[1, 2], d.pressure(12.0, 21))
    assert d.polar([4.0])["Cp_min"][0] == d.polar(4)["Cp_min"]
    for bad in ([0, np.nan], np.inf):
        with pytest.raises(ValueError, match="alpha"):
            d.cl(bad)
    with pytest.raises(TypeError):
        d.cm(["4"])
    with pytest.raises(ValueError, match="points"):
        d.polar(0, points=160)


KEPT = [(0.12, 0.02, 10.0, None), (0.06, 0.0, 0.0, 0.3), (0.956, 0.153, -15.9, None), (0.04, 0.0, 0.0, 0.2),
        (0.12, 0.0, -10.0, None)]


@pytest.mark.parametrize("t,c,a,x", KEPT)
def test_a_design_is_kept_by_its_inputs(t, c, a, x):
    d = folix.design(t, c, a, x)
    loaded = pickle.loads(pickle.dumps(d))
    assert loaded == d and hash(loaded) == hash(d) and repr(loaded) == repr(d)
    assert loaded is not d and copy.copy(d) is d and copy.deepcopy([d])[0] is d
    assert np.array_equal(loaded.coordinates(), d.coordinates()) and loaded.history == d.history
    assert d.mode == ("angle" if x is None else "location")
    assert repr(d).startswith(f"<folix.Design thickness={t!r} camber={c!r} te_angle={a!r}")
    assert repr(d).endswith(f" m={d.m:.5f}>" if d.status == "ok" else f" ({d.status})>")
    assert d != folix.design(t, c + 0.001, a, x) and d != (t, c, a, x)
    assert len({d, loaded, folix.design(t, c, a, x)}) == 1


def test_version_and_defaults():
    assert f"folix {folix.__version__}" == subprocess.run(
        [os.environ["FOLIX_PROGRAM"], "--version"], capture_output=True, text=True, check=True).stdout.strip()
    assert folix.design(0.12) == folix.design(0.12, 0.0, 0.0)
    stopped = pickle.loads(pickle.dumps(folix.DesignError("Overflow (thickness)", "Overflow", ["a"], "thickness")))
    assert (str(stopped), stopped.kind, stopped.history, stopped.hint) == ("Overflow (thickness)", "Overflow", ["a"], "thickness")


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
