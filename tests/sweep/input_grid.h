#pragma once

// The grid of typed inputs the sweeps walk: thickness 0 to 0.6, camber -0.1 to
// 0.15, trailing-edge angle -30 to 120 degrees, each in angle mode, and the
// same with every location 0 to 1 in location mode (which still reads the
// angle for its first exponent). Also the tally of how the runs ended.

#include <array>
#include <cstdio>
#include <optional>
#include <string>

#include "engine/arithmetic_error.h"
#include "window/typed_inputs.h"

namespace folix::sweep {

struct GridSize {
    int thicknesses;
    int cambers;
    int angles;
    int locations;
};

// The text a user would type for a grid value: "0.3", "-0.05", "12.5".
inline std::string typedText(double value)
{
    std::array<char, 32> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%.10g", value);
    return buffer.data();
}

// Point `i` of `count` evenly spaced from `low` to `high`, both included.
inline double gridPoint(double low, double high, int i, int count)
{
    return count == 1 ? low : low + (high - low) * i / (count - 1);
}

template <class Visit>
void forEachGridInput(const GridSize& size, Visit visit)
{
    for (const bool locationMode : {false, true}) {
        const int locations = locationMode ? size.locations : 1;
        for (int t = 0; t < size.thicknesses; ++t)
            for (int c = 0; c < size.cambers; ++c)
                for (int a = 0; a < size.angles; ++a)
                    for (int l = 0; l < locations; ++l) {
                        TypedInputs inputs;
                        inputs.delta = typedText(gridPoint(0, 0.6, t, size.thicknesses));
                        inputs.gamma = typedText(gridPoint(-0.1, 0.15, c, size.cambers));
                        inputs.tau = typedText(gridPoint(-30, 120, a, size.angles));
                        if (locationMode) inputs.xDltc = typedText(gridPoint(0, 1, l, size.locations));
                        inputs.locationMode = locationMode;
                        visit(inputs);
                    }
    }
}

inline constexpr std::array<ErrorKind, 4> kErrorKinds = {ErrorKind::DivisionByZero, ErrorKind::InvalidArgument,
                                                         ErrorKind::Overflow, ErrorKind::SubscriptOutOfRange};

// How many runs completed and how many stopped with each error kind.
struct OutcomeTally {
    int completed = 0;
    std::array<int, kErrorKinds.size()> stopped{};

    void count(const std::optional<ErrorKind>& error)
    {
        if (error) ++stopped[static_cast<std::size_t>(*error)];
        else ++completed;
    }

    int total() const
    {
        int sum = completed;
        for (int n : stopped) sum += n;
        return sum;
    }

    bool operator==(const OutcomeTally&) const = default;
};

inline std::string describe(const OutcomeTally& tally)
{
    std::string text = std::to_string(tally.total()) + " runs: " + std::to_string(tally.completed) + " completed";
    for (const ErrorKind kind : kErrorKinds)
        text += ", " + std::to_string(tally.stopped[static_cast<std::size_t>(kind)]) + " " + errorMessage(kind);
    return text;
}

}  // namespace folix::sweep
