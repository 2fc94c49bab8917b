#include "camber_search.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "design/design_status.h"
#include "design/scalar_search.h"
#include "design/reported_design.h"
#include "engine/arithmetic_error.h"

namespace folix {

namespace {

// How far past the last camber an outward step may go: a secant through two
// close runs can be steep.
constexpr double kMostGrowth = 4;
// A bracket whose ends differ by this many times what the quantity's usual
// slope explains holds a jump rather than a steep stretch.
constexpr double kJumpFactor = 100;
// Closer than this to a camber whose run failed, the search stops going that way.
constexpr double kClosestFailure = 1e-9;

class Search {
public:
    Search(const DesignInputs& inputs, const CamberSearchSettings& settings, const AchievedQuantity& achieved)
        : inputs_(inputs), settings_(settings), achieved_(achieved)
    {
    }

    CamberSearch run();

private:
    // How Brent's method left a bracket.
    enum class BrentEnd { Met, Collapsed, OutOfRuns, RunFailed };

    CamberProbe probe(double camber);
    double miss(const CamberProbe& p) const { return *p.achieved - settings_.target; }
    bool meets(const CamberProbe& p) const { return std::abs(miss(p)) <= settings_.tolerance; }
    bool outOfRuns() const { return result_.runs >= settings_.mostRuns; }
    void record(const CamberProbe& p);
    std::optional<double> outwardStep() const;
    CamberSearch end(CamberSearchEnd how);
    CamberSearch bracketed(CamberProbe b, CamberProbe c);
    BrentEnd brent(CamberProbe& b, CamberProbe& c);
    bool aroundFailure(CamberProbe& b, CamberProbe& c);
    CamberSearch jumpOrOutOfRuns(const CamberProbe& b, const CamberProbe& c);

    const DesignInputs& inputs_;
    const CamberSearchSettings& settings_;
    const AchievedQuantity& achieved_;
    CamberSearch result_;
    std::optional<CamberProbe> previous_;  // the good run before the latest, for a secant
    std::optional<CamberProbe> latest_;    // the latest good run
    int failuresInARow_ = 0;
};

CamberProbe Search::probe(double camber)
{
    ++result_.runs;
    DesignInputs inputs = inputs_;
    inputs.camber = camber;
    CamberProbe p{camber, reportedDesign(inputs), std::nullopt, ""};
    if (designStatus(p.outcome) == DesignStatus::Stopped) p.failure = "the design run stopped: " + p.outcome.error->reason;
    else if (!converged(p.outcome)) p.failure = "the design run did not converge: " + notConvergedReason(p.outcome);
    else {
        try {
            p.achieved = achieved_(p.outcome, p.failure);
        } catch (const ArithmeticError& e) {
            p.failure = std::string("the analysis stopped: ") + e.what();
        }
    }
    if (camber == 0) result_.atZero = p;
    return p;
}

void Search::record(const CamberProbe& p)
{
    if (!p.achieved) {
        result_.failed = p;
        ++failuresInARow_;
        return;
    }
    failuresInARow_ = 0;
    previous_ = std::exchange(latest_, p);
    if (!result_.highest || *p.achieved > *result_.highest->achieved) result_.highest = p;
    std::optional<CamberProbe>& side = miss(p) < 0 ? result_.below : result_.above;
    if (!side || std::abs(miss(p)) < std::abs(miss(*side))) side = p;
}

CamberSearch Search::end(CamberSearchEnd how)
{
    result_.end = how;
    return std::move(result_);
}

// The next camber while every good run falls on one side of the target: a
// secant through the last two runs, else the slope guessed, kept within 0 and
// kMostCamber. The design run fails on narrow ranges of camber, and on all
// beyond some camber: after one failure on the way the step goes as far
// again beyond it, after more (or where that is out of range) halfway back
// toward the last good run, and a secant step stops halfway to a failure
// ahead. None when there is nowhere left to go.
std::optional<double> Search::outwardStep() const
{
    const CamberProbe& last = *latest_;
    const bool needMore = miss(last) < 0;
    const std::optional<CamberProbe>& failed = result_.failed;
    const bool failureAhead = failed && (failed->camber > last.camber) == needMore;
    if (failureAhead && std::abs(failed->camber - last.camber) <= kClosestFailure) return std::nullopt;
    const double halfway = failureAhead ? (last.camber + failed->camber) / 2 : 0;
    double next = 0;
    if (failuresInARow_ > 0) {
        const double beyond = 2 * failed->camber - last.camber;
        next = failuresInARow_ == 1 && beyond >= 0 && beyond <= kMostCamber ? beyond : halfway;
    } else {
        double slope = settings_.slopeGuess;
        if (previous_ && previous_->camber != last.camber) {
            const double secant = (*last.achieved - *previous_->achieved) / (last.camber - previous_->camber);
            if (secant > 0) slope = secant;
            else if (needMore == (last.camber > previous_->camber)) return std::nullopt;  // more camber stopped adding
        }
        next = last.camber - miss(last) / slope;
        const double reach =
            kMostGrowth * std::max(std::abs(last.camber - (previous_ ? previous_->camber : 0.0)), 0.01);
        next = std::clamp(next, last.camber - reach, last.camber + reach);
        if (failureAhead) next = needMore ? std::min(next, halfway) : std::max(next, halfway);
    }
    next = std::clamp(next, 0.0, kMostCamber);
    if (next == last.camber || (failed && next == failed->camber)) return std::nullopt;
    return next;
}

CamberSearch Search::run()
{
    CamberProbe first = probe(settings_.firstCamber);
    record(first);
    while (!first.achieved) {
        if (first.camber == 0 || outOfRuns()) return end(CamberSearchEnd::RunFailed);
        first = probe(0);  // a warm start that fails: begin again from the symmetric section
        record(first);
    }
    for (;;) {
        if (meets(*latest_)) {
            result_.met = latest_;
            return end(CamberSearchEnd::Met);
        }
        if (result_.below && result_.above) return bracketed(*result_.below, *result_.above);
        const bool needMore = miss(*latest_) < 0;
        if (!needMore && latest_->camber == 0) return end(CamberSearchEnd::BelowNoCamber);
        if (outOfRuns()) return end(needMore && result_.failed ? CamberSearchEnd::BeyondReach : CamberSearchEnd::OutOfRuns);
        const std::optional<double> next = outwardStep();
        if (!next) return end(needMore ? CamberSearchEnd::BeyondReach : CamberSearchEnd::RunFailed);
        record(probe(*next));
    }
}

// b and c hold the target between them. Brent's method until it is met; a run
// that fails inside is stepped around.
CamberSearch Search::bracketed(CamberProbe b, CamberProbe c)
{
    for (;;) {
        switch (brent(b, c)) {
        case BrentEnd::Met: return end(CamberSearchEnd::Met);
        case BrentEnd::Collapsed: return end(CamberSearchEnd::Jump);
        case BrentEnd::OutOfRuns: return jumpOrOutOfRuns(b, c);
        case BrentEnd::RunFailed:
            if (!aroundFailure(b, c)) return end(CamberSearchEnd::RunFailed);
        }
    }
}

// Brent's method (secant, inverse quadratic interpolation, bisection): b is
// the best run, c the end across the target from it, a the previous b. Leaves
// the last bracket in b and c, the closest runs on either side in below and above.
Search::BrentEnd Search::brent(CamberProbe& b, CamberProbe& c)
{
    if (std::abs(miss(c)) < std::abs(miss(b))) std::swap(b, c);
    CamberProbe a = c;
    double d = b.camber - c.camber;
    double e = d;
    for (;;) {
        result_.below = miss(b) < 0 ? b : c;
        result_.above = miss(b) < 0 ? c : b;
        const double step =
            2 * std::numeric_limits<double>::epsilon() * std::abs(b.camber) + std::numeric_limits<double>::min();
        const double half = (c.camber - b.camber) / 2;
        if (std::abs(half) <= step) return BrentEnd::Collapsed;  // adjacent cambers across the target
        if (outOfRuns()) return BrentEnd::OutOfRuns;
        const double next = brentNext({a.camber, miss(a)}, {b.camber, miss(b)}, {c.camber, miss(c)}, step, d, e);
        CamberProbe tried = probe(next);
        record(tried);
        if (!tried.achieved) return BrentEnd::RunFailed;
        if (meets(tried)) {
            result_.met = std::move(tried);
            return BrentEnd::Met;
        }
        a = std::exchange(b, std::move(tried));
        if ((miss(b) > 0) == (miss(c) > 0)) {
            c = a;
            d = b.camber - a.camber;
            e = d;
        }
        if (std::abs(miss(c)) < std::abs(miss(b))) {
            std::swap(b, c);
            a = c;  // the previous best
        }
    }
}

// A run failed between b and c: halfway from each end toward it, a run that
// crosses the target gives a bracket without the failure. False when none does.
bool Search::aroundFailure(CamberProbe& b, CamberProbe& c)
{
    const double failedCamber = result_.failed->camber;
    for (CamberProbe* side : {&b, &c}) {
        if (outOfRuns()) return false;
        CamberProbe tried = probe((side->camber + failedCamber) / 2);
        record(tried);
        if (!tried.achieved) continue;
        if ((miss(tried) > 0) != (miss(*side) > 0)) {
            (side == &b ? c : b) = std::move(tried);
            return true;
        }
        *side = std::move(tried);
    }
    return false;
}

// Out of runs with the target still bracketed: a jump when the design run
// iterates differently at the two ends, or when the ends differ by far more
// than the quantity's slope explains.
CamberSearch Search::jumpOrOutOfRuns(const CamberProbe& b, const CamberProbe& c)
{
    const double rise = std::abs(*b.achieved - *c.achieved);
    const double smoothRise = settings_.slopeGuess * std::abs(b.camber - c.camber);
    const bool jump = measurementCount(b.outcome) != measurementCount(c.outcome) || rise > kJumpFactor * smoothRise;
    return end(jump ? CamberSearchEnd::Jump : CamberSearchEnd::OutOfRuns);
}

}  // namespace

int measurementCount(const DesignOutcome& outcome)
{
    int count = 0;
    for (const SolveRecord& solve : outcome.solves) count += solve.measurements;
    return count;
}

CamberSearch searchCamber(const DesignInputs& inputs, const CamberSearchSettings& settings,
                          const AchievedQuantity& achieved)
{
    return Search(inputs, settings, achieved).run();
}

}  // namespace folix
