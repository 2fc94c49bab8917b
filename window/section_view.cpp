#include "section_view.h"

namespace folix {

ViewBox fittedView(const ViewBox& area)
{
    if (area.width <= 0 || area.height <= 0) return {area.left, area.top, 0, 0};
    const double widthAtFullHeight = area.height * kViewAspect;
    if (widthAtFullHeight <= area.width) {
        const double spare = area.width - widthAtFullHeight;
        return {area.left + spare / 2, area.top, widthAtFullHeight, area.height};
    }
    const double heightAtFullWidth = area.width / kViewAspect;
    const double spare = area.height - heightAtFullWidth;
    return {area.left, area.top + spare / 2, area.width, heightAtFullWidth};
}

ViewPoint placeInView(const ViewBox& view, double x, double y)
{
    const double across = (x - kViewLeft) / (kViewRight - kViewLeft);
    const double down = (y - kViewTop) / (kViewBottom - kViewTop);
    return {view.left + across * view.width, view.top + down * view.height};
}

}  // namespace folix
