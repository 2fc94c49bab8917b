#include "history_summary.h"

#include <algorithm>
#include <string_view>

#include "engine/parameter_solver.h"
#include "window/design_run.h"

namespace folix {

namespace {

constexpr std::string_view kHeading = " M=";
constexpr std::string_view kMeasurement = "F=";

bool startsWith(std::string_view line, std::string_view prefix) { return line.substr(0, prefix.size()) == prefix; }

}  // namespace

bool HistorySummary::converged() const
{
    return !locationSearchGaveUp &&
           std::all_of(solves.begin(), solves.end(), [](const SolveSummary& s) { return s.converged; });
}

HistorySummary summariseHistory(const std::vector<std::string>& lines)
{
    HistorySummary summary;
    for (const auto& line : lines) {
        if (startsWith(line, kHeading)) summary.solves.push_back({line.substr(kHeading.size())});
        else if (summary.solves.empty()) continue;
        else if (startsWith(line, kMeasurement)) ++summary.solves.back().measurements;
        else if (line == kSolveNotConverged) summary.solves.back().converged = false;
        if (line == kLocationNotConverged) summary.locationSearchGaveUp = true;
    }
    return summary;
}

}  // namespace folix
