"""Designs to aerodynamic targets: the module against the `folix` program (FOLIX_PROGRAM)."""

import json
import os
import pickle
import subprocess

import numpy as np
import pytest

import folix


def folix_json(*args):
    done = subprocess.run([os.environ["FOLIX_PROGRAM"], *args, "--json"], capture_output=True, text=True, check=False)
    return done.returncode, json.loads(done.stdout)


@pytest.mark.parametrize("alpha,ideal,where", [(2.0, False, None), (None, True, None), (1.0, False, 0.3)])
def test_design_for_lift_is_the_programs(alpha, ideal, where):
    d = folix.design_for_lift(0.5, 0.12, te_angle=10, max_thickness_at=where, alpha=alpha, ideal=ideal)
    args = ["design", "--thickness", "0.12", "--te-angle", "10", "--cl", "0.5"]
    args += ["--ideal"] if ideal else ["--alpha", repr(alpha)]
    args += ["--max-thickness-at", repr(where)] if where is not None else []
    status, report = folix_json(*args)
    assert status == 0
    assert [repr(v) for v in (d.camber, d.F, d.G, d.m)] == [repr(report[k]) for k in ("camber", "F", "G", "m")]
    angle = d.ideal_angle if ideal else alpha
    assert abs(d.cl(angle) - 0.5) <= 1e-9
    assert angle == report["alpha"]
    plain = folix.design(0.12, d.camber, 10, where)
    assert (plain.F, plain.G, plain.m) == (d.F, d.G, d.m)


def test_targets_not_met_and_wrong_arguments():
    with pytest.raises(folix.DesignError) as caught:
        folix.design_for_lift(0.1, 0.12, te_angle=10, alpha=2)
    assert caught.value.kind == "Target not met"
    assert "symmetric section's Cl 0.24021" in str(caught.value)
    assert caught.value.hint.startswith("lower the angle of attack to 0.832")
    assert pickle.loads(pickle.dumps(caught.value)).kind == "Target not met"
    with pytest.raises(folix.DesignError) as caught:
        folix.design(0.12, 0.02, 10).bucket(0.3)
    assert caught.value.kind == "No cavitation-free range" and "0.447269" in caught.value.hint
    with pytest.raises(folix.DesignError) as arithmetic:
        folix.design(0.12, 0.02, 9, 0.3)
    assert arithmetic.value.hint.startswith("max-thickness location 0.3 is in reach")
    for bad in (dict(alpha=2, ideal=True), dict(), dict(alpha=float("nan"))):
        with pytest.raises(ValueError):
            folix.design_for_lift(0.3, 0.12, **bad)
    with pytest.raises(ValueError):
        folix.design_for_lift(-0.1, 0.12, alpha=2)
    for sigma, half_width in ((0, 0.2), (0.8, -0.1)):
        with pytest.raises(ValueError):
            folix.design_for_bucket(0.3, sigma, half_width, te_angle=10)


def test_bucket_and_design_for_bucket_are_the_programs():
    d = folix.design(0.12, 0.02, 10)
    b = d.bucket(0.8)
    status, report = folix_json("bucket", "--thickness", "0.12", "--camber", "0.02", "--te-angle", "10",
                                "--sigma", "0.8", "--table")
    assert status == 0
    assert (b.alpha_low, b.alpha_high, b.cl_low, b.cl_high, b.floor) == tuple(
        report[k] for k in ("alpha_low", "alpha_high", "Cl_low", "Cl_high", "minus_Cp_min_floor"))
    assert np.array_equal(b.table(), np.array([report["table"][k] for k in ("alpha", "Cl", "minus_Cp_min")]).T)

    s = folix.design_for_bucket(0.3, 0.8, 0.2, te_angle=10)
    status, report = folix_json("design", "--te-angle", "10", "--cl", "0.3", "--sigma", "0.8",
                                "--bucket-half-width", "0.2")
    assert status == 0 and (s.thickness, s.camber, s.F) == (report["thickness"], report["camber"], report["F"])
    held = s.bucket(0.8)
    assert held.cl_low <= 0.1 and held.cl_high >= 0.5
