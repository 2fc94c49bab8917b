#include "safeguarded_solve.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "engine/lens_limit.h"
#include "engine/parameter_solver.h"
#include "engine/real.h"
#include "engine/section_measurement.h"

namespace folix {

namespace {

constexpr double kTolerance = 0.00001;  // FGITER's, on both ratios
constexpr double kDifferenceStep = 0.0001;
constexpr int kMostHalvings = 8;
constexpr double kKeptShare = 0.25;  // of F (and G) that one step keeps at least

struct Trial {
    double F = 0;
    double G = 0;
};

struct Measured {
    double F = 0;
    double G = 0;
    double D = 0;
    double GM = 0;
    double XDMAXC = 0;
};

// A symmetric section keeps G = 0, as FGITER keeps it; a cambered one needs G > 0.
bool inDomain(const Trial& trial, double Gamma)
{
    return trial.F > 0 && (Gamma == 0 ? trial.G == 0 : trial.G > 0);
}

// Passes everything on, noting the last completed trial inside the domain
// and whether the solve gave up.
class TrialLog : public HistorySink {
public:
    TrialLog(HistorySink& to, double Gamma) : to_(to), Gamma_(Gamma) {}
    void append(const std::string& line) override { to_.append(line); }
    std::string decimalSeparator() const override { return to_.decimalSeparator(); }
    void solveStarted(double EM) override { to_.solveStarted(EM); }
    void sectionMeasured(const Measurement& measurement) override
    {
        if (measurement.XDMAXC && inDomain({measurement.F, measurement.G}, Gamma_))
            lastGood = Trial{measurement.F, measurement.G};
        to_.sectionMeasured(measurement);
    }
    void solveEnded(bool converged) override
    {
        gaveUp = !converged;
        to_.solveEnded(converged);
    }

    std::optional<Trial> lastGood;
    bool gaveUp = false;

private:
    HistorySink& to_;
    double Gamma_;
};

// What the safeguarded solve writes, held back until it has succeeded.
class HeldHistory : public HistorySink {
public:
    explicit HeldHistory(std::string separator) : separator_(std::move(separator)) {}
    void append(const std::string& line) override { entries_.emplace_back(line); }
    std::string decimalSeparator() const override { return separator_; }
    void sectionMeasured(const Measurement& measurement) override
    {
        entries_.emplace_back(measurement);
        lastCompleted = measurement.XDMAXC.has_value();
    }

    void passOn(HistorySink& to) const
    {
        for (const auto& entry : entries_) {
            if (const auto* line = std::get_if<std::string>(&entry)) to.append(*line);
            else to.sectionMeasured(std::get<Measurement>(entry));
        }
    }

    bool lastCompleted = false;

private:
    std::string separator_;
    std::vector<std::variant<std::string, Measurement>> entries_;
};

// The exponent solved at and the two ratios to meet.
struct Targets {
    double EM = 0;
    double Delta = 0;
    double Gamma = 0;
};

// The safeguarded solve's measurements, on a copy of the record.
struct Measuring {
    DesignState scratch;
    HeldHistory held;
    Targets targets;
    int used = 0;

    // None when the section cannot be measured, the measurement stopped at its
    // table limit or the measurements are used up.
    std::optional<Measured> operator()(const Trial& trial)
    {
        if (exhausted()) return std::nullopt;
        ++used;
        double F = trial.F;
        double G = trial.G;
        double EM = targets.EM;
        double D = 0;
        double GM = 0;
        double XDMAXC = 0;
        held.lastCompleted = false;
        try {
            DGX(scratch, held, F, G, EM, D, GM, XDMAXC);
        } catch (const ArithmeticError&) {
            return std::nullopt;
        }
        if (!held.lastCompleted) return std::nullopt;
        return Measured{F, G, D, GM, XDMAXC};
    }

    bool exhausted() const { return used >= kMostSafeguardedMeasurements; }
};

bool meets(const Measured& m, const Targets& t)
{
    return abs(Real(m.D) - t.Delta) <= kTolerance && abs(Real(m.GM) - t.Gamma) <= kTolerance;
}

// The larger miss of the two ratios.
double miss(const Measured& m, const Targets& t)
{
    return std::max(abs(Real(m.D) - t.Delta).value(), abs(Real(m.GM) - t.Gamma).value());
}

// The Newton step from `at` on difference quotients towards its neighbours in
// F and, when cambered, in G.
Trial newtonStep(const Measured& at, const Measured& nextF, const std::optional<Measured>& nextG, const Targets& t)
{
    const Real h = kDifferenceStep;
    const Real missD = Real(at.D) - t.Delta;
    const Real dD_dF = (Real(nextF.D) - at.D) / h;
    if (!nextG) return {(-missD / dD_dF).value(), 0};
    const Real missGM = Real(at.GM) - t.Gamma;
    const Real dGM_dF = (Real(nextF.GM) - at.GM) / h;
    const Real dD_dG = (Real(nextG->D) - at.D) / h;
    const Real dGM_dG = (Real(nextG->GM) - at.GM) / h;
    const Real det = dD_dF * dGM_dG - dD_dG * dGM_dF;
    return {((dD_dG * missGM - dGM_dG * missD) / det).value(), ((dGM_dF * missD - dD_dF * missGM) / det).value()};
}

// The share of `step` that keeps F and G inside the domain with kKeptShare of
// their value at least, and moves neither by more than its own size or the
// target's (steps that long come only from a nearly singular Jacobian).
Real stepShare(const Measured& at, const Trial& step, const Targets& t)
{
    Real share = 1;
    const auto limit = [&share](Real value, Real change, Real scale) {
        if (change < 0) share = std::min(share, (1 - Real(kKeptShare)) * value / -change);
        if (abs(change) > scale) share = std::min(share, scale / abs(change));
    };
    limit(at.F, step.F, std::max(at.F, t.Delta));
    if (t.Gamma != 0) limit(at.G, step.G, std::max(at.G, t.Gamma));
    return share;
}

// Damped Newton from `start`: the first complete measurement that meets both
// ratios; none when the steps lead nowhere or their own arithmetic fails.
std::optional<Measured> newtonSolve(Measuring& measure, const Trial& start)
try {
    const Targets& t = measure.targets;
    std::optional<Measured> at = measure(start);
    while (at && !meets(*at, t)) {
        const std::optional<Measured> nextF = measure({at->F + kDifferenceStep, at->G});
        if (!nextF || meets(*nextF, t)) return nextF;
        std::optional<Measured> nextG;
        if (t.Gamma != 0) {
            nextG = measure({at->F, at->G + kDifferenceStep});
            if (!nextG || meets(*nextG, t)) return nextG;
        }
        const Trial step = newtonStep(*at, *nextF, nextG, t);
        Real share = stepShare(*at, step, t);
        std::optional<Measured> next;
        for (int halving = 0; halving <= kMostHalvings; ++halving, share = share / 2) {
            next = measure({(at->F + share * step.F).value(), (at->G + share * step.G).value()});
            if (next && miss(*next, t) < miss(*at, t)) break;
            next.reset();
        }
        at = next;
    }
    if (at && meets(*at, t)) return at;
    return std::nullopt;
} catch (const ArithmeticError&) {
    return std::nullopt;
}

// No section has a negative camber ratio (DGX measures none below 0), nor a
// thickness ratio at or below that of its exponent's lens, nor a trailing-edge
// angle of a full turn or more (m <= 0).
bool sectionCanExist(const Targets& t)
{
    if (t.Gamma < 0 || !(t.Delta > 0) || !(t.EM > 0)) return false;
    const std::optional<double> thinnest = lensThickness(t.EM, t.Gamma);
    return !thinnest || t.Delta > *thinnest;
}

// Takes over a solve FGITER did not finish; true when it met both ratios,
// having then written its lines and set F, G, XDMAXC and the tables.
bool takeOver(DesignState& state, DesignFrontEnd& frontEnd, const TrialLog& log, const std::string& why,
              const Targets& targets, double& XDMAXC, double& F, double& G)
{
    std::optional<Measured> found;
    Measuring measure{state, HeldHistory(frontEnd.decimalSeparator()), targets};
    try {
        if (!sectionCanExist(targets)) return false;
        // FGITER's own first guess when no trial of it is of use, or its last good one leads nowhere.
        const Trial firstGuess{(Real(targets.Delta) / 1.3).value(), (2 * Real(targets.Gamma)).value()};
        if (log.lastGood) found = newtonSolve(measure, *log.lastGood);
        if (!found) found = newtonSolve(measure, firstGuess);
    } catch (const ArithmeticError&) {
        return false;
    }
    if (!found) return false;

    frontEnd.append(kSafeguardedSolveLine + why);
    frontEnd.safeguardedSolveStarted();
    measure.held.passOn(frontEnd);
    frontEnd.solveEnded(true);
    state.XU = measure.scratch.XU;
    state.YU = measure.scratch.YU;
    state.XL = measure.scratch.XL;
    state.YL = measure.scratch.YL;
    F = found->F;
    G = found->G;
    XDMAXC = found->XDMAXC;
    return true;
}

}  // namespace

void solveForFG(DesignState& state, DesignFrontEnd& frontEnd, double& EM, double& XDMAXC, double& Delta,
                double& Gamma, double& F, double& G)
{
    TrialLog log(frontEnd, Gamma);
    const Targets targets{EM, Delta, Gamma};
    try {
        FGITER(state, log, EM, XDMAXC, Delta, Gamma, F, G);
    } catch (const ArithmeticError& stop) {
        if (!takeOver(state, frontEnd, log, std::string("the secant steps stopped on ") + stop.what(), targets,
                      XDMAXC, F, G))
            throw;
        return;
    }
    if (log.gaveUp) takeOver(state, frontEnd, log, "the secant steps did not converge", targets, XDMAXC, F, G);
}

}  // namespace folix
