#pragma once

#include <ostream>
#include <string>

#include "design/design_outcome.h"

namespace folix {

// "Save result" for the command line: the design layer's save of the outcome,
// reporting a refusal or a failure ("error: ...") or a duplicate (naming the
// file) on `err`, each after `where`. Returns false when the design was not
// saved; a duplicate counts as saved.
bool saveOutcome(const DesignOutcome& outcome, std::ostream& err, const std::string& where = "");

}  // namespace folix
