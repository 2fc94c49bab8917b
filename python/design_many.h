#pragma once

#include <optional>

#include <pybind11/pybind11.h>

namespace folix::python {

// folix.design_many: the design of every element of the broadcast inputs,
// spread over `jobs` threads (all cores when none) with the interpreter lock
// released. Returns a dict of numpy arrays of the broadcast shape; a row that
// fails is reported in it, never raised.
pybind11::dict designMany(const pybind11::handle& thickness, const pybind11::handle& camber,
                          const pybind11::handle& teAngle, const pybind11::handle& maxThicknessAt,
                          std::optional<int> jobs);

}  // namespace folix::python
