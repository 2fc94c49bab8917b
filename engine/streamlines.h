#pragma once

#include <vector>

#include "flow_field.h"

namespace folix {

// An upright rectangle of a plane, in that plane's frame.
struct PlaneBox {
    double left = 0;
    double bottom = 0;
    double right = 1;
    double top = 1;

    double width() const { return right - left; }
    double height() const { return top - bottom; }
    bool contains(PlanePoint p) const { return p.x >= left && p.x <= right && p.y >= bottom && p.y <= top; }
};

// A piece of one streamline inside a box, downstream in order. An end may
// lie just outside the box, where the streamline crosses its edge.
struct Streamline {
    double psi = 0;
    bool dividing = false;  // psi = 0: from a stagnation point of the surface
    std::vector<PlanePoint> points;
};

// count values of the stream function, evenly spaced by the range psi takes
// on the edge of the section-plane box, 0 among them when that range holds
// it: count streamlines spread evenly across the box. Empty when the whole
// edge lies inside the section.
std::vector<double> streamlineLevels(const FlowField& field, const PlaneBox& sectionBox, int count);

// The streamlines of the given levels inside the box of either plane. Each
// level's streamline is followed from every place where it enters the box;
// the level 0 instead from the stagnation points: upstream from the front
// one, downstream from the trailing edge. Traced in the circle plane, held on
// its level by Newton steps, with steps of about 1/400 of the box in the
// plane shown. A streamline ends where the field has no finite value.
std::vector<Streamline> traceStreamlines(const FlowField& field, FlowPlane plane, const PlaneBox& box,
                                         const std::vector<double>& levels);

}  // namespace folix
