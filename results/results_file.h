#pragma once

#include <filesystem>
#include <string>

#include "engine/design_state.h"

namespace folix {

inline constexpr const char* kResultsFileName = "Folix_Input.txt";
inline constexpr const char* kDuplicateMessage = "Bu parametreler halihaz\u0131rda dosyada kay\u0131tl\u0131d\u0131r!";

enum class SaveOutcome {
    Created,    // the file did not exist (or was empty): header, empty line and the record
    Appended,   // one record line added at the end
    Duplicate,  // an equal design is recorded already; the file is untouched
    Failed,     // the file could not be written; it is left exactly as it was
};

struct SaveResult {
    SaveOutcome outcome = SaveOutcome::Failed;
    std::filesystem::path file;
    std::string reason;  // for Failed: the system's reason
};

// "Save result": sets Tau to the degrees that EM implies, then records the
// design in the results file unless an equal design is there already.
SaveResult saveResult(DesignState& state, const std::filesystem::path& file = kResultsFileName);

}  // namespace folix
