#include "python_design.h"

#include <utility>

#include <pybind11/stl.h>

#include "design/design_save.h"
#include "design/reported_design.h"
#include "engine/section_polar.h"
#include "engine/selig_export.h"
#include "python_errors.h"

namespace py = pybind11;

namespace folix::python {

namespace {

// A table of `columns` values per row, as numpy holds it.
py::array_t<double> table(std::size_t rows, std::size_t columns)
{
    return py::array_t<double>({static_cast<py::ssize_t>(rows), static_cast<py::ssize_t>(columns)});
}

// A number as Python writes it: the shortest text that reads back to it.
std::string pythonText(double value) { return py::repr(py::float_(value)).cast<std::string>(); }

// A point count of a coordinate file, or a ValueError saying which are.
int pointCount(int points)
{
    if (!isSeligPointCount(points))
        throw py::value_error("points must be odd, from 5 to 100001, not " + std::to_string(points));
    return points;
}

// The run counts -0 as 0, as the window reads "-0"; so do the inputs a design keeps.
double unsignedZero(double value) { return value + 0.0; }

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

std::vector<SectionFlow> Design::flows(const Angles& angles, std::optional<int> points) const
{
    std::vector<SectionFlow> found;
    std::optional<FlowOutcome> failed;
    {
        // Many angles take a while; other Python threads run meanwhile.
        const py::gil_scoped_release unlocked;
        found.reserve(angles.degrees.size());
        for (const double alpha : angles.degrees) {
            FlowOutcome analysed = analyseFlow(outcome_.record.section(), alpha, points);
            if (analysed.error) {
                failed = std::move(analysed);
                break;
            }
            found.push_back(std::move(*analysed.flow));
        }
    }
    if (failed) raiseDesignError(*failed->error, errorMessage(failed->errorKind), outcome_.history);
    return found;
}

py::object Design::loads(const py::handle& alpha, double SectionFlow::*load) const
{
    const Angles angles = anglesOf(alpha);
    std::vector<double> values;
    values.reserve(angles.degrees.size());
    for (const SectionFlow& flow : flows(angles, std::nullopt)) values.push_back(flow.*load);
    return perAngle(angles, std::move(values));
}

py::object Design::cl(const py::handle& alpha) const { return loads(alpha, &SectionFlow::Cl); }

py::object Design::cm(const py::handle& alpha) const { return loads(alpha, &SectionFlow::Cm); }

double Design::zeroLiftAngle() const { return flows(Angles{{0.0}, py::none()}, std::nullopt).front().zeroLiftAngle; }

py::object Design::pressure(const py::handle& alpha, int points) const
{
    const Angles angles = anglesOf(alpha);
    std::vector<double> values;
    for (const SectionFlow& flow : flows(angles, pointCount(points)))
        for (std::size_t i = 0; i < flow.points.size(); ++i)
            values.insert(values.end(), {flow.points[i].x, flow.points[i].y, flow.Cp[i]});
    return perAngle(angles, std::move(values), {points, 3});
}

py::dict Design::polar(const py::handle& alpha, int points) const
{
    const Angles angles = anglesOf(alpha);
    const int count = pointCount(points);
    const DesignRecord& shown = outcome_.record;
    std::vector<PolarRow> rows;
    std::optional<ArithmeticError> failed;
    {
        const py::gil_scoped_release unlocked;
        try {
            rows = sectionPolar(shown.F, shown.G, shown.m, angles.degrees, count);
        } catch (const ArithmeticError& e) {
            failed = e;
        }
    }
    if (failed) raiseDesignError(std::string("analysis: ") + failed->what(), failed->what(), outcome_.history);
    const auto column = [&](double PolarRow::*field) {
        std::vector<double> values;
        values.reserve(rows.size());
        for (const PolarRow& row : rows) values.push_back(row.*field);
        return perAngle(angles, std::move(values));
    };
    py::dict polar;
    polar["alpha"] = column(&PolarRow::alpha);
    polar["Cl"] = column(&PolarRow::Cl);
    polar["Cm"] = column(&PolarRow::Cm);
    polar["Cp_min"] = column(&PolarRow::CpMin);
    polar["x_Cp_min"] = column(&PolarRow::xCpMin);
    return polar;
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
    std::string text = "<folix.Design thickness=" + pythonText(inputs_.thickness) +
                       " camber=" + pythonText(inputs_.camber) + " te_angle=" + pythonText(inputs_.teAngleDegrees);
    if (inputs_.maxThicknessAt) text += " max_thickness_at=" + pythonText(*inputs_.maxThicknessAt);
    const ResultTexts& shown = outcome_.texts;
    text += ": " + shown.airfoilType + " F=" + shown.f + " G=" + shown.g + " m=" + shown.m;
    return text + (designStatus(outcome_) == DesignStatus::Ok ? "" : " (" + status() + ")") + ">";
}

bool Design::operator==(const Design& other) const
{
    const DesignInputs& a = inputs_;
    const DesignInputs& b = other.inputs_;
    const DesignRecord& x = outcome_.record;
    const DesignRecord& y = other.outcome_.record;
    return a.thickness == b.thickness && a.camber == b.camber && a.teAngleDegrees == b.teAngleDegrees &&
           a.maxThicknessAt == b.maxThicknessAt && x.family == y.family && x.F == y.F && x.G == y.G && x.m == y.m &&
           outcome_.maxThicknessAt == other.outcome_.maxThicknessAt && status() == other.status();
}

py::ssize_t Design::hash() const
{
    const DesignRecord& shown = outcome_.record;
    return py::hash(py::make_tuple(inputTuple(), shown.F, shown.G, shown.m));
}

py::tuple Design::inputTuple() const
{
    return py::make_tuple(inputs_.thickness, inputs_.camber, inputs_.teAngleDegrees, inputs_.maxThicknessAt);
}

Design design(double thickness, double camber, double teAngle, std::optional<double> maxThicknessAt)
{
    DesignInputs inputs;
    inputs.thickness = unsignedZero(finite(thickness, "thickness"));
    inputs.camber = unsignedZero(finite(camber, "camber"));
    inputs.teAngleDegrees = unsignedZero(finite(teAngle, "te_angle"));
    if (maxThicknessAt) inputs.maxThicknessAt = unsignedZero(finite(*maxThicknessAt, "max_thickness_at"));
    DesignOutcome outcome;
    {
        // Other Python threads run meanwhile, designs of their own included.
        const py::gil_scoped_release unlocked;
        outcome = reportedDesign(inputs);
    }
    if (outcome.error)
        raiseDesignError(outcome.error->reason, outcome.error->reason, outcome.history, outcome.hint);
    return {inputs, std::move(outcome)};
}

}  // namespace folix::python
