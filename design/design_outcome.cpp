#include "design_outcome.h"

#include <algorithm>
#include <bit>
#include <cstdint>

#include "design/design_run.h"
#include "engine/real.h"

namespace folix {

namespace {

// Collects the run's lines, texts, outline and events.
class OutcomeCollector : public DesignFrontEnd {
public:
    explicit OutcomeCollector(DesignOutcome& outcome) : outcome_(outcome) {}

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
    void solveEnded(bool converged) override
    {
        if (!outcome_.solves.empty()) outcome_.solves.back().converged = converged;
    }

    std::optional<Measurement> lastMeasurement;

private:
    DesignOutcome& outcome_;
};

bool sameValue(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

}  // namespace

bool DesignOutcome::converged() const
{
    const bool everySolve =
        std::all_of(solves.begin(), solves.end(), [](const SolveRecord& s) { return s.converged.value_or(false); });
    return !error && everySolve && !locationSearchGaveUp && measuredShownSection && maxThicknessAt.has_value();
}

DesignOutcome designOutcome(const DesignInputs& inputs)
{
    DesignOutcome outcome;
    DesignState state;
    OutcomeCollector collector(outcome);
    try {
        runDesign(state, inputs, collector);
    } catch (const ArithmeticError& e) {
        outcome.error = DesignError{e.kind(), e.what()};
    }
    outcome.family = state.AirfoilType;
    outcome.F = state.F;
    outcome.G = state.G;
    outcome.m = state.EM;
    outcome.thickness = state.Delta;
    outcome.camber = state.Gamma;
    outcome.teAngle = state.Tau;
    outcome.recordedLocation = state.XDltC;

    if (const auto& last = collector.lastMeasurement) {
        outcome.maxThicknessAt = last->XDMAXC;
        outcome.measuredShownSection =
            !outcome.error && sameValue(last->F, state.F) && sameValue(last->G, state.G) && sameValue(last->EM, state.EM);
    }
    return outcome;
}

DesignState designRecord(const DesignOutcome& outcome)
{
    DesignState state;
    state.Pi = (atan(Real(1)) * 4).value();
    state.AirfoilType = outcome.family;
    state.Delta = outcome.thickness;
    state.Gamma = outcome.camber;
    state.XDltC = outcome.recordedLocation;
    state.Tau = outcome.teAngle;
    state.F = outcome.F;
    state.G = outcome.G;
    state.EM = outcome.m;
    return state;
}

}  // namespace folix
