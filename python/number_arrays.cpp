#include "number_arrays.h"

#include <cmath>
#include <cstring>
#include <utility>

namespace py = pybind11;
using namespace pybind11::literals;

namespace folix::python {

py::array numberArray(const py::handle& value, const char* name)
{
    py::array array = py::module_::import("numpy").attr("asarray")(value);
    const char kind = array.dtype().kind();
    if (kind != 'i' && kind != 'u' && kind != 'f')
        throw py::type_error(std::string(name) + " must hold integers or floats, not " +
                             py::str(array.dtype()).cast<std::string>());
    return array;
}

std::string nonFiniteText(double value)
{
    if (std::isnan(value)) return "nan";
    return value < 0 ? "-inf" : "inf";
}

Angles anglesOf(const py::handle& alpha)
{
    const py::array given = numberArray(alpha, "alpha");
    const auto flat = py::module_::import("numpy")
                          .attr("ascontiguousarray")(given, "dtype"_a = "float64")
                          .attr("ravel")()
                          .cast<py::array_t<double>>();
    Angles angles{{flat.data(), flat.data() + flat.size()}, py::none()};
    for (const double a : angles.degrees)
        if (!std::isfinite(a)) throw py::value_error("alpha must hold finite numbers, not " + nonFiniteText(a));
    // numpy's scalars and Python's numbers give a float; an array, even of no dimension, an array.
    if (given.ndim() > 0 || py::isinstance<py::array>(alpha)) angles.shape = given.attr("shape");
    return angles;
}

py::object perAngle(const Angles& angles, std::vector<double> values, const std::vector<py::ssize_t>& inner)
{
    if (angles.shape.is_none() && inner.empty()) return py::float_(values.at(0));
    std::vector<py::ssize_t> shape;
    if (!angles.shape.is_none())
        for (const py::handle extent : angles.shape) shape.push_back(extent.cast<py::ssize_t>());
    shape.insert(shape.end(), inner.begin(), inner.end());
    py::array_t<double> shaped(shape);
    if (!values.empty()) std::memcpy(shaped.mutable_data(), values.data(), values.size() * sizeof(double));
    return shaped;
}

}  // namespace folix::python
