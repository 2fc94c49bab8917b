#include "design_save.h"

#include "design/design_status.h"

namespace folix {

std::optional<std::string> saveRefusal(const DesignOutcome& outcome)
{
    switch (designStatus(outcome)) {
    case DesignStatus::Ok:
    case DesignStatus::SurfacesCross: return std::nullopt;
    case DesignStatus::Stopped: return "the last design run stopped on an error";
    case DesignStatus::NotConverged: break;
    }
    if (!outcome.ran()) return std::nullopt;
    return "the last design run did not converge (" + notConvergedReason(outcome) + ")";
}

std::string saveRefusalMessage(const std::string& refusal)
{
    std::string message = refusal;
    if (!message.empty() && message[0] >= 'a' && message[0] <= 'z') message[0] = static_cast<char>(message[0] - 'a' + 'A');
    return message + "; design again before saving.";
}

DesignSave saveDesign(const DesignOutcome& outcome, const std::filesystem::path& file)
{
    DesignSave save;
    save.refused = saveRefusal(outcome);
    if (save.refused) return save;
    DesignState state = designState(outcome.record);
    save.result = saveResult(state, file);
    return save;
}

}  // namespace folix
