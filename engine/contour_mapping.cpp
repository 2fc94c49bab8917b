#include "contour_mapping.h"

#include "real.h"

namespace folix {

namespace {

// Angle of (zeta - 1)/(zeta + 1). The cases rho < 1 with s > 0 and rho = 1 with
// s < 0 take the branch that continues the outline smoothly from its neighbours.
Real anglePhi(Real rho, Real s, Real pi)
{
    if (rho > 1) {
        const Real q = (2 * s) / (rho - (1 / rho));
        return atan(q);
    }
    if (rho < 1) {
        const Real q = (2 * s) / (rho - (1 / rho));
        return s <= 0 ? atan(q) - pi : atan(q) + pi;
    }
    return s >= 0 ? pi / 2 : -(pi / 2);
}

}  // namespace

MappedPoint mapCirclePoint(double F, double G, double EM, double TETA, double B)
{
    const Real pi = 4 * atan(1);
    const Real f = F;
    const Real g = G;
    const Real m = EM;
    const Real b = B;
    const Real theta = TETA;
    const Real s = sin(theta);
    const Real c = cos(theta);
    const Real P = (f * c) + (g * s);
    const Real rho = P + sqrt((1 + 2 * f) + sq(P));
    const Real R1 = sqrt((1 + rho * rho) + (2 * rho) * c);
    const Real R2 = sqrt((1 + rho * rho) - (2 * rho) * c);
    const Real r = R2 / R1;
    const Real phi = anglePhi(rho, s, pi);
    const Real r_m = pow(r, m);
    const Real r_2m = pow(r, 2 * m);
    const Real D = (1 + r_2m) - ((2 * r_m) * cos(m * phi));
    const Real x = ((m * b) * (1 - r_2m)) / D;
    const Real y = ((((m * b) * 2) * r_m) * sin(m * phi)) / D;
    return {x.value(), y.value()};
}

void XY(DesignState& state, double& F, double& G, double& EM, double& TETA, int& I, double& B)
{
    state.Pi = (4 * atan(1)).value();
    for (int pass = 1; pass <= 2; ++pass) {
        const MappedPoint point = mapCirclePoint(F, G, EM, TETA, B);
        if (pass == 1) {
            state.XU[I] = point.x;
            state.YU[I] = point.y;
        } else {
            state.XL[I] = point.x;
            state.YL[I] = point.y;
        }
        TETA = -TETA;
    }
}

double chordNormalisingScale(double F, double EM)
{
    const Real chord = 1;
    const Real onePlusF_m = pow(1 + Real(F), EM);
    const Real F_m = pow(F, EM);
    return ((((chord * (onePlusF_m - F_m)) / 2) / EM) / onePlusF_m).value();
}

double outlineX(double x, double EM, double B)
{
    return ((1 - Real(x)) - Real(EM) * B).value();
}

}  // namespace folix
