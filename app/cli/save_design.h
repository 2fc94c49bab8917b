#pragma once

#include <ostream>
#include <string>

#include "engine/design_state.h"

namespace folix {

// "Save result" for the command line: runs the window's save command and
// reports a duplicate (naming the file) or a failure ("error: ...") on `err`,
// each with `where`. Returns false when the design could not be saved; a
// duplicate counts as saved.
bool saveDesign(DesignState& design, std::ostream& err, const std::string& where = "");

}  // namespace folix
