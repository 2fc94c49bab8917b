"""Joukowsky and Karman-Trefftz airfoil sections by conformal mapping.

The design run of the FolixDesign window and the `folix` command line, with the
same results bit for bit. Ratios are fractions of the chord, angles are in
degrees, coordinates lie on a chord of 1 from the leading edge (x = 0) to the
trailing edge (x = 1).
"""

import os
from collections.abc import Iterator, Mapping
from concurrent.futures import Future
from typing import Any, Callable, Literal, Optional, Protocol, Sequence, SupportsFloat, TypedDict, Union, overload

import numpy as np
import numpy.typing as npt

_Number = Union[SupportsFloat, np.floating, np.integer]
_Path = Union[str, os.PathLike[str]]
_Array = npt.NDArray[np.float64]

__version__: str
"""The program's version, as `folix --version` gives it."""

class DesignError(ArithmeticError):
    """A design run, or the analysis of its section, stopped on an arithmetic error."""

    kind: str
    """The reason: "Division by zero", "Invalid argument", "Overflow" or "Subscript out of range"."""
    history: list[str]
    """The iteration-history lines written before the stop."""
    hint: Optional[str]
    """Which input to change and its limit, when the cause is known: of a run that stopped
    (the message ends with it) or of a target not met ("Target not met", "No
    cavitation-free range"); else None."""
    def __init__(self, message: str, kind: str, history: list[str], hint: Optional[str] = None) -> None: ...

class SaveError(OSError):
    """A save that failed for a reason without an error number: the results file
    is locked by another program, or its name is not a regular file. str() is the
    reason and the file; strerror holds the reason, filename the file."""

    def __init__(self, message: str, reason: str, filename: str) -> None: ...

class Bucket:
    """A section's cavitation bucket: the angles of attack (degrees) and lift coefficients
    over which it is free of cavitation (-Cp_min <= sigma) at sigma."""

    @property
    def sigma(self) -> float: ...
    @property
    def alpha_low(self) -> float:
        """Angle of attack of the low edge, degrees."""
    @property
    def alpha_high(self) -> float:
        """Angle of attack of the high edge, degrees."""
    @property
    def cl_low(self) -> float: ...
    @property
    def cl_high(self) -> float: ...
    @property
    def width(self) -> float:
        """cl_high - cl_low."""
    @property
    def alpha_floor(self) -> float:
        """Angle of attack of the floor (the least -Cp_min), degrees."""
    @property
    def cl_floor(self) -> float: ...
    @property
    def floor(self) -> float:
        """-Cp_min at the floor: the least sigma with a cavitation-free range."""
    def table(self, points: int = 41) -> npt.NDArray[np.float64]:
        """A (points, 3) array of alpha (degrees), Cl and -Cp_min evenly over the range."""

class _Polar(TypedDict, total=False):
    alpha: Any
    """Angles of attack in degrees: a float, or an array of alpha's shape (so every entry)."""
    Cl: Any
    """Lift coefficient of the exact inviscid flow."""
    Cm: Any
    """Quarter-chord moment coefficient of the exact inviscid flow, positive nose-up."""
    Cp_min: Any
    """The lowest pressure coefficient on the surface."""
    x_Cp_min: Any
    """Its location over chord."""
    Cd: Any
    """With re: XFOIL's drag coefficient; nan where the angle did not converge (so the five below)."""
    Cdp: Any
    """XFOIL's pressure drag coefficient as its polar file writes it."""
    Cm_visc: Any
    """XFOIL's quarter-chord moment coefficient, positive nose-up."""
    Cl_visc: Any
    """XFOIL's lift coefficient."""
    xtr_top: Any
    """Transition location over chord on the upper surface."""
    xtr_bottom: Any
    """Transition location over chord on the lower surface."""
    status: Any
    """With re: "converged", "not converged" or "failed: <reason>" per angle."""

class _PolarsMany(TypedDict):
    alpha: npt.NDArray[np.float64]
    """The angles of attack, degrees."""
    Cd: npt.NDArray[np.float64]
    """Of shape (len(designs), len(alpha)), nan where an angle did not converge; as the
    five below."""
    Cdp: npt.NDArray[np.float64]
    Cm_visc: npt.NDArray[np.float64]
    Cl_visc: npt.NDArray[np.float64]
    xtr_top: npt.NDArray[np.float64]
    xtr_bottom: npt.NDArray[np.float64]
    status: npt.NDArray[np.str_]
    """Each angle's "converged", "not converged" or "failed: <reason>"."""
    Cl_max: npt.NDArray[np.float64]
    """Per design, over its converged angles (nan when none): the largest Cl_visc; and
    its angle, the least Cd, the largest Cl_visc / Cd and its angle below."""
    alpha_Cl_max: npt.NDArray[np.float64]
    Cd_min: npt.NDArray[np.float64]
    Cl_Cd_max: npt.NDArray[np.float64]
    alpha_Cl_Cd_max: npt.NDArray[np.float64]


class Design:
    """A completed design run with its inputs, as `folix design` reports it. Built by design().

    Immutable; pickles by its inputs (designed again when loaded, with the same
    results bit for bit); equal to another design, and hashed, by inputs and results.
    """

    @property
    def thickness(self) -> float:
        """The wanted thickness ratio (maximum thickness over chord) the run was given."""
    @property
    def camber(self) -> float:
        """The wanted camber ratio (maximum camber over chord) the run was given."""
    @property
    def te_angle(self) -> float:
        """The trailing-edge angle in degrees the run was given (in location mode, the first exponent tried)."""
    @property
    def max_thickness_at(self) -> Optional[float]:
        """The wanted location of maximum thickness over chord; None in angle mode."""
    @property
    def mode(self) -> Literal["angle", "location"]:
        """ "location" when max_thickness_at was given, else "angle"."""
    @property
    def family(self) -> str:
        """ "JOUKOWSKY AIRFOIL" when m is exactly 2, else "KARMAN-TREFFTZ AIRFOIL"."""
    @property
    def F(self) -> float:
        """Mapping parameter F: the generating circle's centre x, unrounded."""
    @property
    def G(self) -> float:
        """Mapping parameter G: the generating circle's centre y, unrounded."""
    @property
    def m(self) -> float:
        """Mapping exponent m, unrounded; the trailing-edge angle is (2 - m) * 180 degrees."""
    @property
    def measured_max_thickness_at(self) -> Optional[float]:
        """Measured location of maximum thickness over chord of this section; None when unknown."""
    @property
    def converged(self) -> bool:
        """Whether every solve and the location search met their targets and the location
        of maximum thickness is known; else the values are the last ones tried."""
    @property
    def status(self) -> str:
        """ "ok", "surfaces cross" or "not converged", as `folix batch` writes it."""
    @property
    def surfaces_cross_from(self) -> Optional[float]:
        """The x/c from which the upper surface runs below the lower one (status "surfaces cross":
        no valid outline, as for every m > 2); None when they do not cross."""
    @property
    def hint(self) -> Optional[str]:
        """What to change, naming the input and its limit, when the run did not converge and the cause is known."""
    @property
    def history(self) -> list[str]:
        """The iteration-history lines, as the window's list shows them."""
    @property
    def zero_lift_angle(self) -> float:
        """Angle of attack of zero lift, in degrees: -atan(G / (1 + F))."""
    @property
    def ideal_angle(self) -> float:
        """Ideal angle of attack in degrees: the front stagnation point on the leading edge
        (the outline's point of least x/c); 0 for a symmetric section."""
    def bucket(self, sigma: _Number) -> Bucket:
        """The cavitation bucket at cavitation number sigma (> 0); DesignError with kind
        "No cavitation-free range" when sigma lies below its floor or m > 2."""
    def coordinates(self, points: int = 161) -> _Array:
        """The outline as a (points, 2) array of x, y in the order and values of
        `folix design --dat` (Selig order). points: odd, 5 to 100001."""
    @overload
    def cl(self, alpha: _Number) -> float: ...
    @overload
    def cl(self, alpha: npt.ArrayLike) -> _Array:
        """Lift coefficient of the exact inviscid flow at alpha (degrees, positive nose-up);
        an array of angles gives an array of their shape."""
    @overload
    def cm(self, alpha: _Number) -> float: ...
    @overload
    def cm(self, alpha: npt.ArrayLike) -> _Array:
        """Quarter-chord moment coefficient (positive nose-up) at alpha (degrees); an array
        of angles gives an array of their shape."""
    def pressure(self, alpha: npt.ArrayLike = 0.0, points: int = 161) -> _Array:
        """A (points, 3) array of x, y, Cp at alpha (degrees), as `folix design --cp`; for an
        array of angles, of shape alpha.shape + (points, 3)."""
    def polar(
        self,
        alpha: npt.ArrayLike,
        re: Optional[_Number] = None,
        mach: _Number = 0.0,
        ncrit: _Number = 9.0,
        *,
        xtr_top: _Number = 1.0,
        xtr_bottom: _Number = 1.0,
        iterations: int = 100,
        xfoil: Optional[str] = None,
        timeout: Optional[_Number] = None,
        points: int = 161,
    ) -> _Polar:
        """The polar at alpha (degrees, a number or an array): the exact inviscid alpha, Cl,
        Cm, Cp_min, x_Cp_min as `folix polar`; with re (chord Reynolds number, 1000 to
        1e9) also XFOIL's Cd, Cdp, Cm_visc, Cl_visc, xtr_top, xtr_bottom (nan where not
        converged) and status per angle, as `folix polar --re`. mach (0 to below 1),
        ncrit (e^n criterion), xtr_top/xtr_bottom (forced transition x/c, 1 free),
        iterations (per angle), xfoil (the program), timeout (seconds for the polar).
        Runs XFOIL without the interpreter lock; Ctrl+C kills it (KeyboardInterrupt).
        FileNotFoundError without XFOIL, ValueError for settings beyond their limits or m > 2."""
    def save(self, path: _Path = "Folix_Input.txt") -> bool:
        """Appends the design to the results file, like "Save result". True when a line
        was written, False for an equal design recorded already; OSError when it cannot,
        ValueError for a run that did not converge. OSError is its errno's subclass (such as
        PermissionError) or SaveError, str() naming the reason and the file."""
    def __eq__(self, other: object) -> bool: ...
    def __hash__(self) -> int: ...
    def __copy__(self) -> "Design": ...
    def __deepcopy__(self, memo: Any) -> "Design": ...

def design(
    thickness: _Number,
    camber: _Number = 0.0,
    te_angle: _Number = 0.0,
    max_thickness_at: Optional[_Number] = None,
) -> Design:
    """Designs one section, like "Design airfoil" in the window.

    thickness, camber: wanted ratios over chord; te_angle: trailing-edge angle in
    degrees (with max_thickness_at, the first exponent tried); max_thickness_at:
    wanted location of maximum thickness over chord (location mode).
    Raises DesignError when the arithmetic fails, ValueError for NaN or infinity,
    TypeError for a text.
    """

class DesignTable(Mapping[str, npt.NDArray[Any]]):
    """The designs of a study, one numpy array per column, each of the study's shape.

    Columns: thickness, camber, te_angle, max_thickness_at (nan: angle mode),
    alpha (when given), family (uint8 code, see family_names), F, G, m,
    measured_max_thickness_at (nan where unknown or failed), cl, cm (with alpha),
    status (uint8 code, see status_names), converged (bool), hint (None or a text).
    """

    family_names: tuple[str, ...]
    """The family of each code: "", "JOUKOWSKY AIRFOIL", "KARMAN-TREFFTZ AIRFOIL"."""
    status_names: tuple[str, ...]
    """The status of each code: "ok", "not converged", "surfaces cross", "error: Division by zero",
    "error: Invalid argument", "error: Overflow", "error: Subscript out of range", "bad row"."""
    def __init__(
        self, columns: Mapping[str, npt.NDArray[Any]], family_names: tuple[str, ...], status_names: tuple[str, ...]
    ) -> None: ...
    def __getitem__(self, name: str) -> npt.NDArray[Any]: ...
    def __iter__(self) -> Iterator[str]: ...
    def __len__(self) -> int: ...
    @property
    def shape(self) -> tuple[int, ...]:
        """The study's shape: that of the broadcast inputs."""
    def status_counts(self) -> dict[str, int]:
        """How many rows have each status, by name, for the statuses that occur."""
    def to_pandas(self) -> Any:
        """A pandas DataFrame of one row per design (C order), family and status as categoricals."""

class _Executor(Protocol):
    def submit(self, fn: Callable[..., DesignTable], /, *args: Any, **kwargs: Any) -> "Future[DesignTable]": ...

def design_many(
    thickness: npt.ArrayLike,
    camber: npt.ArrayLike = 0.0,
    te_angle: npt.ArrayLike = 0.0,
    max_thickness_at: Optional[npt.ArrayLike] = None,
    alpha: Optional[npt.ArrayLike] = None,
    *,
    jobs: Optional[int] = None,
    executor: Optional[_Executor] = None,
    chunk_rows: int = 100_000,
) -> DesignTable:
    """Designs every element of the broadcast inputs on `jobs` threads (1 to 1024; all
    cores when None), releasing the interpreter lock.

    Ratios over chord, angles in degrees. max_thickness_at None, or nan in an
    element, means angle mode there; alpha adds the columns cl and cm. With an
    executor (a dask.distributed Client, a concurrent.futures executor), parts of
    chunk_rows rows are designed where it runs them and joined in order. A failing
    row never raises: its status says why; a NaN or infinity makes a "bad row".
    """

def read_results(path: _Path = "Folix_Input.txt", max_records: int = 1_000_000) -> npt.NDArray[np.void]:
    """The records of a results file, read as the save command reads them: a structured
    array with the float fields thickness, camber, max_thickness_at, te_angle (degrees),
    F, G, m. Raises the OSError a save would when the file cannot be read."""

def design_for_lift(
    cl: _Number,
    thickness: _Number,
    *,
    te_angle: Optional[_Number] = None,
    max_thickness_at: Optional[_Number] = None,
    alpha: Optional[_Number] = None,
    ideal: bool = False,
) -> Design:
    """Designs the section whose exact inviscid Cl is cl (>= 0) at alpha (degrees) or, with
    ideal=True, at its ideal angle: the camber ratio is solved, |Cl - cl| <= 1e-9.
    te_angle (degrees, 0 when None) and max_thickness_at as for design(). DesignError
    ("Target not met", with a hint) when no camber meets it; ValueError for a negative
    cl or both or neither of alpha and ideal."""

def design_for_bucket(
    cl: _Number,
    sigma: _Number,
    half_width: _Number,
    *,
    te_angle: Optional[_Number] = None,
    max_thickness_at: Optional[_Number] = None,
) -> Design:
    """The thinnest section (thickness within 1e-6), its camber centring the cavitation
    bucket at sigma on cl, that is free of cavitation for every Cl in
    [cl - half_width, cl + half_width]. DesignError ("Target not met", with the widest
    bucket found and a hint) when no thickness reaches it."""

def polars_many(
    designs: Sequence[Design],
    alpha: npt.ArrayLike,
    re: _Number,
    mach: _Number = 0.0,
    ncrit: _Number = 9.0,
    *,
    xtr_top: _Number = 1.0,
    xtr_bottom: _Number = 1.0,
    iterations: int = 100,
    xfoil: Optional[str] = None,
    timeout: Optional[_Number] = None,
    jobs: Optional[int] = None,
) -> _PolarsMany:
    """XFOIL's viscous polars of many designs at the 1-D angles alpha (degrees), `jobs`
    XFOILs at once (one per core when None), without the interpreter lock; Ctrl+C kills
    every XFOIL (KeyboardInterrupt). Settings as for Design.polar. Arrays of shape
    (len(designs), len(alpha)) per quantity, and the summary of `folix batch --re`
    per design. A failing polar does not stop the others."""
