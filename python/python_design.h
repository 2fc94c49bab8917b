#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <pybind11/numpy.h>

#include "design/design_outcome.h"
#include "design/design_status.h"
#include "engine/section_flow.h"

namespace folix::python {

// folix.Design: a design run that completed, as `folix design` reports it.
// Immutable; every method computes from F, G and m.
class Design {
public:
    explicit Design(DesignOutcome outcome) : outcome_(std::move(outcome)) {}

    const DesignOutcome& outcome() const { return outcome_; }
    std::optional<double> maxThicknessAt() const { return outcome_.maxThicknessAt; }
    bool converged() const { return folix::converged(outcome_); }

    pybind11::array_t<double> coordinates(int points) const;
    double cl(double alpha) const;
    double cm(double alpha) const;
    double zeroLiftAngle() const;
    pybind11::array_t<double> pressure(double alpha, int points) const;
    bool save(const std::filesystem::path& file) const;
    std::string repr() const;

private:
    // The flow at alpha (degrees), with Cp at `points` coordinate-file points when given.
    SectionFlow flow(double alpha, std::optional<int> points) const;

    DesignOutcome outcome_;
};

// folix.design: one run of the design, raising folix.DesignError where it stops.
Design design(double thickness, double camber, double teAngle, std::optional<double> maxThicknessAt);

}  // namespace folix::python
