#include "results_file.h"

namespace folix {

SaveResult saveResult(DesignState& state, const std::filesystem::path& file)
{
    state.Tau = (2 - state.EM) * 180;
    return {SaveOutcome::Failed, file, "saving is not available yet"};
}

}  // namespace folix
