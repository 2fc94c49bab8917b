#pragma once

namespace folix {

// A rectangle on a drawing surface, in pixels, y growing downward.
struct ViewBox {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

struct ViewPoint {
    double x = 0;
    double y = 0;
};

// The section plot's visible window, in chord lengths: x from -0.1 at the
// left to 1.1 at the right, y from 0.24 at the top to -0.24 at the bottom.
inline constexpr double kViewLeft = -0.1;
inline constexpr double kViewTop = 0.24;
inline constexpr double kViewRight = 1.1;
inline constexpr double kViewBottom = -0.24;
// Its width over height: 1.2 by 0.48.
inline constexpr double kViewAspect = 2.5;

// The largest box of the visible window's proportion that fits in area,
// centred in it, so that a chord length takes the same room across as up
// whatever the surface's shape.
ViewBox fittedView(const ViewBox& area);

// Where a point in chord lengths lands in a box that shows the visible window.
ViewPoint placeInView(const ViewBox& view, double x, double y);

}  // namespace folix
