#include "flow_scene.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "engine/number_text.h"
#include "engine/section_drawing.h"

namespace folix {

namespace {

constexpr int kCirclePoints = 361;
constexpr int kScaleColours = 64;
constexpr int kFillPasses = 2;  // rings of cells inside the outline given their neighbours' colour

// The scales' ends: the speed from rest to twice the free stream, the
// pressure coefficient from stagnation to the same speed's suction.
constexpr double kFastestSpeed = 2;
constexpr double kStagnationCp = 1;
constexpr double kLowestCp = 1 - kFastestSpeed * kFastestSpeed;

struct ColourStop {
    double tone;
    int red;
    int green;
    int blue;
};

// A diverging scale, told apart without red-green vision: blue, light grey, red.
constexpr std::array<ColourStop, 5> kStops{{{-1.0, 59, 76, 192},
                                            {-0.5, 141, 176, 254},
                                            {0.0, 236, 236, 236},
                                            {0.5, 244, 154, 123},
                                            {1.0, 180, 4, 38}}};

// -1 (at rest) through 0 (free stream) to 1 (the fastest the scale shows).
double toneOf(FlowColouring colouring, double value)
{
    if (colouring == FlowColouring::Speed) return std::clamp(value - 1, -1.0, 1.0);
    return value >= 0 ? -std::min(value / kStagnationCp, 1.0) : std::min(value / kLowestCp, 1.0);
}

std::uint32_t colourOfTone(double tone)
{
    std::size_t upper = 1;
    while (upper + 1 < kStops.size() && kStops[upper].tone < tone) ++upper;
    const ColourStop& a = kStops[upper - 1];
    const ColourStop& b = kStops[upper];
    const double share = std::clamp((tone - a.tone) / (b.tone - a.tone), 0.0, 1.0);
    const auto mix = [share](int from, int to) {
        return static_cast<std::uint32_t>(std::lround(from + share * (to - from)));
    };
    return 0xff000000u | (mix(a.red, b.red) << 16) | (mix(a.green, b.green) << 8) | mix(a.blue, b.blue);
}

// A value where the flow has no finite one: faster than any scale shows.
double beyondScale(FlowColouring colouring)
{
    return colouring == FlowColouring::Speed ? kFastestSpeed : kLowestCp;
}

std::optional<double> cellValue(const FlowField& field, FlowPlane plane, PlanePoint p, FlowColouring colouring)
{
    try {
        const std::optional<FlowSample> s = plane == FlowPlane::Section ? field.sectionSample(p) : field.circleSample(p);
        if (!s) return std::nullopt;
        return colouring == FlowColouring::Speed ? s->speed : s->Cp;
    } catch (const ArithmeticError&) {
        return beyondScale(colouring);
    }
}

// Cells inside the outline take the mean of their neighbours', a ring at a
// time, so that the smoothed picture meets the outline without a seam.
void fillInside(std::vector<std::optional<double>>& values, int columns, int rows)
{
    for (int pass = 0; pass < kFillPasses; ++pass) {
        std::vector<std::optional<double>> next = values;
        for (int j = 0; j < rows; ++j)
            for (int i = 0; i < columns; ++i) {
                if (values[static_cast<std::size_t>(j * columns + i)]) continue;
                double sum = 0;
                int count = 0;
                for (int dj = -1; dj <= 1; ++dj)
                    for (int di = -1; di <= 1; ++di) {
                        const int ni = i + di;
                        const int nj = j + dj;
                        if (ni < 0 || nj < 0 || ni >= columns || nj >= rows) continue;
                        const std::optional<double>& v = values[static_cast<std::size_t>(nj * columns + ni)];
                        if (!v) continue;
                        sum += *v;
                        ++count;
                    }
                if (count > 0) next[static_cast<std::size_t>(j * columns + i)] = sum / count;
            }
        values = std::move(next);
    }
}

FieldImage fieldImage(const FlowField& field, FlowPlane plane, const PlaneBox& box, int columns, FlowColouring colouring)
{
    FieldImage image;
    if (colouring == FlowColouring::None || columns < 1) return image;
    image.columns = columns;
    image.rows = std::max(1, static_cast<int>(std::lround(columns * box.height() / box.width())));
    const double cellWidth = box.width() / image.columns;
    const double cellHeight = box.height() / image.rows;
    std::vector<std::optional<double>> values;
    values.reserve(static_cast<std::size_t>(image.columns * image.rows));
    for (int j = 0; j < image.rows; ++j)
        for (int i = 0; i < image.columns; ++i) {
            const PlanePoint centre{box.left + (i + 0.5) * cellWidth, box.top - (j + 0.5) * cellHeight};
            values.push_back(cellValue(field, plane, centre, colouring));
        }
    fillInside(values, image.columns, image.rows);
    image.pixels.reserve(values.size());
    for (const std::optional<double>& v : values) image.pixels.push_back(v ? fieldColour(colouring, *v) : 0u);
    return image;
}

ColourScale colourScale(FlowColouring colouring, std::string_view separator)
{
    const bool speed = colouring == FlowColouring::Speed;
    // Low end at the bottom: at rest, or stagnation for Cp (so suction is up, as in the pressure plot).
    const double low = speed ? 0 : kStagnationCp;
    const double high = speed ? kFastestSpeed : kLowestCp;
    ColourScale scale;
    scale.title = speed ? "V/V\u221e" : "Cp";
    for (int k = 0; k < kScaleColours; ++k) {
        const double share = static_cast<double>(k) / (kScaleColours - 1);
        scale.colours.push_back(fieldColour(colouring, low + share * (high - low)));
    }
    constexpr int kTicks = 4;
    for (int k = 0; k <= kTicks; ++k) {
        const double share = static_cast<double>(k) / kTicks;
        std::string label = formatGeneral(low + share * (high - low), separator);
        if (k == kTicks) label = (speed ? "\u2265 " : "\u2264 ") + label;  // beyond the end, the end's colour
        scale.ticks.push_back({share, label});
    }
    return scale;
}

std::vector<PlanePoint> circleOutline(const FlowField& field)
{
    std::vector<PlanePoint> outline;
    const double pi = 4 * std::atan(1.0);
    for (int k = 0; k < kCirclePoints; ++k) {
        const double t = 2 * pi * k / (kCirclePoints - 1);
        outline.push_back({-field.F() + field.radius() * std::cos(t), field.G() + field.radius() * std::sin(t)});
    }
    return outline;
}

}  // namespace

std::uint32_t fieldColour(FlowColouring colouring, double value)
{
    return colourOfTone(toneOf(colouring, value));
}

FlowScene flowScene(double F, double G, double EM, const FlowSceneOptions& options, std::string_view decimalSeparator)
{
    const FlowField field(F, G, EM, options.alpha);
    FlowScene scene;
    scene.alpha = options.alpha;
    scene.Cl = field.liftCoefficient();

    const std::vector<double> levels = streamlineLevels(field, kSectionView, options.streamlines);

    FlowPanel& section = scene.section;
    section.plane = FlowPlane::Section;
    section.title = "Section plane";
    section.box = kSectionView;
    for (const SectionPoint p : outlinePoints(F, G, EM, drawingCircleAngles())) section.outline.push_back({p.x, p.y});
    section.streamlines = traceStreamlines(field, FlowPlane::Section, section.box, levels);
    section.stagnationPoints = field.stagnationPoints(FlowPlane::Section);
    section.field = fieldImage(field, FlowPlane::Section, section.box, options.fieldColumns, options.colouring);

    if (options.circlePlane) {
        FlowPanel circle;
        circle.plane = FlowPlane::Circle;
        circle.title = "Circle plane";
        const double halfWidth = kCircleViewRadii * field.radius() / 2;
        const double halfHeight = halfWidth * kSectionView.height() / kSectionView.width();
        circle.box = {-F - halfWidth, G - halfHeight, -F + halfWidth, G + halfHeight};
        circle.outline = circleOutline(field);
        circle.streamlines = traceStreamlines(field, FlowPlane::Circle, circle.box, levels);
        circle.stagnationPoints = field.stagnationPoints(FlowPlane::Circle);
        circle.field = fieldImage(field, FlowPlane::Circle, circle.box, options.fieldColumns, options.colouring);
        scene.circle = std::move(circle);
    }
    if (options.colouring != FlowColouring::None) scene.scale = colourScale(options.colouring, decimalSeparator);
    return scene;
}

}  // namespace folix
