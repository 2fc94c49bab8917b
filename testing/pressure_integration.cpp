#include "testing/pressure_integration.h"

#include <cmath>
#include <cstddef>
#include <stdexcept>

#include "engine/real.h"

namespace folix {

IntegratedLoads integratePressures(const std::vector<SurfacePoint>& surface, const std::vector<double>& Cp,
                                   double alpha)
{
    if (Cp.size() != surface.size()) throw std::invalid_argument("one pressure coefficient per surface point");
    if (surface.size() < 3) throw std::invalid_argument("a closed surface needs at least 3 points");

    const Real pi = 4 * atan(Real(1));
    const Real withinATurn = std::fmod(checked(alpha).value(), 360.0);  // as SectionAnalysis takes it
    const Real alphaRad = (withinATurn * pi) / 180;
    const Real xRef = 0.25;
    const Real yRef = 0;

    // Counterclockwise travel has the outward normal (dy, -dx)/ds, so the force
    // is (-sum Cp dy, sum Cp dx) and the counterclockwise moment
    // sum Cp ((x - xRef) dx + (y - yRef) dy), each Cp and lever arm taken at the
    // side's midpoint. Twice the enclosed area tells the direction of travel; a
    // flat outline counts as counterclockwise.
    Real forceX = 0;
    Real forceY = 0;
    Real momentCounterclockwise = 0;
    Real twiceArea = 0;
    const std::size_t n = surface.size();
    for (std::size_t i = 0; i < n; ++i) {
        const SurfacePoint& p = surface[i];
        const SurfacePoint& q = surface[(i + 1) % n];
        const Real dx = Real(q.x) - p.x;
        const Real dy = Real(q.y) - p.y;
        const Real CpMid = (Real(Cp[i]) + Cp[(i + 1) % n]) / 2;
        const Real xMid = (Real(p.x) + q.x) / 2;
        const Real yMid = (Real(p.y) + q.y) / 2;
        forceX = forceX - (CpMid * dy);
        forceY = forceY + (CpMid * dx);
        momentCounterclockwise = momentCounterclockwise + (CpMid * (((xMid - xRef) * dx) + ((yMid - yRef) * dy)));
        twiceArea = twiceArea + ((Real(p.x) * q.y) - (Real(q.x) * p.y));
    }
    const Real travel = twiceArea < 0 ? -1 : 1;
    forceX = travel * forceX;
    forceY = travel * forceY;
    momentCounterclockwise = travel * momentCounterclockwise;

    // Lift across the free stream (cos alpha, sin alpha); nose-up is clockwise.
    const Real Cl = (forceY * cos(alphaRad)) - (forceX * sin(alphaRad));
    const Real Cd = (forceX * cos(alphaRad)) + (forceY * sin(alphaRad));
    const Real Cm = -momentCounterclockwise;
    return {Cl.value(), Cd.value(), Cm.value()};
}

}  // namespace folix
