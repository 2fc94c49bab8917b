"""Viscous polars from XFOIL: the module against the `folix` program (FOLIX_PROGRAM)."""

import json
import os
import shutil
import signal
import subprocess
import threading
import time

import numpy as np
import pytest

import folix

needs_xfoil = pytest.mark.skipif(shutil.which("xfoil") is None, reason="xfoil is not installed")
SECTION = ["--thickness", "0.12", "--camber", "0.02", "--te-angle", "10"]


def program_polar(*args):
    done = subprocess.run([os.environ["FOLIX_PROGRAM"], "polar", *SECTION, *args, "--json"],
                          capture_output=True, text=True, check=False)
    return json.loads(done.stdout)


@pytest.mark.parametrize("re", [None, pytest.param(1e6, marks=needs_xfoil)])
def test_polar_is_the_programs(re):
    d = folix.design(0.12, 0.02, 10)
    polar = d.polar(np.array([[0.0, 4.0]]), re=re)
    args = ["--alpha-from", "0", "--alpha-to", "4", "--alpha-step", "4"] + (["--re", "1e6"] if re else [])
    report = program_polar(*args)
    names = ["alpha", "Cl", "Cm", "Cp_min", "x_Cp_min"]
    names += ["Cd", "Cdp", "Cm_visc", "Cl_visc", "xtr_top", "xtr_bottom", "status"] if re else []
    assert sorted(polar) == sorted(names)
    for name in names:
        assert polar[name].shape == (1, 2)
        assert polar[name].ravel().tolist() == report[name], name
    assert d.polar(4)["Cl"] == d.cl(4)


@needs_xfoil
def test_polars_many_are_each_designs_polar():
    designs = [folix.design(0.12, 0.02, 10), folix.design(0.10, 0, 5)]
    alpha = [0.0, 4.0, 8.0]
    many = folix.polars_many(designs, alpha, 1e6, jobs=2)
    for i, d in enumerate(designs):
        one = d.polar(alpha, re=1e6)
        for name in ("Cd", "Cl_visc", "xtr_top", "status"):
            np.testing.assert_array_equal(many[name][i], one[name])
        assert many["Cl_max"][i] == np.nanmax(one["Cl_visc"])
        assert many["Cd_min"][i] == np.nanmin(one["Cd"])


def test_xfoil_missing_or_settings_outside_their_limits():
    d = folix.design(0.12, 0.02, 10)
    with pytest.raises(FileNotFoundError, match="Debian's package xfoil"):
        d.polar(0, re=1e6, xfoil="/nonexistent/xfoil")
    with pytest.raises(ValueError, match="Reynolds number must be from 1000"):
        d.polar(0, re=5)
    with pytest.raises(ValueError, match="0.001 degrees apart"):
        folix.polars_many([d], [0, 0.0001], 1e6)
    with pytest.raises(ValueError, match="designs\\[1\\]: XFOIL cannot analyse a section whose surfaces cross"):
        folix.polars_many([d, folix.design(0.12, 0.02, -10)], [0], 1e6)


def test_ctrl_c_kills_every_xfoil(tmp_path, monkeypatch):
    log = tmp_path / "pids"
    fake = tmp_path / "xfoil"
    fake.write_text(f'#!/bin/sh\necho $$ >> "{log}"\nexec sleep 100\n')
    fake.chmod(0o755)
    (tmp_path / "tmp").mkdir()
    monkeypatch.setenv("TMPDIR", str(tmp_path / "tmp"))
    designs = [folix.design(0.12, 0.02, 10)] * 4
    threading.Timer(0.5, os.kill, (os.getpid(), signal.SIGINT)).start()
    start = time.monotonic()
    with pytest.raises(KeyboardInterrupt):
        folix.polars_many(designs, [0.0], 1e6, xfoil=str(fake), jobs=2)
    assert time.monotonic() - start < 5
    for pid in map(int, log.read_text().split()):
        with pytest.raises(ProcessLookupError):
            os.kill(pid, 0)
    assert not any((tmp_path / "tmp").iterdir())
