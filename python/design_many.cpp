#include "design_many.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include <pybind11/numpy.h>

#include "design/design_status.h"
#include "design/parallel_work.h"
#include "design/reported_design.h"

namespace py = pybind11;
using namespace pybind11::literals;

namespace folix::python {

namespace {

// numpy's mark of a missing value; it stays in the returned arrays.
constexpr double kUnknown = std::numeric_limits<double>::quiet_NaN();
// Rows designed between two looks for Ctrl+C: a fraction of a second.
constexpr std::size_t kRowsBetweenInterrupts = 4096;

// What a row keeps of its run: a few numbers, not the history.
struct Row {
    double F = kUnknown;
    double G = kUnknown;
    double m = kUnknown;
    double maxThicknessAt = kUnknown;
    bool converged = false;
    std::string error;
};

Row rowOf(const DesignOutcome& outcome)
{
    Row row;
    if (outcome.error) {
        row.error = outcome.error->reason;
        return row;
    }
    row.F = outcome.record.F;
    row.G = outcome.record.G;
    row.m = outcome.record.m;
    row.maxThicknessAt = outcome.maxThicknessAt.value_or(kUnknown);
    row.converged = converged(outcome);
    return row;
}

// An argument as an array of numbers. Texts are not read, as in design();
// booleans and other objects are refused too.
py::array numbers(const py::module_& numpy, const py::handle& value, const char* name)
{
    py::array array = numpy.attr("asarray")(value);
    const char kind = array.dtype().kind();
    if (kind != 'i' && kind != 'u' && kind != 'f')
        throw py::type_error(std::string(name) + " must hold integers or floats, not " +
                             py::str(array.dtype()).cast<std::string>());
    return array;
}

// A broadcast argument, copied: the caller's array may change in another
// thread while the rows are designed without the interpreter lock.
std::vector<double> column(const py::module_& numpy, const py::handle& broadcast)
{
    const auto flat =
        numpy.attr("ascontiguousarray")(broadcast, "dtype"_a = "float64").attr("ravel")().cast<py::array_t<double>>();
    return {flat.data(), flat.data() + flat.size()};
}

void requireFinite(const std::vector<double>& values, const char* name, bool nanAllowed)
{
    for (std::size_t i = 0; i < values.size(); ++i) {
        const double v = values[i];
        if (std::isfinite(v) || (nanAllowed && std::isnan(v))) continue;
        throw py::value_error(std::string(name) + " must hold finite numbers" + (nanAllowed ? " or nan" : "") +
                              ", not " + py::repr(py::float_(v)).cast<std::string>() + " (at flat index " +
                              std::to_string(i) + ")");
    }
}

unsigned workers(std::optional<int> jobs)
{
    if (!jobs) return defaultJobs();
    if (*jobs < 1) throw py::value_error("jobs must be at least 1, not " + std::to_string(*jobs));
    return static_cast<unsigned>(*jobs);
}

template <typename T, typename Field>
py::object resultArray(const std::vector<Row>& rows, const py::object& shape, Field field)
{
    py::array_t<T> flat(static_cast<py::ssize_t>(rows.size()));
    T* out = flat.mutable_data();
    for (std::size_t i = 0; i < rows.size(); ++i) out[i] = field(rows[i]);
    return flat.attr("reshape")(shape);
}

}  // namespace

py::dict designMany(const py::handle& thickness, const py::handle& camber, const py::handle& teAngle,
                    const py::handle& maxThicknessAt, std::optional<int> jobs)
{
    const py::module_ numpy = py::module_::import("numpy");
    const py::object location =
        maxThicknessAt.is_none() ? py::float_(kUnknown) : py::reinterpret_borrow<py::object>(maxThicknessAt);
    const py::sequence broadcast = numpy.attr("broadcast_arrays")(
        numbers(numpy, thickness, "thickness"), numbers(numpy, camber, "camber"), numbers(numpy, teAngle, "te_angle"),
        numbers(numpy, location, "max_thickness_at"));
    const py::object shape = broadcast[0].attr("shape");
    const std::vector<double> t = column(numpy, broadcast[0]);
    const std::vector<double> c = column(numpy, broadcast[1]);
    const std::vector<double> a = column(numpy, broadcast[2]);
    const std::vector<double> x = column(numpy, broadcast[3]);
    requireFinite(t, "thickness", false);
    requireFinite(c, "camber", false);
    requireFinite(a, "te_angle", false);
    requireFinite(x, "max_thickness_at", true);
    const unsigned threads = workers(jobs);

    std::vector<Row> rows(t.size());
    for (std::size_t first = 0; first < rows.size(); first += kRowsBetweenInterrupts) {
        const std::size_t count = std::min(kRowsBetweenInterrupts, rows.size() - first);
        {
            const py::gil_scoped_release unlocked;
            forEachIndex(count, threads, [&](std::size_t k) {
                const std::size_t i = first + k;
                DesignInputs inputs;
                inputs.thickness = t[i];
                inputs.camber = c[i];
                inputs.teAngleDegrees = a[i];
                if (!std::isnan(x[i])) inputs.maxThicknessAt = x[i];
                rows[i] = rowOf(reportedDesign(inputs));
            });
        }
        if (PyErr_CheckSignals() != 0) throw py::error_already_set();
    }

    py::list errors;
    for (const Row& row : rows) errors.append(row.error);
    return py::dict("F"_a = resultArray<double>(rows, shape, [](const Row& r) { return r.F; }),
                    "G"_a = resultArray<double>(rows, shape, [](const Row& r) { return r.G; }),
                    "m"_a = resultArray<double>(rows, shape, [](const Row& r) { return r.m; }),
                    "max_thickness_at"_a =
                        resultArray<double>(rows, shape, [](const Row& r) { return r.maxThicknessAt; }),
                    "converged"_a = resultArray<bool>(rows, shape, [](const Row& r) { return r.converged; }),
                    "error"_a = numpy.attr("array")(errors, "dtype"_a = "str").attr("reshape")(shape));
}

}  // namespace folix::python
