// The Python module `folix`: the design run, the coordinate export, the
// inviscid analysis and the save command of the window and `folix`, from the
// same libraries, with the same results bit for bit.

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>
#include <pybind11/stl/filesystem.h>

#include <string>

#include "design_many.h"
#include "engine/selig_export.h"
#include "python_design.h"
#include "python_errors.h"
#include "python_targets.h"
#include "python_viscous.h"
#include "results/results_file.h"

namespace py = pybind11;
using folix::python::Design;

namespace {

constexpr const char* kModuleDoc = R"(Joukowsky and Karman-Trefftz airfoil sections by conformal mapping.

The very design run of the FolixDesign window and the `folix` command line:

    >>> import folix
    >>> d = folix.design(0.12, 0.02, te_angle=10)
    >>> d
    <folix.Design KARMAN-TREFFTZ AIRFOIL F=0.0703 G=0.04377 m=1.94444>
    >>> round(d.cl(4), 4)
    0.7609

Ratios are fractions of the chord (0.12 is 12 %), angles are in degrees,
coordinates are on a chord of 1 from the leading edge (x = 0) to the trailing
edge (x = 1). Arguments are numbers (int, float or numpy scalars); texts are
not read. No result is ever NaN or infinite except where design_many marks a
value as unknown.)";

constexpr const char* kDesignDoc = R"(Designs one section, like "Design airfoil" in the window.

thickness: wanted thickness ratio (maximum thickness over chord).
camber: wanted camber ratio (maximum camber over chord).
te_angle: trailing-edge angle in degrees; the exponent is m = 2 - te_angle/180.
    With max_thickness_at it sets the first exponent tried.
max_thickness_at: when given, the exponent is searched so that the maximum
    thickness lies at this fraction of the chord (location mode).

Returns a Design; a run that did not meet its targets still returns one, with
converged False. Raises DesignError when the arithmetic fails (its kind and
history tell where), ValueError for NaN or infinity, TypeError for a text.
-0.0 counts as 0.0, as the window reads "-0".)";

constexpr const char* kDesignManyDoc = R"(Designs every element of array-like inputs, on several threads.

The four inputs broadcast together like numpy arrays (scalars included);
max_thickness_at None (or nan in an element) means angle mode for that
element, a number location mode. jobs: threads to use, all cores when None.
Other Python threads keep running meanwhile; Ctrl+C stops the sweep.

Returns a dict of numpy arrays of the broadcast shape:
    F, G, m: the mapping parameters and exponent (nan where the row failed);
    max_thickness_at: the measured location of maximum thickness over chord
        (nan where unknown or failed);
    converged: bool, as Design.converged (False where the row failed);
    error: the reason a row stopped ("Division by zero", ...), "" where it
        completed.
A failing row never raises; NaN or infinity in an input (other than nan in
max_thickness_at) is a ValueError, a text or bool a TypeError.)";

constexpr const char* kDesignClassDoc = R"(A completed design run, as `folix design` reports it.

Built by design(); holds the family, F, G, m, the measured location of maximum
thickness and the iteration history, and analyses its section.)";

}  // namespace

PYBIND11_MODULE(folix, module)
{
    module.doc() = kModuleDoc;
    // The arrays need numpy; another interpreter than the one built for may lack it.
    try {
        py::module_::import("numpy");
    } catch (const py::error_already_set& e) {
        if (!e.matches(PyExc_ImportError)) throw;
        throw py::import_error(std::string("folix needs numpy: run it with " FOLIX_PYTHON_EXECUTABLE
                                           ", the interpreter it was built for (") + e.what() + ")");
    }
    folix::python::addDesignError(module);

    py::class_<Design>(module, "Design", kDesignClassDoc)
        .def_property_readonly(
            "family", [](const Design& d) { return d.outcome().record.family; },
            "\"JOUKOWSKY AIRFOIL\" when m is exactly 2, else \"KARMAN-TREFFTZ AIRFOIL\".")
        .def_property_readonly(
            "F", [](const Design& d) { return d.outcome().record.F; },
            "Mapping parameter F: the generating circle's centre x, unrounded.")
        .def_property_readonly(
            "G", [](const Design& d) { return d.outcome().record.G; },
            "Mapping parameter G: the generating circle's centre y, unrounded.")
        .def_property_readonly(
            "m", [](const Design& d) { return d.outcome().record.m; },
            "Mapping exponent m, unrounded; the trailing-edge angle is (2 - m) * 180 degrees.")
        .def_property_readonly(
            "max_thickness_at", &Design::maxThicknessAt,
            "Measured location of maximum thickness over chord of this section; None when the\n"
            "measurement reached its sample limit. As `folix design` reports it.")
        .def_property_readonly(
            "converged", &Design::converged,
            "Whether every solve and the location search met their targets and the location\n"
            "of maximum thickness is known; else the values are the last ones tried.")
        .def_property_readonly(
            "history", [](const Design& d) { return d.outcome().history; },
            "The iteration-history lines, as the window's list shows them (\".\" as decimal point).")
        .def("coordinates", &Design::coordinates, py::arg("points") = folix::kDefaultSeligPoints,
             "The section outline as a (points, 2) array of x, y, in the order and values of\n"
             "`folix design --dat`: trailing edge (1, 0), upper surface forward, leading edge\n"
             "(0, 0) as the middle point, lower surface back. points: odd, 5 to 100001.")
        .def("cl", &Design::cl, py::arg("alpha"),
             "Lift coefficient of the exact inviscid flow at angle of attack alpha (degrees,\n"
             "positive nose-up).")
        .def("cm", &Design::cm, py::arg("alpha"),
             "Quarter-chord moment coefficient (positive nose-up) at angle of attack alpha (degrees).")
        .def_property_readonly("zero_lift_angle", &Design::zeroLiftAngle,
                               "Angle of attack of zero lift, in degrees: -atan(G / (1 + F)).")
        .def("pressure", &Design::pressure, py::arg("alpha") = 0.0, py::arg("points") = folix::kDefaultSeligPoints,
             "The pressure distribution at angle of attack alpha (degrees) as a (points, 3) array\n"
             "of x, y, Cp at the points of coordinates(points), as `folix design --cp`. Raises\n"
             "DesignError where the flow has no finite value (m > 2: a re-entrant trailing edge).")
        .def("save", &Design::save, py::arg("path") = folix::kResultsFileName,
             "Appends the design to the results file, like \"Save result\" (Folix_Input.txt in the\n"
             "working directory by default). Returns True when a line was written, False when an\n"
             "equal design is recorded already; raises OSError when it cannot: the subclass of its errno\n"
             "(PermissionError, IsADirectoryError, ...), or SaveError for a lock held elsewhere or a name\n"
             "that is not a regular file. str() of either names the reason and the file.")
        .def("__repr__", &Design::repr);

    folix::python::addTargets(module);
    folix::python::addViscous(module);
    module.def("design", &folix::python::design, py::arg("thickness"), py::arg("camber"), py::arg("te_angle") = 0.0,
               py::arg("max_thickness_at") = py::none(), kDesignDoc);
    module.def("design_many", &folix::python::designMany, py::arg("thickness"), py::arg("camber"),
               py::arg("te_angle") = 0.0, py::arg("max_thickness_at") = py::none(), py::arg("jobs") = py::none(),
               kDesignManyDoc);
}
