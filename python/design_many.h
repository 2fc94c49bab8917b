#pragma once

#include <optional>

#include <pybind11/pybind11.h>

namespace folix::python {

// The design of every element of the broadcast inputs (and, with alpha, the
// analysis of its section), spread over `jobs` threads (all cores when none)
// with the interpreter lock released. Returns a folix.DesignTable of arrays of
// the broadcast shape; a row that fails or holds a number the engine cannot
// take is reported in it, never raised.
pybind11::object designRows(const pybind11::handle& thickness, const pybind11::handle& camber,
                            const pybind11::handle& teAngle, const pybind11::handle& maxThicknessAt,
                            const pybind11::handle& alpha, std::optional<int> jobs);

}  // namespace folix::python
