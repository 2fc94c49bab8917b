#pragma once

#include <pybind11/pybind11.h>

namespace folix::python {

// Designs to aerodynamic targets in the module, after Design is registered:
// folix.design_for_lift, folix.design_for_bucket, folix.Bucket, and on Design
// the bucket method and the thickness, camber and ideal_angle properties;
// folix.DesignError gains its `hint` (None unless a target was not met).
void addTargets(pybind11::module_& module);

}  // namespace folix::python
