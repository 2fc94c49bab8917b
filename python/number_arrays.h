#pragma once

#include <string>
#include <vector>

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

namespace folix::python {

// numpy's array of an argument that must hold numbers (integers or floats);
// a text, a boolean or any other object is a TypeError naming `name`. Nothing
// is parsed, as in design().
pybind11::array numberArray(const pybind11::handle& value, const char* name);

// How a number the engine cannot take reads in a message: "nan", "inf", "-inf".
std::string nonFiniteText(double value);

// Angles of attack given as one number or as an array of them, in degrees.
struct Angles {
    std::vector<double> degrees;  // in C order, every one finite
    pybind11::object shape;       // the array's shape; None for a number
};

// A ValueError unless every angle is finite.
Angles anglesOf(const pybind11::handle& alpha);

// One value per angle in the form the angles came in: a float for a number,
// else an array of the angles' shape followed by `inner` (the shape of each
// angle's values; empty for one value each).
pybind11::object perAngle(const Angles& angles, std::vector<double> values, const std::vector<pybind11::ssize_t>& inner = {});

}  // namespace folix::python
