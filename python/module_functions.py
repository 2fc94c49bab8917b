"""The part of the module folix written in Python: its functions and the table of a study.

This code runs inside the compiled module when it is imported, which hands
it the module's compiled functions in the global dict _compiled and takes
what _offered() returns. Every compiled function is offered wrapped in a
Python function, because one defined in Python pickles by its name:
executors and multiprocessing send functions to other processes that way.
"""

import collections.abc

import numpy as np


class DesignTable(collections.abc.Mapping):
    """The designs of a study, one numpy array per column, each of the study's shape.

    Columns, in this order (the names of `folix batch`):
      thickness, camber, te_angle: the inputs, broadcast (ratios over chord,
          degrees);
      max_thickness_at: the wanted location of maximum thickness over chord,
          nan where none was given (angle mode);
      alpha: the angle of attack in degrees, when one was given;
      family: a code, named by family_names ("" where the run stopped first);
      F, G, m: the mapping parameters and exponent (nan where the row failed);
      measured_max_thickness_at: the section's location of maximum thickness
          over chord (nan where unknown or failed);
      cl, cm: with alpha, the exact inviscid lift and quarter-chord moment
          coefficients (nan where the row failed);
      status: a code, named by status_names ("ok", "not converged",
          "error: Division by zero", "bad row", ...);
      converged: bool, as Design.converged;
      hint: what to change, naming the input and its limit, where the cause
          of a failure is known; else None.

    A mapping of column names to arrays: table["F"], list(table), dict(table).
    to_pandas() gives a DataFrame of one row per design. Tables compare equal
    when every column is equal, nan matching nan.
    """

    def __init__(self, columns, family_names, status_names):
        self._columns = dict(columns)
        self.family_names = tuple(family_names)
        self.status_names = tuple(status_names)

    def __getitem__(self, name):
        return self._columns[name]

    def __iter__(self):
        return iter(self._columns)

    def __len__(self):
        return len(self._columns)

    @property
    def shape(self):
        """The study's shape: that of the broadcast inputs."""
        return self._columns["status"].shape

    def status_counts(self):
        """How many rows have each status, by name, for the statuses that occur."""
        counts = np.bincount(self._columns["status"].ravel(), minlength=len(self.status_names))
        return {name: int(n) for name, n in zip(self.status_names, counts) if n}

    def __repr__(self):
        counts = ", ".join(f"{n:,} {name}" for name, n in self.status_counts().items())
        return f"<folix.DesignTable shape={self.shape}: {counts or 'no rows'}>"

    def __eq__(self, other):
        if not isinstance(other, DesignTable):
            return NotImplemented
        names = (self.family_names, self.status_names, list(self))
        if names != (other.family_names, other.status_names, list(other)):
            return False
        return all(_equal_columns(self[name], other[name]) for name in self)

    __hash__ = None

    def to_pandas(self):
        """A pandas DataFrame of one row per design, in C order of the study's
        shape, family and status as categoricals of their names."""
        import pandas  # pylint: disable=import-outside-toplevel

        frame = {}
        for name, column in self.items():
            flat = column.ravel()
            if name == "family":
                flat = pandas.Categorical.from_codes(flat, self.family_names)
            elif name == "status":
                flat = pandas.Categorical.from_codes(flat, self.status_names)
            frame[name] = flat
        return pandas.DataFrame(frame)

    @classmethod
    def _joined(cls, parts, shape):
        first = parts[0]
        columns = {name: np.concatenate([part[name].ravel() for part in parts]).reshape(shape) for name in first}
        return cls(columns, first.family_names, first.status_names)


def _equal_columns(a, b):
    if a.dtype.kind == "f" and b.dtype.kind == "f":
        return np.array_equal(a, b, equal_nan=True)
    return a.shape == b.shape and bool(np.all(a == b))


def design(thickness, camber=0.0, te_angle=0.0, max_thickness_at=None):
    """Designs one section, like "Design airfoil" in the window.

    thickness: wanted thickness ratio (maximum thickness over chord).
    camber: wanted camber ratio (maximum camber over chord); 0 by default.
    te_angle: trailing-edge angle in degrees; the exponent is
        m = 2 - te_angle/180. With max_thickness_at it sets the first
        exponent tried.
    max_thickness_at: when given, the exponent is searched so that the
        maximum thickness lies at this fraction of the chord (location mode).

    Returns a Design, which keeps these inputs; a run that did not meet its
    targets still returns one, with converged False. Raises DesignError when
    the arithmetic fails (its kind, history and hint tell where and what to
    change), ValueError for NaN or infinity, TypeError for a text. -0.0
    counts as 0.0, as the window reads "-0".
    """
    return _compiled["design"](thickness, camber, te_angle, max_thickness_at)  # noqa: F821


def read_results(path="Folix_Input.txt", max_records=1_000_000):
    """The records of a results file, as the save command reads them.

    path: the results file; Folix_Input.txt in the working directory by default.
    max_records: the most records to read; a file holding more is a ValueError.

    Returns a numpy structured array, one element per record line in file
    order, with the float fields of the line: thickness (Delta), camber
    (Gamma), max_thickness_at (xDltC: the wanted location in location mode,
    else the measured one, over chord), te_angle (Tau, degrees: (2 - m) *
    180), F, G, m. Hand-edited text reads as the save reads it: a field as its
    leading number (0 if none), nan for a number beyond the double range.
    Raises the OSError a save would, naming the file (FileNotFoundError,
    IsADirectoryError, ...), when the file cannot be read.
    """
    return _compiled["read_results"](path, max_records)  # noqa: F821


def design_many(thickness, camber=0.0, te_angle=0.0, max_thickness_at=None, alpha=None, *, jobs=None,
                executor=None, chunk_rows=100_000):
    """Designs every element of array-like inputs, on several threads.

    thickness, camber: wanted ratios over chord (camber 0 by default);
    te_angle: trailing-edge angle in degrees (with max_thickness_at, the first
        exponent tried);
    max_thickness_at: wanted location of maximum thickness over chord
        (location mode); None, or nan in an element, is angle mode there;
    alpha: angle of attack in degrees: adds the columns cl and cm.
    The inputs broadcast together like numpy arrays (scalars included).

    jobs: threads to use, 1 to 1024; all cores when None. Other Python threads
    keep running meanwhile; Ctrl+C stops the study.

    executor: anything with submit(function, *args, **kwargs) returning a
    future with result(): a dask.distributed Client, a concurrent.futures
    executor. The study is cut into parts of chunk_rows rows, each designed
    by design_many (with jobs) where the executor runs it, and joined in
    order: the same table as without it.

    Returns a DesignTable. A row that fails never raises: its status says why
    (a number other than a finite one in an input makes it a "bad row", its
    hint naming the input). A text or bool in an input is a TypeError, jobs
    outside 1 to 1024 a ValueError.
    """
    if executor is None:
        return _compiled["design_many"](thickness, camber, te_angle, max_thickness_at, alpha, jobs)  # noqa: F821
    if chunk_rows < 1:
        raise ValueError(f"chunk_rows must be at least 1, not {chunk_rows}")
    given = [np.asarray(v) for v in (thickness, camber, te_angle, max_thickness_at, alpha) if v is not None]
    shape = np.broadcast_shapes(*(v.shape for v in given))
    flat = iter([np.broadcast_to(v, shape).ravel() for v in given])
    columns = [None if v is None else next(flat) for v in (thickness, camber, te_angle, max_thickness_at, alpha)]
    # No rows: the checks of the arguments and the empty table, at home.
    empty = _compiled["design_many"](*(None if c is None else c[:0] for c in columns), jobs)  # noqa: F821
    rows = int(np.prod(shape))
    if rows == 0:
        return DesignTable._joined([empty], shape)  # pylint: disable=protected-access
    futures = [
        executor.submit(design_many, *(None if c is None else c[first:first + chunk_rows] for c in columns), jobs=jobs)
        for first in range(0, rows, chunk_rows)
    ]
    return DesignTable._joined([f.result() for f in futures], shape)  # pylint: disable=protected-access


def _picklable(name, compiled):
    """`compiled` called through a Python function of the same name and text."""

    def function(*args, **kwargs):
        return compiled(*args, **kwargs)

    function.__name__ = function.__qualname__ = name
    function.__doc__ = compiled.__doc__
    return function


def _offered():
    """What the module takes from here: the table's class and a picklable function for every compiled one."""
    written_here = {"design": design, "design_many": design_many, "read_results": read_results}
    functions = {name: written_here.get(name) or _picklable(name, f) for name, f in _compiled.items()}  # noqa: F821
    return {"DesignTable": DesignTable, **functions}
