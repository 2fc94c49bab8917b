#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <pybind11/pybind11.h>

#include "results/results_file.h"

namespace folix::python {

// Defines folix.DesignError and folix.SaveError in the module and turns every
// ArithmeticError that reaches Python into a DesignError.
void addDesignError(pybind11::module_& module);

// Raises folix.DesignError: `message` as its text, `kind` the reason
// ("Division by zero", ...), `history` the lines written before the stop,
// `hint` what to change when the cause is known (its text ends the message).
[[noreturn]] void raiseDesignError(const std::string& message, const std::string& kind,
                                   const std::vector<std::string>& history,
                                   const std::optional<std::string>& hint = std::nullopt);

// Raises the OSError of a failed save, naming the file: the subclass of its
// errno (PermissionError, IsADirectoryError, ...) when it has one, else
// folix.SaveError, whose text is the reason and the file.
[[noreturn]] void raiseSaveError(const SaveResult& failed);

// Raises the ValueError of a save the rules refused: "not saved: <refusal>".
[[noreturn]] void raiseSaveRefusal(const std::string& refusal);

// `value` when it is finite; a ValueError naming `what` otherwise.
double finite(double value, const char* what);

}  // namespace folix::python
