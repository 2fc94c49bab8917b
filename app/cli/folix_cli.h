#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace folix {

// The folix command: `args` are the arguments after the program name, `in`
// serves "folix batch -". A batch shows its progress on `err` when that is a
// terminal. Returns the exit status: 0 done, 1 a design, an analysis, a file
// write or a save failed, 2 the command line or the batch file is unusable.
int runFolix(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err,
             bool errIsTerminal = false);

}  // namespace folix
