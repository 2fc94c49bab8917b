#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <ostream>
#include <string>

namespace folix {

// "12,000 of 100,000 rows  7,512 rows/s  0:11 left": the rows done, the total
// when known, the rate since the start and the time left at that rate (the
// last two once there is a rate to tell). A rate below 10 has one decimal
// ("1.4 rows/s"). `unit` names what is counted.
std::string progressText(std::size_t done, std::optional<std::size_t> total, double seconds,
                         const std::string& unit = "rows");

// A progress line on a terminal, redrawn in place at most ten times a second.
class ProgressLine {
public:
    using Clock = std::chrono::steady_clock;

    ProgressLine(std::ostream& terminal, std::optional<std::size_t> total, std::string unit = "rows");
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    // Redraws with `done` rows unless the last drawing is too recent.
    void update(std::size_t done);

    // Takes the line away, so that a message or the end leaves no trace of it.
    void clear();

private:
    std::ostream& terminal_;
    std::optional<std::size_t> total_;
    std::string unit_;
    Clock::time_point start_;
    std::optional<Clock::time_point> drawn_;
    bool shown_ = false;
};

}  // namespace folix
