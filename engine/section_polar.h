#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "section_analysis.h"
#include "selig_export.h"

namespace folix {

inline constexpr std::size_t kMostPolarAngles = 100001;

// The angles of attack of a polar, in degrees: alpha_k = from + k step for
// k = 0, 1, ... while alpha_k stays within `to`, the end counting as reached
// within a billionth of a step (so 0 to 0.3 by 0.1 has four angles). Raises
// std::invalid_argument, with a reason a user can act on, for a value that is
// not finite, a step not above 0, `from` above `to`, or more than
// kMostPolarAngles angles.
std::vector<double> polarAngles(double from, double to, double step);

// One angle of attack of a polar: the exact inviscid Cl and Cm (as
// SectionAnalysis gives them) and the lowest pressure coefficient with the x/c
// of its surface point.
struct PolarRow {
    double alpha = 0;
    double Cl = 0;
    double Cm = 0;
    double CpMin = 0;
    double xCpMin = 0;
};

// Whether the flow has a finite speed at every point of the surface: no
// re-entrant trailing edge (EM <= 2) and a rounded leading edge (F > 0).
bool hasFiniteSurfaceSpeed(double F, double EM);

// The polar of one section at any angle of attack, its surface mapped once.
// Where hasFiniteSurfaceSpeed, Cp_min is the minimum over the continuous
// surface: the circle angle sampled densely, then the best sample's
// neighbourhood searched by golden section. Otherwise it is the minimum over
// those points of a coordinate file of `points` points (seligPointAngles) where
// Cp is finite. Raises ArithmeticError where the analysis fails,
// std::invalid_argument for a point count outside isSeligPointCount.
class PolarSection {
public:
    PolarSection(double F, double G, double EM, int points = kDefaultSeligPoints);

    // Whether Cp_min is taken over the continuous surface (else over the file's points).
    bool overSurface() const { return continuous_; }
    PolarRow row(double alpha) const;

private:
    double F_;
    double G_;
    double EM_;
    bool continuous_;
    SectionAnalysis analysis_;
};

// The polar of the section F, G, EM at each angle: PolarSection's rows.
std::vector<PolarRow> sectionPolar(double F, double G, double EM, const std::vector<double>& alphas,
                                   int points = kDefaultSeligPoints);

// The polar as CSV: the header "alpha,Cl,Cm,Cp_min,x_Cp_min", then one line
// per angle, each number in the general number format (15 significant
// digits, "." whatever the locale).
std::string polarCsvText(const std::vector<PolarRow>& polar);

}  // namespace folix
