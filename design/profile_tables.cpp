#include "profile_tables.h"

#include "engine/contour_mapping.h"
#include "engine/real.h"

namespace folix {

namespace {
constexpr int kAngleSteps = 51;
}  // namespace

void fillProfileTables(DesignState& state)
{
    double B = chordNormalisingScale(state.F, state.EM);
    const Real DTETA = (2 * Real(state.Pi)) / kAngleSteps;
    for (int I = 1; I <= kAngleSteps + 1; ++I) {
        double TETA = ((I - 1) * DTETA).value();
        XY(state, state.F, state.G, state.EM, TETA, I, B);
        state.XU[I] = outlineX(state.XU[I], state.EM, B);
    }
}

}  // namespace folix
