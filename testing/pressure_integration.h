#pragma once

#include <vector>

#include "engine/section_analysis.h"

namespace folix {

// Force and moment coefficients from a pressure distribution, on a chord of 1.
struct IntegratedLoads {
    double Cl = 0;
    double Cd = 0;  // pressure drag; zero for an exact inviscid flow, so it measures the integration error
    double Cm = 0;  // about the quarter chord (x = 0.25, y = 0), positive nose-up
};

// Integrates Cp over the closed polygon through the surface points (the last
// point joined to the first; either direction of travel), taking Cp linear along
// each side. alpha in degrees, as for SectionAnalysis. Cp holds one value per point.
IntegratedLoads integratePressures(const std::vector<SurfacePoint>& surface, const std::vector<double>& Cp,
                                   double alpha);

}  // namespace folix
