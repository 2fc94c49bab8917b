#include "design_run.h"

#include <limits>

#include "design/profile_tables.h"
#include "design/run_texts.h"
#include "design/safeguarded_solve.h"
#include "engine/number_text.h"
#include "engine/real.h"

namespace folix {

namespace {

constexpr double kSecondExponent = 1.95;
constexpr int kMostExponentSteps = 20;
constexpr double kLocationTolerance = 0.001;

// Location mode: secant iteration on the exponent until the measured location
// of maximum thickness meets the wanted one.
void searchExponent(DesignState& state, double wantedLocation, DesignFrontEnd& frontEnd, double XD1)
{
    state.XDltC = wantedLocation;
    double EM2 = kSecondExponent;
    double XD2 = 0;
    solveForFG(state, frontEnd, EM2, XD2, state.Delta, state.Gamma, state.F, state.G);
    int ITER = 0;
    for (;;) {
        double EM3 = (state.EM + ((Real(EM2) - state.EM) / (Real(XD2) - XD1)) * (Real(state.XDltC) - XD1)).value();
        ITER = ITER + 1;
        if (ITER > kMostExponentSteps) {
            frontEnd.append(kLocationNotConverged);
            frontEnd.exponentSearchGaveUp();
            return;
        }
        double XD3 = 0;
        solveForFG(state, frontEnd, EM3, XD3, state.Delta, state.Gamma, state.F, state.G);
        if (abs(Real(state.XDltC) - XD3) < kLocationTolerance) {
            state.EM = EM3;
            return;
        }
        state.EM = EM2;
        EM2 = EM3;
        XD1 = XD2;
        XD2 = XD3;
    }
}

// A typed target as the run takes it: finite, and a negative zero as zero,
// as the window reads "-0".
double target(double typed) { return checked(typed) == 0 ? 0.0 : typed; }

float toDrawingPrecision(double v)
{
    if (v > std::numeric_limits<float>::max() || v < -std::numeric_limits<float>::max())
        throw ArithmeticError(ErrorKind::Overflow);
    return static_cast<float>(v);
}

Outline outlineOf(const DesignState& state)
{
    Outline outline;
    for (int I = 1; I <= kOutlineSamples; ++I)
        outline[static_cast<std::size_t>(I - 1)] = {toDrawingPrecision(state.XU[I]), toDrawingPrecision(state.YU[I])};
    return outline;
}

}  // namespace

void startHistory(DesignFrontEnd& frontEnd)
{
    frontEnd.clearHistory();
    frontEnd.append(kHistoryTitle);
}

void runDesign(DesignState& state, const DesignInputs& inputs, DesignFrontEnd& frontEnd)
{
    state.Pi = (atan(1) * 4).value();
    startHistory(frontEnd);

    state.Delta = target(inputs.thickness);
    state.Gamma = target(inputs.camber);
    state.Tau = target(inputs.teAngleDegrees);
    state.Tau = ((Real(state.Tau) * state.Pi) / 180).value();
    state.EM = (2 - Real(state.Tau) / state.Pi).value();

    double XD1 = 0;
    solveForFG(state, frontEnd, state.EM, XD1, state.Delta, state.Gamma, state.F, state.G);
    state.XDltC = XD1;

    if (inputs.maxThicknessAt) searchExponent(state, target(*inputs.maxThicknessAt), frontEnd, XD1);

    state.AirfoilType = kKarmanTrefftzAirfoil;
    if (state.EM == 2) state.AirfoilType = kJoukowskyAirfoil;

    const std::string separator = frontEnd.decimalSeparator();
    frontEnd.showResults({state.AirfoilType, displayText(state.F, separator), displayText(state.G, separator),
                          displayText(state.EM, separator)});

    fillProfileTables(state);
    frontEnd.drawSection(outlineOf(state));
}

}  // namespace folix
