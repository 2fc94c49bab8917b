#include "save_design.h"

#include "design/design_save.h"
#include "engine/arithmetic_error.h"
#include "results/shown_file_name.h"

namespace folix {

bool saveOutcome(const DesignOutcome& outcome, std::ostream& err, const std::string& where)
{
    try {
        const DesignSave save = saveDesign(outcome);
        if (save.refused) {
            err << "error: " << where << "not saved: " << *save.refused << '\n';
            return false;
        }
        const SaveResult& saved = save.result;
        if (saved.outcome == SaveOutcome::Duplicate)
            err << "folix: " << where << "an equal design is already recorded in " << shownFileName(saved.file.string())
                << "; not saved again\n";
        if (saved.outcome != SaveOutcome::Failed) return true;
        err << "error: " << where << "cannot save to " << shownFileName(saved.file.string()) << ": " << saved.reason << '\n';
    } catch (const ArithmeticError& e) {
        err << "error: " << where << "cannot save: " << e.what() << '\n';
    }
    return false;
}

}  // namespace folix
