"""design_many, its table and the results file, against `folix batch` (FOLIX_PROGRAM) and design()."""

import csv
import os
import subprocess
import threading
import time

import numpy as np
import pytest

import folix
from test_folix import GRID, SPECIAL

ROWS = GRID[::3] + SPECIAL + [(0.12, 0.0, -10.0, None)]  # the last: surfaces cross


def columns(rows):
    return [np.array([np.nan if v is None else v for v in column]) for column in zip(*rows)]


def test_rows_are_the_batchs(tmp_path):
    rows = ROWS + [(float("nan"), 0.02, 10.0, None)]
    study = tmp_path / "study.csv"
    study.write_text("".join(",".join("" if v is None else repr(v) for v in row) + "\n" for row in rows))
    done = subprocess.run([os.environ["FOLIX_PROGRAM"], "batch", str(study), "--alpha", "4"],
                          capture_output=True, text=True, check=True)
    batch = list(csv.DictReader(done.stdout.splitlines()))
    table = folix.design_many(*columns(rows), alpha=4, jobs=2)
    names = [name.lower() for name in batch[0] if name != "line"]
    assert [name for name in table if name.lower() in names] == [
        "thickness", "camber", "te_angle", "max_thickness_at", "family", "F", "G", "m",
        "measured_max_thickness_at", "cl", "cm", "status"]
    for i, row in enumerate(batch):
        status = "bad row" if row["status"].startswith("bad row") else row["status"]
        assert (table.status_names[table["status"][i]], table.family_names[table["family"][i]]) == (status,
                                                                                                   row["family"])
        for name, text, digits in (("F", row["F"], 5), ("m", row["m"], 5), ("cl", row["Cl"], 4)):
            assert abs(table[name][i] - float(text)) <= 0.5 * 10**-digits if text else np.isnan(table[name][i])
    assert set(table["status"]) >= {0, 1, 2, 3, 4, 5, 7}


def test_design_many_is_design_row_by_row():
    thickness = np.array([[0.12], [0.06]])
    location = np.array([np.nan, 0.3])  # nan: angle mode in that column
    rows = folix.design_many(thickness, 0.02, 18.0, location, alpha=[[4.0], [-2.0]], jobs=2)
    assert rows.shape == (2, 2) and all(rows[k].shape == (2, 2) for k in rows)
    for (i, j), t in np.ndenumerate(np.broadcast_to(thickness, (2, 2))):
        x = None if np.isnan(location[j]) else location[j]
        alpha = rows["alpha"][i, j]
        try:
            d = folix.design(t, 0.02, 18.0, x)
            assert [rows[k][i, j] for k in ("F", "m", "cl", "cm", "converged")] == [d.F, d.m, d.cl(alpha),
                                                                                 d.cm(alpha), d.converged]
            assert (rows.status_names[rows["status"][i, j]], rows["hint"][i, j]) == (d.status, d.hint)
            assert rows["measured_max_thickness_at"][i, j] == d.measured_max_thickness_at
        except folix.DesignError as e:
            assert np.isnan(rows["F"][i, j]) and not rows["converged"][i, j] and rows["hint"][i, j] == e.hint
            assert rows.status_names[rows["status"][i, j]] == "error: " + e.kind
    assert (rows["status"] != 0).any()
    assert folix.design_many(thickness, 0.02, 18.0, location, alpha=[[4.0], [-2.0]], jobs=1) == rows


@pytest.mark.parametrize("name,value", [("thickness", np.nan), ("camber", np.inf), ("te_angle", -np.inf),
                                        ("max_thickness_at", np.inf), ("alpha", np.nan)])
def test_a_number_the_engine_cannot_take_spoils_its_row_alone(name, value):
    inputs = {"thickness": 0.12, "camber": 0.02, "te_angle": 10.0, "max_thickness_at": np.nan, "alpha": 2.0}
    inputs[name] = [value, inputs[name]]
    table = folix.design_many(**inputs)
    assert table.status_names[table["status"][0]] == "bad row" and table["hint"][0].startswith(name + " must be")
    assert table["status"][1] == 0 and np.isnan(table["F"][0]) and table["hint"][1] is None


def test_arguments():
    assert folix.design_many(0.12) == folix.design_many(0.12, 0.0, 0.0)
    for jobs in (0, 1025):
        with pytest.raises(ValueError, match="jobs"):
            folix.design_many(0.12, jobs=jobs)
    with pytest.raises(TypeError):
        folix.design_many(["0.12"], 0.02)
    with pytest.raises(TypeError):
        folix.design_many(0.12, alpha=[True])
    assert folix.design_many([], 0.02, alpha=1).shape == (0,)


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


def test_a_table_is_one_call_from_pandas():
    import pandas  # pylint: disable=import-outside-toplevel

    table = folix.design_many(*columns(ROWS), alpha=4)
    frame = table.to_pandas()
    assert list(frame.columns) == list(table) and len(frame) == len(ROWS)
    assert list(frame["status"]) == [table.status_names[s] for s in table["status"]]
    assert list(frame["family"].cat.categories) == list(table.family_names)
    assert frame["F"].equals(pandas.Series(table["F"])) and frame["hint"].tolist() == table["hint"].tolist()
    assert len(folix.design_many([[0.1, 0.12]] * 3).to_pandas()) == 6


def test_a_study_on_a_dask_cluster_is_the_study_in_process(dask_client):
    t, c = np.meshgrid(np.linspace(0.06, 0.2, 40), np.linspace(-0.01, 0.05, 50))
    t[3, 7] = np.nan
    in_process = folix.design_many(t, c, te_angle=10, alpha=[[4.0]], jobs=2)
    on_cluster = folix.design_many(t, c, te_angle=10, alpha=[[4.0]], executor=dask_client, chunk_rows=450, jobs=1)
    assert on_cluster == in_process and set(on_cluster.status_counts()) == {"ok", "error: Division by zero",
                                                                            "bad row"}
    d = folix.design(0.12, 0.02, 10)
    assert dask_client.submit(folix.design, 0.12, 0.02, 10).result() == d
    assert dask_client.submit(lambda kept: kept.cl(4), d).result() == d.cl(4)


def test_results_file_is_read_as_the_save_reads_it(tmp_path):
    designs = [folix.design(0.12, 0.02, 10), folix.design(0.06, 0.0, 0.0, 0.3)]
    path = tmp_path / "Folix_Input.txt"
    for d in designs:
        d.save(path)
    records = folix.read_results(path)
    assert records.dtype.names == ("thickness", "camber", "max_thickness_at", "te_angle", "F", "G", "m")
    assert records["m"].tolist() == [round(d.m, 5) for d in designs] and records["camber"].tolist() == [0.02, 0.0]
    # Hand-edited: a text reads as 0, commas separate, a number beyond doubles matches nothing, a cut record drops.
    path.write_bytes(b"header\r\n\r\n 0.10 abc 0.25,10.00 1e999 0 1.9\r\n 0.2 0 0 0 0 0")
    edited = folix.read_results(path)
    assert len(edited) == 1 and np.isnan(edited["F"][0])
    assert edited[["thickness", "camber", "max_thickness_at", "te_angle", "G", "m"]].tolist() == [
        (0.1, 0.0, 0.25, 10.0, 0.0, 1.9)]
    with pytest.raises(ValueError, match="holds more than 0 records"):
        folix.read_results(path, max_records=0)
    for missing in (tmp_path, tmp_path / "none.txt"):
        with pytest.raises(OSError) as read:
            folix.read_results(missing)
        if missing == tmp_path:
            with pytest.raises(OSError) as saved:
                designs[0].save(missing)
            assert (type(read.value), read.value.args, read.value.filename) == (
                type(saved.value), saved.value.args, saved.value.filename)
        assert read.value.filename == str(missing)
