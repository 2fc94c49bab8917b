#pragma once

#include <array>
#include <string>

#include "arithmetic_error.h"

namespace folix {

// A coordinate table with the fixed bounds 0..100; any other index is an error,
// raised before anything is read or written.
class CoordinateTable {
public:
    static constexpr int kFirst = 0;
    static constexpr int kLast = 100;

    double& operator[](int i) { return values_[checkedIndex(i)]; }
    double operator[](int i) const { return values_[checkedIndex(i)]; }

private:
    static std::size_t checkedIndex(int i)
    {
        if (i < kFirst || i > kLast) throw ArithmeticError(ErrorKind::SubscriptOutOfRange);
        return static_cast<std::size_t>(i);
    }

    std::array<double, kLast + 1> values_{};
};

// The one design record of the window. Unset fields are simply 0.
struct DesignState {
    double Pi = 0.0;
    std::string AirfoilType;
    double Delta = 0.0;
    double Gamma = 0.0;
    double XDltC = 0.0;
    double Tau = 0.0;
    double F = 0.0;
    double G = 0.0;
    double EM = 0.0;

    CoordinateTable XU;
    CoordinateTable YU;
    CoordinateTable XL;
    CoordinateTable YL;
};

}  // namespace folix
