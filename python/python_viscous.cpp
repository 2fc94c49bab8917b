#include "python_viscous.h"

#include <chrono>
#include <condition_variable>
#include <exception>
#include <functional>
#include <limits>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include "design/design_status.h"
#include "design/parallel_work.h"
#include "engine/section_polar.h"
#include "python_design.h"
#include "number_arrays.h"
#include "python_errors.h"
#include "viscous/polar_batch.h"
#include "viscous/polar_summary.h"
#include "viscous/polar_table.h"
#include "viscous/xfoil_program.h"

namespace py = pybind11;
using namespace pybind11::literals;

namespace folix::python {

namespace {

// numpy's mark of a value XFOIL did not give.
constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
constexpr std::chrono::milliseconds kSignalLook{50};

constexpr const char* kPolarDoc = R"(The section's polar at the angles of attack alpha (degrees).

alpha: a number or an array of angles. Returns a dict of the exact inviscid
polar, as `folix polar` gives it: alpha, Cl, Cm (quarter chord, positive
nose-up), Cp_min and x_Cp_min (its location over chord; over the points of
coordinates(points) where m > 2 or F <= 0), each a float for a number alpha
or an array of alpha's shape.

With re, the chord Reynolds number (1000 to 1e9), also XFOIL's viscous polar
of the section's coordinate file of 161 points, as `folix polar --re`: Cd,
Cdp (XFOIL's pressure drag as its polar file writes it), Cm_visc, Cl_visc,
xtr_top and xtr_bottom (transition x/c on either surface), nan where the angle
did not converge, and status per angle: "converged", "not converged" or
"failed: <reason>". mach: free-stream Mach number (0 to below 1); ncrit: the
e^n transition criterion (above 0 up to 20); xtr_top, xtr_bottom: forced
transition x/c (1: free); iterations: XFOIL's viscous iterations per angle
(1 to 10000); xfoil: the program (default $FOLIX_XFOIL, else xfoil on the
PATH); timeout: seconds the polar may take (None: 5 plus 2.5 an angle). The
angles must lie within -90..90 degrees, at least 0.001 apart.

Runs XFOIL (Debian's package xfoil) without the interpreter lock; Ctrl+C kills
it and raises KeyboardInterrupt. Raises FileNotFoundError when XFOIL cannot be
run, ValueError for settings or angles outside their limits or a section whose
surfaces cross (m > 2), DesignError where the exact analysis fails.)";

constexpr const char* kPolarsManyDoc = R"(XFOIL's viscous polars of many designs, on several XFOILs at once.

designs: a sequence of Design; alpha: the angles of attack (degrees, a 1-D
array-like, within -90..90 and at least 0.001 apart); re, mach, ncrit,
xtr_top, xtr_bottom, iterations, xfoil, timeout: as for Design.polar; jobs:
XFOILs at once, one per core when None.

Returns a dict of numpy arrays: alpha; Cd, Cdp, Cm_visc, Cl_visc, xtr_top,
xtr_bottom of shape (len(designs), len(alpha)), nan where an angle did not
converge, and status of that shape; and per design, over its converged angles
alone (nan when none converged), Cl_max, alpha_Cl_max, Cd_min, Cl_Cd_max and
alpha_Cl_Cd_max, as `folix batch --re` gives them. A polar that fails does not
stop the others. Runs without the interpreter lock; Ctrl+C kills every XFOIL
and raises KeyboardInterrupt.)";

// The settings of a polar, checked: ValueError beyond their limits.
ViscousOptions viscousOptions(double re, double mach, double ncrit, double xtrTop, double xtrBottom, int iterations,
                              const std::optional<std::string>& xfoil, const std::optional<double>& timeout)
{
    ViscousOptions options;
    options.reynolds = finite(re, "re");
    options.mach = finite(mach, "mach");
    options.ncrit = finite(ncrit, "ncrit");
    options.xtrTop = finite(xtrTop, "xtr_top");
    options.xtrBottom = finite(xtrBottom, "xtr_bottom");
    options.iterations = iterations;
    options.xfoil = xfoil.value_or("");
    options.timeoutSeconds = timeout ? finite(*timeout, "timeout") : 0;
    if (timeout && !(*timeout > 0)) throw py::value_error("timeout must be greater than 0 seconds");
    checkViscousOptions(options);
    return options;
}

[[noreturn]] void raiseMissing(const XfoilUnavailable& missing)
{
    PyErr_SetString(PyExc_FileNotFoundError, missing.what());
    throw py::error_already_set();
}

// The program found: FileNotFoundError, saying what to install, when there is none.
void findProgram(ViscousOptions& options)
{
    try {
        options.xfoil = findXfoil(options.xfoil).program;
    } catch (const XfoilUnavailable& missing) {
        raiseMissing(missing);
    }
}

// Runs work on a thread of its own without the interpreter lock, looking for
// Ctrl+C meanwhile: then it sets the cancel flag, which kills XFOIL, waits
// for the work to end and raises KeyboardInterrupt. The work's own exception
// is raised here, XFOIL missing as FileNotFoundError.
void cancellable(const std::function<void(const std::atomic<bool>* cancel)>& work)
{
    std::atomic<bool> cancel{false};
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
    std::exception_ptr failure;
    bool interrupted = false;
    {
        const py::gil_scoped_release unlocked;
        std::thread worker([&] {
            try {
                work(&cancel);
            } catch (...) {
                failure = std::current_exception();
            }
            const std::lock_guard<std::mutex> lock(mutex);
            done = true;
            ended.notify_all();
        });
        for (;;) {
            {
                std::unique_lock<std::mutex> lock(mutex);
                if (ended.wait_for(lock, kSignalLook, [&] { return done; })) break;
            }
            const py::gil_scoped_acquire locked;
            if (PyErr_CheckSignals() != 0) {
                interrupted = true;
                cancel = true;
                break;
            }
        }
        worker.join();
    }
    if (interrupted) throw py::error_already_set();
    try {
        if (failure) std::rethrow_exception(failure);
    } catch (const XfoilUnavailable& missing) {  // gone since it was found
        raiseMissing(missing);
    }
}

// XFOIL's value of each angle, nan where it did not converge.
template <typename Value>
std::vector<double> viscousValues(const ViscousPolar& polar, Value value)
{
    std::vector<double> values;
    for (const ViscousAngle& a : polar.angles)
        values.push_back(a.status == ViscousAngle::Status::Converged ? value(a) : kNone);
    return values;
}

// One text per angle in the form the angles came in.
py::object perAngleTexts(const Angles& angles, const std::vector<std::string>& texts)
{
    if (angles.shape.is_none()) return py::str(texts.at(0));
    return py::module_::import("numpy").attr("array")(texts, "dtype"_a = "str").attr("reshape")(angles.shape);
}

// The viscous columns, by the names `folix polar --re` gives them.
using Column = std::pair<const char*, double (*)(const ViscousAngle&)>;
constexpr Column kViscousColumns[] = {
    {"Cd", [](const ViscousAngle& a) { return a.Cd; }},
    {"Cdp", [](const ViscousAngle& a) { return a.Cdp; }},
    {"Cm_visc", [](const ViscousAngle& a) { return a.Cm; }},
    {"Cl_visc", [](const ViscousAngle& a) { return a.Cl; }},
    {"xtr_top", [](const ViscousAngle& a) { return a.xtrTop; }},
    {"xtr_bottom", [](const ViscousAngle& a) { return a.xtrBottom; }},
};

void refuseCrossing(const DesignRecord& record, const std::string& which)
{
    if (record.m > 2)
        throw py::value_error(which + kCrossingPolarRefusal);
}

py::dict polar(const Design& design, const py::handle& alpha, std::optional<double> re, double mach, double ncrit,
               double xtrTop, double xtrBottom, int iterations, const std::optional<std::string>& xfoil,
               const std::optional<double>& timeout, int points)
{
    const Angles angles = anglesOf(alpha);
    std::optional<ViscousOptions> options;
    if (re) {
        options = viscousOptions(*re, mach, ncrit, xtrTop, xtrBottom, iterations, xfoil, timeout);
        checkPolarAngles(angles.degrees);
        refuseCrossing(design.outcome().record, "");
        findProgram(*options);
    }
    py::dict result = design.polar(alpha, points);
    if (!options) return result;

    ViscousPolar viscous;
    const MappedSection section = design.outcome().record.section();
    cancellable([&](const std::atomic<bool>* cancel) {
        PolarControl control;
        control.cancel = cancel;
        viscous = viscousPolar(polarContour(section), seligName(section), angles.degrees, *options, control);
    });
    for (const auto& [name, value] : kViscousColumns) result[name] = perAngle(angles, viscousValues(viscous, value));
    std::vector<std::string> statuses;
    for (const ViscousAngle& a : viscous.angles) statuses.push_back(statusText(a));
    result["status"] = perAngleTexts(angles, statuses);
    return result;
}

py::dict polarsMany(const std::vector<const Design*>& designs, const py::handle& alpha, double re, double mach,
                    double ncrit, double xtrTop, double xtrBottom, int iterations,
                    const std::optional<std::string>& xfoil, const std::optional<double>& timeout,
                    std::optional<int> jobs)
{
    const Angles angles = anglesOf(alpha);
    const std::vector<double>& alphas = angles.degrees;
    if (angles.shape.is_none() || py::len(angles.shape) != 1)
        throw py::value_error("alpha must be a 1-D array of angles");
    if (jobs && *jobs < 1) throw py::value_error("jobs must be at least 1, not " + std::to_string(*jobs));
    ViscousOptions options = viscousOptions(re, mach, ncrit, xtrTop, xtrBottom, iterations, xfoil, timeout);
    checkPolarAngles(alphas);
    std::vector<PolarJob> work;
    for (std::size_t i = 0; i < designs.size(); ++i) {
        const DesignRecord& record = designs[i]->outcome().record;
        refuseCrossing(record, "designs[" + std::to_string(i) + "]: ");
        const MappedSection section = record.section();
        work.push_back({polarContour(section), seligName(section), alphas});
    }
    findProgram(options);
    const unsigned workers = jobs ? static_cast<unsigned>(*jobs) : defaultJobs();

    std::vector<ViscousPolar> polars;
    cancellable([&](const std::atomic<bool>* cancel) { polars = viscousPolars(work, options, workers, cancel); });

    // A design's values are a row: the designs take the place of the angles, each with a row of angles.
    const Angles designRows{{}, py::make_tuple(polars.size())};
    const auto rows = [&](auto value) {
        std::vector<double> values;
        for (const ViscousPolar& p : polars)
            for (const double v : viscousValues(p, value)) values.push_back(v);
        return perAngle(designRows, std::move(values), {static_cast<py::ssize_t>(alphas.size())});
    };
    const auto summary = [&](std::optional<double> PolarSummary::*value) {
        std::vector<double> values;
        for (const ViscousPolar& p : polars) values.push_back((summarisePolar(p).*value).value_or(kNone));
        return perAngle(designRows, std::move(values));
    };
    py::dict result("alpha"_a = perAngle(angles, alphas));
    for (const auto& [name, value] : kViscousColumns) result[name] = rows(value);
    std::vector<std::string> statuses;
    for (const ViscousPolar& p : polars)
        for (const ViscousAngle& a : p.angles) statuses.push_back(statusText(a));
    result["status"] = py::module_::import("numpy")
                           .attr("array")(statuses, "dtype"_a = "str")
                           .attr("reshape")(py::make_tuple(polars.size(), alphas.size()));
    result["Cl_max"] = summary(&PolarSummary::ClMax);
    result["alpha_Cl_max"] = summary(&PolarSummary::alphaClMax);
    result["Cd_min"] = summary(&PolarSummary::CdMin);
    result["Cl_Cd_max"] = summary(&PolarSummary::ClCdMax);
    result["alpha_Cl_Cd_max"] = summary(&PolarSummary::alphaClCdMax);
    return result;
}

}  // namespace

void addViscous(py::module_& module)
{
    py::object designClass = module.attr("Design");
    py::setattr(designClass, "polar",
                py::cpp_function(&polar, py::name("polar"), py::is_method(designClass), py::arg("alpha"),
                                 py::arg("re") = py::none(), py::arg("mach") = 0.0, py::arg("ncrit") = 9.0,
                                 py::kw_only(), py::arg("xtr_top") = 1.0, py::arg("xtr_bottom") = 1.0,
                                 py::arg("iterations") = 100, py::arg("xfoil") = py::none(),
                                 py::arg("timeout") = py::none(), py::arg("points") = kDefaultSeligPoints, kPolarDoc));
    module.def("polars_many", &polarsMany, py::arg("designs"), py::arg("alpha"), py::arg("re"), py::arg("mach") = 0.0,
               py::arg("ncrit") = 9.0, py::kw_only(), py::arg("xtr_top") = 1.0, py::arg("xtr_bottom") = 1.0,
               py::arg("iterations") = 100, py::arg("xfoil") = py::none(), py::arg("timeout") = py::none(),
               py::arg("jobs") = py::none(), kPolarsManyDoc);
}

}  // namespace folix::python
