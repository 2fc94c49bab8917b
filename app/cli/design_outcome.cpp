#include "design_outcome.h"

#include "engine/arithmetic_error.h"
#include "engine/section_measurement.h"

namespace folix {

namespace {

class CommandLineFrontEnd : public DesignFrontEnd {
public:
    explicit CommandLineFrontEnd(DesignOutcome& outcome) : outcome_(outcome) {}

    void clearHistory() override { outcome_.history.clear(); }
    void append(const std::string& line) override { outcome_.history.push_back(line); }
    void showResults(const ResultTexts& texts) override { outcome_.texts = texts; }
    void drawSection(const Outline&) override {}

private:
    DesignOutcome& outcome_;
};

class LineCounter : public HistorySink {
public:
    void append(const std::string&) override { ++lines; }
    int lines = 0;
};

// Measures the section that the run shows, on scratch tables so the outline stays.
std::optional<double> measuredLocation(const DesignState& design)
{
    DesignState scratch;
    LineCounter completed;
    double F = design.F;
    double G = design.G;
    double EM = design.EM;
    double DMAX = 0;
    double GMAX = 0;
    double XDMAXC = 0;
    DGX(scratch, completed, F, G, EM, DMAX, GMAX, XDMAXC);
    if (completed.lines == 0) return std::nullopt;
    return XDMAXC;
}

}  // namespace

DesignOutcome designSection(const DesignInputs& inputs)
{
    DesignOutcome outcome;
    CommandLineFrontEnd frontEnd(outcome);
    try {
        runDesign(outcome.state, inputs, frontEnd);
        outcome.maxThicknessAt = measuredLocation(outcome.state);
    } catch (const ArithmeticError& e) {
        outcome.error = e.what();
    }
    outcome.summary = summariseHistory(outcome.history);
    return outcome;
}

}  // namespace folix
