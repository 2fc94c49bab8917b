#pragma once

#include <pybind11/pybind11.h>

namespace folix::python {

// Viscous polars from XFOIL in the module, after Design is registered:
// Design.polar (the exact inviscid polar, and XFOIL's beside it with re) and
// folix.polars_many (many designs' polars on several XFOILs at once). Both
// run without the interpreter lock; Ctrl+C kills XFOIL and raises
// KeyboardInterrupt.
void addViscous(pybind11::module_& module);

}  // namespace folix::python
