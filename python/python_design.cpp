#include "python_design.h"

#include <utility>

#include "engine/selig_export.h"
#include "python_errors.h"
#include "results/results_file.h"
#include "design/reported_design.h"

namespace py = pybind11;

namespace folix::python {

namespace {

// A table of `columns` values per row, as numpy holds it.
py::array_t<double> table(std::size_t rows, std::size_t columns)
{
    return py::array_t<double>({static_cast<py::ssize_t>(rows), static_cast<py::ssize_t>(columns)});
}

}  // namespace

Design::Design(DesignOutcome outcome) : outcome_(std::move(outcome)), record_(designRecord(outcome_)) {}

py::array_t<double> Design::coordinates(int points) const
{
    const std::vector<SectionPoint> outline = seligPoints(outcome_.F, outcome_.G, outcome_.m, points);
    py::array_t<double> xy = table(outline.size(), 2);
    auto cells = xy.mutable_unchecked<2>();
    for (std::size_t i = 0; i < outline.size(); ++i) {
        const auto row = static_cast<py::ssize_t>(i);
        cells(row, 0) = outline[i].x;
        cells(row, 1) = outline[i].y;
    }
    return xy;
}

SectionFlow Design::flow(double alpha, std::optional<int> points) const
{
    FlowOutcome analysed = analyseFlow(record_, finite(alpha, "alpha"), points);
    if (analysed.error) raiseDesignError(*analysed.error, errorMessage(analysed.errorKind), outcome_.history);
    return std::move(*analysed.flow);
}

double Design::cl(double alpha) const { return flow(alpha, std::nullopt).Cl; }

double Design::cm(double alpha) const { return flow(alpha, std::nullopt).Cm; }

double Design::zeroLiftAngle() const { return flow(0.0, std::nullopt).zeroLiftAngle; }

py::array_t<double> Design::pressure(double alpha, int points) const
{
    const SectionFlow found = flow(alpha, points);
    py::array_t<double> xyCp = table(found.points.size(), 3);
    auto cells = xyCp.mutable_unchecked<2>();
    for (std::size_t i = 0; i < found.points.size(); ++i) {
        const auto row = static_cast<py::ssize_t>(i);
        cells(row, 0) = found.points[i].x;
        cells(row, 1) = found.points[i].y;
        cells(row, 2) = found.Cp[i];
    }
    return xyCp;
}

bool Design::save(const std::filesystem::path& file) const
{
    DesignState record = record_;
    SaveResult saved;
    {
        // Another saver may hold the file's lock for a few seconds.
        const py::gil_scoped_release unlocked;
        saved = saveResult(record, file);
    }
    if (saved.outcome == SaveOutcome::Failed) raiseSaveError(saved);
    return saved.outcome != SaveOutcome::Duplicate;
}

std::string Design::repr() const
{
    const ResultTexts& shown = outcome_.texts;
    return "<folix.Design " + shown.airfoilType + " F=" + shown.f + " G=" + shown.g + " m=" + shown.m +
           (converged() ? "" : " (not converged)") + ">";
}

Design design(double thickness, double camber, double teAngle, std::optional<double> maxThicknessAt)
{
    const DesignInputs inputs =
        exactInputs(finite(thickness, "thickness"), finite(camber, "camber"), finite(teAngle, "te_angle"),
                    maxThicknessAt ? std::optional(finite(*maxThicknessAt, "max_thickness_at")) : std::nullopt);
    DesignOutcome outcome;
    {
        // Other Python threads run meanwhile, designs of their own included.
        const py::gil_scoped_release unlocked;
        outcome = reportedDesign(inputs);
    }
    if (outcome.error) raiseDesignError(outcome.error->reason, outcome.error->reason, outcome.history);
    return Design(std::move(outcome));
}

}  // namespace folix::python
