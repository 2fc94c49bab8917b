#include "design_many.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <unordered_map>
#include <vector>

#include <pybind11/numpy.h>

#include "design/design_status.h"
#include "design/parallel_work.h"
#include "design/reported_design.h"
#include "design_codes.h"
#include "engine/section_flow.h"
#include "number_arrays.h"

namespace py = pybind11;
using namespace pybind11::literals;

namespace folix::python {

namespace {

// numpy's mark of a missing value; it stays in the returned arrays.
constexpr double kUnknown = std::numeric_limits<double>::quiet_NaN();
// Rows designed between two looks for Ctrl+C: a fraction of a second.
constexpr std::size_t kRowsBetweenInterrupts = 4096;

// An input broadcast to the study's shape, read by flat index in C order. The
// array it reads is a private copy, which no other thread can change while
// the interpreter lock is released.
class BroadcastInput {
public:
    explicit BroadcastInput(const py::array& view)
        : data_(static_cast<const char*>(view.data())),
          shape_(view.shape(), view.shape() + view.ndim()),
          strides_(view.strides(), view.strides() + view.ndim())
    {
    }

    double at(std::size_t flat) const
    {
        py::ssize_t offset = 0;
        for (std::size_t d = shape_.size(); d-- > 0;) {
            const auto extent = static_cast<std::size_t>(shape_[d]);
            offset += static_cast<py::ssize_t>(flat % extent) * strides_[d];
            flat /= extent;
        }
        double value = 0;
        std::memcpy(&value, data_ + offset, sizeof value);
        return value;
    }

private:
    const char* data_;
    std::vector<py::ssize_t> shape_;
    std::vector<py::ssize_t> strides_;
};

// The numbers of one row: the run counts -0 as 0, as design() does.
struct RowInputs {
    double thickness = 0;
    double camber = 0;
    double teAngle = 0;
    double location = kUnknown;  // nan: angle mode
    std::optional<double> alpha;
};

// Where every row's results go: the data of the returned arrays.
struct ResultColumns {
    double* F = nullptr;
    double* G = nullptr;
    double* m = nullptr;
    double* measured = nullptr;
    double* cl = nullptr;  // with alpha
    double* cm = nullptr;
    Code* family = nullptr;
    Code* status = nullptr;
    bool* converged = nullptr;
};

// Why the engine cannot take a row's numbers, naming the input: none when it can.
std::optional<std::string> unusableInput(const RowInputs& row)
{
    const auto notFinite = [](const char* name, double v) {
        return std::string(name) + " must be a finite number, not " + nonFiniteText(v);
    };
    if (!std::isfinite(row.thickness)) return notFinite("thickness", row.thickness);
    if (!std::isfinite(row.camber)) return notFinite("camber", row.camber);
    if (!std::isfinite(row.teAngle)) return notFinite("te_angle", row.teAngle);
    if (std::isinf(row.location)) return notFinite("max_thickness_at", row.location) + " (nan: no target)";
    if (row.alpha && !std::isfinite(*row.alpha)) return notFinite("alpha", *row.alpha);
    return std::nullopt;
}

// Designs row i, writes its results and returns its hint.
std::optional<std::string> designRow(std::size_t i, const RowInputs& row, const ResultColumns& out)
{
    out.F[i] = out.G[i] = out.m[i] = out.measured[i] = kUnknown;
    if (out.cl) out.cl[i] = out.cm[i] = kUnknown;
    out.family[i] = familyCode("");
    out.converged[i] = false;
    if (std::optional<std::string> why = unusableInput(row)) {
        out.status[i] = kBadRowCode;
        return why;
    }

    DesignInputs inputs;
    inputs.thickness = row.thickness + 0.0;
    inputs.camber = row.camber + 0.0;
    inputs.teAngleDegrees = row.teAngle + 0.0;
    if (!std::isnan(row.location)) inputs.maxThicknessAt = row.location + 0.0;
    const DesignOutcome outcome = reportedDesign(inputs);
    out.status[i] = statusCode(outcome);
    out.converged[i] = converged(outcome);
    if (outcome.error) return outcome.hint;

    const DesignRecord& shown = outcome.record;
    out.F[i] = shown.F;
    out.G[i] = shown.G;
    out.m[i] = shown.m;
    out.measured[i] = outcome.maxThicknessAt.value_or(kUnknown);
    out.family[i] = familyCode(shown.family);
    if (row.alpha) {
        const FlowOutcome analysed = analyseFlow(shown.section(), *row.alpha + 0.0, std::nullopt);
        if (analysed.flow) {
            out.cl[i] = analysed.flow->Cl;
            out.cm[i] = analysed.flow->Cm;
        } else {
            out.status[i] = errorCode(analysed.errorKind);
        }
    }
    return outcome.hint;
}

unsigned workers(std::optional<int> jobs)
{
    if (!jobs) return defaultJobs();
    if (*jobs < 1 || static_cast<unsigned>(*jobs) > kMostJobs)
        throw py::value_error("jobs must be from 1 to " + std::to_string(kMostJobs) + ", not " +
                              std::to_string(*jobs));
    return static_cast<unsigned>(*jobs);
}

template <typename T>
py::array_t<T> flatColumn(std::size_t rows)
{
    return py::array_t<T>(static_cast<py::ssize_t>(rows));
}

// The hints as one array of objects: None, or a text shared by every row that has it.
class HintColumn {
public:
    explicit HintColumn(std::size_t rows)
        : array_(py::module_::import("numpy").attr("full")(rows, py::none(), "dtype"_a = "object"))
    {
    }

    void set(std::size_t i, const std::string& hint)
    {
        auto known = texts_.find(hint);
        if (known == texts_.end()) known = texts_.emplace(hint, py::str(hint)).first;
        auto** cells = static_cast<PyObject**>(array_.mutable_data());
        PyObject* const previous = cells[i];
        cells[i] = known->second.inc_ref().ptr();
        Py_XDECREF(previous);
    }

    const py::array& array() const { return array_; }

private:
    py::array array_;
    std::unordered_map<std::string, py::str> texts_;
};

py::tuple tupleOf(const std::vector<std::string>& names)
{
    py::list list;
    for (const std::string& name : names) list.append(name);
    return py::tuple(list);
}

}  // namespace

py::object designRows(const py::handle& thickness, const py::handle& camber, const py::handle& teAngle,
                      const py::handle& maxThicknessAt, const py::handle& alpha, std::optional<int> jobs)
{
    const py::module_ numpy = py::module_::import("numpy");
    const bool analysed = !alpha.is_none();
    const py::object target =
        maxThicknessAt.is_none() ? py::float_(kUnknown) : py::reinterpret_borrow<py::object>(maxThicknessAt);
    std::vector<std::pair<const char*, py::array>> inputs = {
        {"thickness", numberArray(thickness, "thickness")},
        {"camber", numberArray(camber, "camber")},
        {"te_angle", numberArray(teAngle, "te_angle")},
        {"max_thickness_at", numberArray(target, "max_thickness_at")}};
    if (analysed) inputs.emplace_back("alpha", numberArray(alpha, "alpha"));
    const unsigned threads = workers(jobs);

    py::list shapes;
    for (const auto& input : inputs) shapes.append(input.second.attr("shape"));
    const py::object shape = numpy.attr("broadcast_shapes")(*shapes);
    // The inputs head the table, as private copies broadcast without copying
    // again: neither the caller's arrays nor the table's columns are shared.
    py::dict columns;
    std::vector<BroadcastInput> readers;
    for (const auto& [name, given] : inputs) {
        const py::array view = numpy.attr("broadcast_to")(numpy.attr("array")(given, "dtype"_a = "float64"), shape);
        columns[name] = view;
        readers.emplace_back(view);
    }
    const auto rows = static_cast<std::size_t>(py::array(columns["thickness"]).size());

    py::array_t<double> F = flatColumn<double>(rows);
    py::array_t<double> G = flatColumn<double>(rows);
    py::array_t<double> m = flatColumn<double>(rows);
    py::array_t<double> measured = flatColumn<double>(rows);
    py::array_t<double> cl = flatColumn<double>(analysed ? rows : 0);
    py::array_t<double> cm = flatColumn<double>(analysed ? rows : 0);
    py::array_t<Code> family = flatColumn<Code>(rows);
    py::array_t<Code> status = flatColumn<Code>(rows);
    py::array_t<bool> converged = flatColumn<bool>(rows);
    const ResultColumns out{F.mutable_data(),
                            G.mutable_data(),
                            m.mutable_data(),
                            measured.mutable_data(),
                            analysed ? cl.mutable_data() : nullptr,
                            analysed ? cm.mutable_data() : nullptr,
                            family.mutable_data(),
                            status.mutable_data(),
                            converged.mutable_data()};
    HintColumn hints(rows);

    std::vector<std::optional<std::string>> chunkHints(std::min(rows, kRowsBetweenInterrupts));
    for (std::size_t first = 0; first < rows; first += kRowsBetweenInterrupts) {
        const std::size_t count = std::min(kRowsBetweenInterrupts, rows - first);
        {
            const py::gil_scoped_release unlocked;
            forEachIndex(count, threads, [&](std::size_t k) {
                const std::size_t i = first + k;
                RowInputs row{readers[0].at(i), readers[1].at(i), readers[2].at(i), readers[3].at(i), std::nullopt};
                if (analysed) row.alpha = readers[4].at(i);
                chunkHints[k] = designRow(i, row, out);
            });
        }
        for (std::size_t k = 0; k < count; ++k)
            if (chunkHints[k]) hints.set(first + k, *chunkHints[k]);
        if (PyErr_CheckSignals() != 0) throw py::error_already_set();
    }

    const auto shaped = [&](const py::array& flat) { return flat.attr("reshape")(shape); };
    columns["family"] = shaped(family);
    columns["F"] = shaped(F);
    columns["G"] = shaped(G);
    columns["m"] = shaped(m);
    columns["measured_max_thickness_at"] = shaped(measured);
    if (analysed) {
        columns["cl"] = shaped(cl);
        columns["cm"] = shaped(cm);
    }
    columns["status"] = shaped(status);
    columns["converged"] = shaped(converged);
    columns["hint"] = shaped(hints.array());
    return py::module_::import("folix").attr("DesignTable")(columns, tupleOf(familyNames()),
                                                           tupleOf(statusNames()));
}

}  // namespace folix::python
