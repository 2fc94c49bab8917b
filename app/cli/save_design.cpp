#include "save_design.h"

#include "engine/arithmetic_error.h"
#include "results/results_file.h"

namespace folix {

bool saveDesign(DesignState& design, std::ostream& err, const std::string& where)
{
    try {
        const SaveResult saved = saveResult(design);
        if (saved.outcome == SaveOutcome::Duplicate)
            err << "folix: " << where << "an equal design is already recorded in " << saved.file.string()
                << "; not saved again\n";
        if (saved.outcome != SaveOutcome::Failed) return true;
        err << "error: " << where << "cannot save to " << saved.file.string() << ": " << saved.reason << '\n';
    } catch (const ArithmeticError& e) {
        err << "error: " << where << "cannot save: " << e.what() << '\n';
    }
    return false;
}

}  // namespace folix
