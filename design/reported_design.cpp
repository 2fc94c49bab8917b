#include "reported_design.h"

#include "engine/section_measurement.h"

namespace folix {

namespace {

class MeasurementOnly : public HistorySink {
public:
    void append(const std::string&) override {}
    void sectionMeasured(const Measurement& measurement) override { location = measurement.XDMAXC; }
    std::optional<double> location;
};

// The location of maximum thickness of F, G, m, measured on scratch tables;
// none when the measurement stops at its table limit.
std::optional<double> measuredLocation(double F, double G, double EM)
{
    DesignState scratch;
    MeasurementOnly silent;
    double DMAX = 0;
    double GMAX = 0;
    double XDMAXC = 0;
    DGX(scratch, silent, F, G, EM, DMAX, GMAX, XDMAXC);
    return silent.location;
}

}  // namespace

DesignOutcome reportedDesign(const DesignInputs& inputs)
{
    DesignOutcome outcome = designOutcome(inputs);
    if (outcome.error || outcome.measuredShownSection) return outcome;
    try {
        outcome.maxThicknessAt = measuredLocation(outcome.F, outcome.G, outcome.m);
        outcome.measuredShownSection = true;
    } catch (const ArithmeticError& e) {
        outcome.error = DesignError{e.kind(), e.what()};
    }
    return outcome;
}

}  // namespace folix
