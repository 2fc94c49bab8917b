#include "design_outcome.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <utility>

#include "design/design_hint.h"
#include "design/design_run.h"
#include "design/run_texts.h"
#include "engine/surface_crossing.h"

namespace folix {

namespace {

// Collects the run's lines, texts, outline and events.
class OutcomeCollector : public DesignFrontEnd {
public:
    OutcomeCollector(DesignOutcome& outcome, std::string separator)
        : outcome_(outcome), separator_(std::move(separator))
    {
    }

    std::string decimalSeparator() const override { return separator_; }

    void clearHistory() override { outcome_.history.clear(); }
    void append(const std::string& line) override { outcome_.history.push_back(line); }
    void showResults(const ResultTexts& texts) override { outcome_.texts = texts; }
    void drawSection(const Outline& outline) override { outcome_.outline = outline; }
    void exponentSearchGaveUp() override { outcome_.locationSearchGaveUp = true; }

    void solveStarted(double EM) override { outcome_.solves.push_back({EM, 0, std::nullopt}); }
    void sectionMeasured(const Measurement& measurement) override
    {
        if (measurement.XDMAXC && !outcome_.solves.empty()) ++outcome_.solves.back().measurements;
        lastMeasurement = measurement;
    }
    void safeguardedSolveStarted() override
    {
        if (outcome_.solves.empty()) return;
        outcome_.solves.back().safeguarded = true;
        outcome_.solves.back().converged.reset();
    }
    void solveEnded(bool converged) override
    {
        if (!outcome_.solves.empty()) outcome_.solves.back().converged = converged;
    }

    std::optional<Measurement> lastMeasurement;

private:
    DesignOutcome& outcome_;
    std::string separator_;
};

bool sameValue(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

}  // namespace

DesignOutcome designOutcome(const DesignInputs& inputs, const std::string& decimalSeparator)
{
    DesignOutcome outcome;
    DesignState state;
    OutcomeCollector collector(outcome, decimalSeparator);
    try {
        runDesign(state, inputs, collector);
    } catch (const ArithmeticError& e) {
        outcome.error = DesignError{e.kind(), e.what()};
    }
    outcome.record = designRecord(state);

    if (const auto& last = collector.lastMeasurement) {
        outcome.maxThicknessAt = last->XDMAXC;
        outcome.measuredShownSection =
            !outcome.error && sameValue(last->F, state.F) && sameValue(last->G, state.G) && sameValue(last->EM, state.EM);
    }
    if (!outcome.error) {
        try {
            outcome.surfacesCrossFrom = surfacesCrossFrom(outcome.record.F, outcome.record.G, outcome.record.m);
        } catch (const ArithmeticError&) {
            outcome.surfacesCrossFrom = 0;  // only sections with m > 2 get this far, and all of those cross
        }
    }
    outcome.hint = designHint(inputs, outcome);
    return outcome;
}

DesignOutcome stoppedOnInputs(const ArithmeticError& error)
{
    DesignOutcome outcome;
    outcome.history.push_back(kHistoryTitle);
    outcome.error = DesignError{error.kind(), error.what()};
    return outcome;
}

}  // namespace folix
