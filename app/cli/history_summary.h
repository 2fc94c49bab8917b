#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace folix {

// One solve for F and G, as its lines in the iteration history show it.
struct SolveSummary {
    std::string exponent;  // the heading's rounded m
    std::size_t measurements = 0;
    bool converged = true;
};

struct HistorySummary {
    std::vector<SolveSummary> solves;
    bool locationSearchGaveUp = false;

    bool converged() const;
};

// Reads the outcome of every solve off the history lines that the design run
// wrote: each solve starts with its " M=" heading and ends with the
// not-converged message if it gave up.
HistorySummary summariseHistory(const std::vector<std::string>& lines);

}  // namespace folix
