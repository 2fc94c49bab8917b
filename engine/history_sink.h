#pragma once

#include <optional>
#include <string>
#include <vector>

namespace folix {

// One call of DGX as it ended: the section it measured and, when it completed,
// the location of maximum thickness it found (none at the table limit).
struct Measurement {
    double F = 0;
    double G = 0;
    double EM = 0;
    std::optional<double> XDMAXC;
};

// Receives the iteration-history lines in the order they are written, and
// beside them the events those lines stand for, so that a front end wanting
// the run as data never has to read it back out of the text.
class HistorySink {
public:
    virtual ~HistorySink() = default;
    virtual void append(const std::string& line) = 0;
    // The separator the reader's region writes between integer and decimals.
    virtual std::string decimalSeparator() const { return "."; }

    // A solve for F and G at exponent EM begins (after its heading).
    virtual void solveStarted(double /*EM*/) {}
    // A measurement ended (after its line, if it wrote one).
    virtual void sectionMeasured(const Measurement& /*measurement*/) {}
    // The solve ended, having met both ratios or given up (after its lines).
    virtual void solveEnded(bool /*converged*/) {}
};

class VectorHistory : public HistorySink {
public:
    void append(const std::string& line) override { lines.push_back(line); }
    std::vector<std::string> lines;
};

}  // namespace folix
