#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <pybind11/numpy.h>

#include "design/design_inputs.h"
#include "design/design_outcome.h"
#include "design/design_status.h"
#include "engine/section_flow.h"
#include "number_arrays.h"

namespace folix::python {

// folix.Design: a design run that completed, with the inputs it was run on,
// as `folix design` reports it. Immutable; every method computes from F, G
// and m. Two designs are equal when their inputs and results are.
class Design {
public:
    Design(DesignInputs inputs, DesignOutcome outcome) : inputs_(inputs), outcome_(std::move(outcome)) {}

    const DesignInputs& inputs() const { return inputs_; }
    const DesignOutcome& outcome() const { return outcome_; }
    // "angle", or "location" when the exponent was searched for a location of maximum thickness.
    std::string mode() const { return inputs_.maxThicknessAt ? "location" : "angle"; }
    std::optional<double> measuredMaxThicknessAt() const { return outcome_.maxThicknessAt; }
    bool converged() const { return folix::converged(outcome_); }
    std::string status() const { return statusText(outcome_); }

    pybind11::array_t<double> coordinates(int points) const;
    pybind11::object cl(const pybind11::handle& alpha) const;
    pybind11::object cm(const pybind11::handle& alpha) const;
    double zeroLiftAngle() const;
    pybind11::object pressure(const pybind11::handle& alpha, int points) const;
    pybind11::dict polar(const pybind11::handle& alpha, int points) const;
    bool save(const std::filesystem::path& file) const;

    std::string repr() const;
    bool operator==(const Design& other) const;
    pybind11::ssize_t hash() const;
    // What a pickle keeps: the inputs, designed again when it is loaded.
    pybind11::tuple inputTuple() const;

private:
    // The flow at every angle with Cp at `points` coordinate-file points when
    // given; the first failure raises DesignError.
    std::vector<SectionFlow> flows(const Angles& angles, std::optional<int> points) const;
    pybind11::object loads(const pybind11::handle& alpha, double SectionFlow::*load) const;

    DesignInputs inputs_;
    DesignOutcome outcome_;
};

// folix.design: one run of the design, raising folix.DesignError where it stops.
Design design(double thickness, double camber, double teAngle, std::optional<double> maxThicknessAt);

}  // namespace folix::python
