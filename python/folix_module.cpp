// The Python module `folix`: the design run, the coordinate export, the
// inviscid analysis and the save command of the window and `folix`, from the
// same libraries, with the same results bit for bit.

#include <pybind11/eval.h>
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>
#include <pybind11/stl/filesystem.h>

#include <optional>
#include <stdexcept>
#include <string>

#include "design_many.h"
#include "engine/selig_export.h"
#include "python_design.h"
#include "python_errors.h"
#include "python_targets.h"
#include "python_viscous.h"
#include "recorded_results.h"
#include "module_functions.h"
#include "results/results_file.h"

namespace py = pybind11;
using folix::python::Design;

namespace {

constexpr const char* kModuleDoc = R"(Joukowsky and Karman-Trefftz airfoil sections by conformal mapping.

The very design run of the FolixDesign window and the `folix` command line:

    >>> import folix
    >>> d = folix.design(0.12, 0.02, te_angle=10)
    >>> d
    <folix.Design thickness=0.12 camber=0.02 te_angle=10.0: KARMAN-TREFFTZ AIRFOIL F=0.0703 G=0.04377 m=1.94444>
    >>> round(d.cl(4), 4)
    0.7609
    >>> table = folix.design_many([0.1, 0.12, 0.14], 0.02, te_angle=10, alpha=4)
    >>> table["cl"].round(4)
    array([0.7496, 0.7609, 0.7718])

Ratios are fractions of the chord (0.12 is 12 %), angles are in degrees,
coordinates are on a chord of 1 from the leading edge (x = 0) to the trailing
edge (x = 1). Arguments are numbers (int, float, numpy scalars and arrays);
texts are not read. No result is ever NaN or infinite except where design_many and
read_results mark a value as unknown.)";

constexpr const char* kDesignClassDoc = R"(A completed design run with its inputs, as `folix design` reports it.

Built by design(); holds the inputs, the family, F, G, m, the measured
location of maximum thickness and the iteration history, and analyses its
section. Immutable; pickles by its inputs (designed again when loaded, with
the same results bit for bit) and compares equal by inputs and results.)";

// Runs the module's part written in Python on a namespace of its own. It is
// given the module's compiled functions, which cannot be pickled by name
// (executors send functions to other processes by name), and gives back a
// Python function for each, which can, beside what it defines itself.
void addPythonPart(py::module_& module)
{
    const py::object builtins = py::module_::import("builtins");
    py::dict compiled;
    for (const auto& [name, value] : py::dict(module.attr("__dict__")))
        if (py::isinstance(value, builtins.attr("type")(builtins.attr("len")))) compiled[name] = value;
    py::dict space;
    space["__name__"] = module.attr("__name__");
    space["__builtins__"] = builtins;
    space["_compiled"] = compiled;
    // Named so that a traceback through it says where its lines come from.
    const py::object code =
        builtins.attr("compile")(folix::python::kModuleFunctionsSource, "<folix: module_functions.py>", "exec");
    builtins.attr("exec")(code, space);
    for (const auto& [name, value] : py::dict(space["_offered"]())) module.attr(name) = value;
}

constexpr const char* kAlphaNote =
    "alpha: degrees, positive nose-up; a number gives a float, an array of angles an array of their shape.";

}  // namespace

PYBIND11_MODULE(folix, module)
{
    module.doc() = kModuleDoc;
    module.attr("__version__") = FOLIX_VERSION;
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
            "thickness", [](const Design& d) { return d.inputs().thickness; },
            "The wanted thickness ratio (maximum thickness over chord) the run was given.")
        .def_property_readonly(
            "camber", [](const Design& d) { return d.inputs().camber; },
            "The wanted camber ratio (maximum camber over chord) the run was given.")
        .def_property_readonly(
            "te_angle", [](const Design& d) { return d.inputs().teAngleDegrees; },
            "The trailing-edge angle in degrees the run was given (in location mode, the first\n"
            "exponent tried).")
        .def_property_readonly(
            "max_thickness_at", [](const Design& d) { return d.inputs().maxThicknessAt; },
            "The wanted location of maximum thickness over chord the run was given; None in angle\n"
            "mode. The section's own is measured_max_thickness_at.")
        .def_property_readonly("mode", &Design::mode,
                               "\"angle\", or \"location\" when max_thickness_at was given.")
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
            "measured_max_thickness_at", &Design::measuredMaxThicknessAt,
            "Measured location of maximum thickness over chord of this section; None when the\n"
            "measurement reached its sample limit. As `folix design` reports it.")
        .def_property_readonly(
            "converged", &Design::converged,
            "Whether every solve and the location search met their targets and the location\n"
            "of maximum thickness is known; else the values are the last ones tried.")
        .def_property_readonly("status", &Design::status,
                               "\"ok\", \"surfaces cross\" or \"not converged\", as `folix batch` writes it.")
        .def_property_readonly(
            "surfaces_cross_from", [](const Design& d) { return d.outcome().surfacesCrossFrom; },
            "The x/c from which the upper surface runs below the lower one (status \"surfaces cross\":\n"
            "no valid outline, as for every m > 2); None when they do not cross.")
        .def_property_readonly(
            "hint", [](const Design& d) { return d.outcome().hint; },
            "What to change, naming the input and its limit, when the run did not converge and\n"
            "the cause is known; else None.")
        .def_property_readonly(
            "history", [](const Design& d) { return d.outcome().history; },
            "The iteration-history lines, as the window's list shows them (\".\" as decimal point).")
        .def("coordinates", &Design::coordinates, py::arg("points") = folix::kDefaultSeligPoints,
             "The section outline as a (points, 2) array of x, y, in the order and values of\n"
             "`folix design --dat`: trailing edge (1, 0), upper surface forward, leading edge\n"
             "(0, 0) as the middle point, lower surface back. points: odd, 5 to 100001.")
        .def("cl", &Design::cl, py::arg("alpha"),
             (std::string("Lift coefficient of the exact inviscid flow at angle of attack alpha.\n") + kAlphaNote)
                 .c_str())
        .def("cm", &Design::cm, py::arg("alpha"),
             (std::string("Quarter-chord moment coefficient (positive nose-up) at angle of attack alpha.\n") +
              kAlphaNote)
                 .c_str())
        .def_property_readonly("zero_lift_angle", &Design::zeroLiftAngle,
                               "Angle of attack of zero lift, in degrees: -atan(G / (1 + F)).")
        .def("pressure", &Design::pressure, py::arg("alpha") = 0.0, py::arg("points") = folix::kDefaultSeligPoints,
             "The pressure distribution at angle of attack alpha (degrees) as a (points, 3) array\n"
             "of x, y, Cp at the points of coordinates(points), as `folix design --cp`; for an\n"
             "array of angles, an array of shape alpha.shape + (points, 3). Raises DesignError\n"
             "where the flow has no finite value (m > 2: a re-entrant trailing edge).")
        .def("save", &Design::save, py::arg("path") = folix::kResultsFileName,
             "Appends the design to the results file, like \"Save result\" (Folix_Input.txt in the\n"
             "working directory by default). Returns True when a line was written, False when an\n"
             "equal design is recorded already; raises OSError when it cannot: the subclass of its errno\n"
             "(PermissionError, IsADirectoryError, ...), or SaveError for a lock held elsewhere or a name\n"
             "that is not a regular file. str() of either names the reason and the file. A run that did\n"
             "not converge is refused with a ValueError.")
        .def("__repr__", &Design::repr)
        .def("__eq__", [](const Design& a, const Design& b) { return a == b; }, py::is_operator())
        .def("__hash__", &Design::hash)
        // Immutable: a copy may be the design itself.
        .def("__copy__", [](const py::object& self) { return self; })
        .def("__deepcopy__", [](const py::object& self, const py::object&) { return self; }, py::arg("memo"))
        .def(py::pickle([](const Design& d) { return d.inputTuple(); },
                        [](const py::tuple& inputs) {
                            if (inputs.size() != 4) throw std::runtime_error("not the state of a folix.Design");
                            return folix::python::design(inputs[0].cast<double>(), inputs[1].cast<double>(),
                                                         inputs[2].cast<double>(),
                                                         inputs[3].cast<std::optional<double>>());
                        }));

    folix::python::addTargets(module);
    folix::python::addViscous(module);
    module.def("design", &folix::python::design, py::arg("thickness"), py::arg("camber"), py::arg("te_angle"),
               py::arg("max_thickness_at"));
    module.def("design_many", &folix::python::designRows, py::arg("thickness"), py::arg("camber"),
               py::arg("te_angle"), py::arg("max_thickness_at"), py::arg("alpha"), py::arg("jobs"));
    module.def("read_results", &folix::python::readResults, py::arg("path"), py::arg("max_records"));
    addPythonPart(module);
}
