#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/streamlines.h"

namespace folix {

// What the Flow window draws, worked out without Qt.

enum class FlowColouring { Speed, PressureCoefficient, None };

inline constexpr int kFlowStreamlines = 40;
inline constexpr int kFieldColumns = 200;  // colour cells across a panel

// The section plane's view, chord lengths: room for the flow turning ahead
// of and behind the section. The circle plane's is centred on the circle, of
// the same proportion, kCircleViewRadii radii across.
inline constexpr PlaneBox kSectionView{-0.6, -0.55, 1.6, 0.55};
inline constexpr double kCircleViewRadii = 6;

struct FlowSceneOptions {
    double alpha = 0;  // degrees
    int streamlines = kFlowStreamlines;
    FlowColouring colouring = FlowColouring::Speed;
    bool circlePlane = false;
    int fieldColumns = kFieldColumns;
};

// A colour field over a panel's box: columns x rows cells, top row first,
// each 0xAARRGGBB; cells inside the section transparent.
struct FieldImage {
    int columns = 0;
    int rows = 0;
    std::vector<std::uint32_t> pixels;
};

struct FlowPanel {
    FlowPlane plane = FlowPlane::Section;
    std::string title;
    PlaneBox box;
    std::vector<PlanePoint> outline;  // the section or the circle, closed
    std::vector<Streamline> streamlines;
    std::vector<PlanePoint> stagnationPoints;
    FieldImage field;  // empty without colouring
};

struct ColourTick {
    double position = 0;  // 0 at the scale's low end, 1 at its high end
    std::string label;
};

// The scale beside the panels: its colours from the low end to the high end
// (evenly spaced), the ticks, and what it measures.
struct ColourScale {
    std::string title;
    std::vector<std::uint32_t> colours;
    std::vector<ColourTick> ticks;
};

struct FlowScene {
    double alpha = 0;
    double Cl = 0;
    FlowPanel section;
    std::optional<FlowPanel> circle;
    std::optional<ColourScale> scale;
};

// The scene of the section F, G, EM. Raises std::invalid_argument for a
// section the flow field refuses (FlowField), ArithmeticError where the
// mapping has no value on the outline. Numbers on the scale with
// decimalSeparator.
FlowScene flowScene(double F, double G, double EM, const FlowSceneOptions& options,
                    std::string_view decimalSeparator = ".");

// The colour of a value of the scale's quantity: blue where the flow is
// slow (high pressure) through light grey at the free stream to red where it
// is fast (suction); values beyond the scale take its ends.
std::uint32_t fieldColour(FlowColouring colouring, double value);

}  // namespace folix
