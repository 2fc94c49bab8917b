#pragma once

#include <string>
#include <string_view>

namespace folix {

// A file name as every message shows it: as it is, unless it holds a control
// character (a line end, a tab, an escape, DEL, or U+0080 to U+009F) or bytes
// that are no UTF-8 text. Such a name is shown in double quotes with C escapes
// (\n, \r, \t, \", \\, and \xHH for any other of those bytes), so that a name
// can neither start a line of its own in a message nor steer the terminal.
std::string shownFileName(std::string_view name);

}  // namespace folix
