#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "viscous_polar.h"

namespace folix {

// One polar of a batch: what viscousPolar takes besides the options.
struct PolarJob {
    std::vector<SectionPoint> contour;
    std::string name;
    std::vector<double> alphas;
};

// The polars of many sections on `workers` threads, one XFOIL each, in the
// order of the jobs. A job whose contour or angles are outside their limits
// gets every angle failed with the reason; the others go on. `progress`
// (may be empty) is told on the calling thread how many polars are done, as
// forEachIndex tells it. Raises std::invalid_argument for options outside
// their limits and XfoilUnavailable when XFOIL cannot be found, before any
// polar starts.
std::vector<ViscousPolar> viscousPolars(const std::vector<PolarJob>& jobs, const ViscousOptions& options,
                                        unsigned workers, const std::atomic<bool>* cancel = nullptr,
                                        const std::function<void(std::size_t done)>& progress = {});

}  // namespace folix
