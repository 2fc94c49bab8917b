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

}  // namespace

DesignOutcome reportedDesign(const DesignInputs& inputs)
{
    DesignOutcome outcome = designOutcome(inputs);
    if (outcome.error || outcome.measuredShownSection) return outcome;

    DesignState scratch;
    MeasurementOnly silent;
    double F = outcome.F;
    double G = outcome.G;
    double EM = outcome.m;
    double DMAX = 0;
    double GMAX = 0;
    double XDMAXC = 0;
    try {
        DGX(scratch, silent, F, G, EM, DMAX, GMAX, XDMAXC);
        outcome.maxThicknessAt = silent.location;
        outcome.measuredShownSection = true;
    } catch (const ArithmeticError& e) {
        outcome.error = DesignError{e.kind(), e.what()};
    }
    return outcome;
}

}  // namespace folix
