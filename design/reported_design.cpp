#include "reported_design.h"

#include "engine/section_measurement.h"

namespace folix {

DesignOutcome reportedDesign(const DesignInputs& inputs)
{
    DesignOutcome outcome = designOutcome(inputs);
    if (outcome.error || outcome.measuredShownSection) return outcome;
    try {
        const DesignRecord& shown = outcome.record;
        outcome.maxThicknessAt = measureSection(shown.F, shown.G, shown.m).XDMAXC;
        outcome.measuredShownSection = true;
    } catch (const ArithmeticError& e) {
        outcome.error = DesignError{e.kind(), e.what()};
    }
    return outcome;
}

}  // namespace folix
