#include "design_batch.h"

namespace folix {

std::vector<DesignOutcome> designOutcomes(const std::vector<DesignInputs>& inputs, unsigned jobs)
{
    std::vector<DesignOutcome> outcomes(inputs.size());
    forEachIndex(inputs.size(), jobs, [&](std::size_t i) { outcomes[i] = designOutcome(inputs[i]); });
    return outcomes;
}

}  // namespace folix
