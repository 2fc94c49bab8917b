#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "design/design_outcome.h"
#include "results/results_file.h"

namespace folix {

// Why the design of an outcome may not be saved, as a phrase ("the last design
// run stopped on an error"); none when it may. A run that stopped left a
// record mixing two runs, and one that did not converge only the last values
// tried: neither is a design. An outcome of no run saves the unset record, as
// "Save result" does before the first design.
std::optional<std::string> saveRefusal(const DesignOutcome& outcome);

// The refusal as the window says it: "The last design run stopped on an
// error; design again before saving."
std::string saveRefusalMessage(const std::string& refusal);

struct DesignSave {
    std::optional<std::string> refused;  // set when the rules refused it: nothing was touched
    SaveResult result;                   // the save command's result otherwise
};

// "Save result" for every front end: the save rules, then the save command on
// the outcome's record.
DesignSave saveDesign(const DesignOutcome& outcome, const std::filesystem::path& file = kResultsFileName);

}  // namespace folix
