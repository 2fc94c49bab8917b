#pragma once

#include <string>

#include "design/design_inputs.h"
#include "design/design_outcome.h"

namespace folix {

// The texts of the window's four input boxes and its mode, as typed.
struct TypedInputs {
    std::string delta = "0.10";
    std::string gamma = "0.00";
    std::string tau = "0";
    std::string xDltc = "0.00";
    bool locationMode = false;
};

// The numbers the window's run reads from its boxes, by leading-number
// reading: "." always the decimal point, 0 for a text without a number. The
// location box is read only in location mode. Raises the overflow error for a
// number beyond the double range.
DesignInputs readTypedInputs(const TypedInputs& typed);

// Whether a run on `now` would read the very numbers a run on `ran` read, in
// the same mode: if not, what that run shows no longer answers the boxes.
// Texts that overflow compare as texts.
bool sameReading(const TypedInputs& ran, const TypedInputs& now);

// "Design airfoil" on the boxes' texts, the numbers in the history and texts
// with the given decimal separator. A text that overflows stops the run after
// the history's title.
DesignOutcome typedDesignOutcome(const TypedInputs& typed, const std::string& decimalSeparator = ".");

}  // namespace folix
