#include "python_design.h"

#include <utility>

#include "engine/selig_export.h"
#include "python_errors.h"
#include "design/design_save.h"
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

py::array_t<double> Design::coordinates(int points) const
{
    const DesignRecord& shown = outcome_.record;
    const std::vector<SectionPoint> outline = seligPoints(shown.F, shown.G, shown.m, points);
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
    FlowOutcome analysed = analyseFlow(outcome_.record.section(), finite(alpha, "alpha"), points);
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
    DesignSave save;
    {
        // Another saver may hold the file's lock for a few seconds.
        const py::gil_scoped_release unlocked;
        save = saveDesign(outcome_, file);
    }
    if (save.refused) raiseSaveRefusal(*save.refused);
    if (save.result.outcome == SaveOutcome::Failed) raiseSaveError(save.result);
    return save.result.outcome != SaveOutcome::Duplicate;
}

std::string Design::repr() const
{
    const ResultTexts& shown = outcome_.texts;
    return "<folix.Design " + shown.airfoilType + " F=" + shown.f + " G=" + shown.g + " m=" + shown.m +
           (converged() ? "" : " (not converged)") + ">";
}

Design design(double thickness, double camber, double teAngle, std::optional<double> maxThicknessAt)
{
    DesignInputs inputs;
    inputs.thickness = finite(thickness, "thickness");
    inputs.camber = finite(camber, "camber");
    inputs.teAngleDegrees = finite(teAngle, "te_angle");
    if (maxThicknessAt) inputs.maxThicknessAt = finite(*maxThicknessAt, "max_thickness_at");
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
