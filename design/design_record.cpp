#include "design_record.h"

#include "engine/real.h"

namespace folix {

DesignRecord designRecord(const DesignState& state)
{
    return {state.AirfoilType, state.Delta, state.Gamma, state.XDltC, state.Tau, state.F, state.G, state.EM};
}

DesignState designState(const DesignRecord& record)
{
    DesignState state;
    state.Pi = (atan(Real(1)) * 4).value();
    state.AirfoilType = record.family;
    state.Delta = record.thickness;
    state.Gamma = record.camber;
    state.XDltC = record.recordedLocation;
    state.Tau = record.teAngleRadians;
    state.F = record.F;
    state.G = record.G;
    state.EM = record.m;
    return state;
}

}  // namespace folix
