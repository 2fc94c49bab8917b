#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "design/design_outcome.h"
#include "engine/arithmetic_error.h"

namespace folix::python {

// The small integer codes that design_many gives a row's family and status:
// code k is named names[k]. They never change meaning, so that a code may be
// kept and compared across calls and versions.
using Code = std::uint8_t;

// "", "JOUKOWSKY AIRFOIL", "KARMAN-TREFFTZ AIRFOIL": none for a run that stopped first.
std::vector<std::string> familyNames();
Code familyCode(const std::string& family);

// "ok", "not converged", "surfaces cross", "error: Division by zero",
// "error: Invalid argument", "error: Overflow", "error: Subscript out of
// range", "bad row": the batch's status texts, the bad row's reason aside.
std::vector<std::string> statusNames();
inline constexpr Code kBadRowCode = 7;
Code statusCode(const DesignOutcome& outcome);
Code errorCode(ErrorKind kind);

}  // namespace folix::python
