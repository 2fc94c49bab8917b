#include "python_errors.h"

#include <cmath>

#include <pybind11/eval.h>
#include <pybind11/stl.h>

#include "engine/arithmetic_error.h"
#include "results/shown_file_name.h"

namespace py = pybind11;

namespace folix::python {

namespace {

// A class written in Python: its constructor takes the three parts, and it
// pickles whole (multiprocessing hands exceptions between processes).
constexpr const char* kDesignErrorClass = R"(
class DesignError(ArithmeticError):
    """A design run, or the analysis of its section, stopped on an arithmetic error.

    kind: the reason, one of "Division by zero", "Invalid argument",
          "Overflow", "Subscript out of range".
    history: the iteration-history lines written before the stop.
    hint: what to change, naming the input and its limit, when the cause is
          known; else None. The message ends with it too.
    """

    def __init__(self, message, kind, history, hint=None):
        super().__init__(message)
        self.kind = kind
        self.history = list(history)
        self.hint = hint

    def __reduce__(self):
        return (type(self), (str(self), self.kind, self.history, self.hint))
)";

// A save that failed for a reason without an error number: the lock held
// elsewhere, a name that is no regular file. Its text is the reason and the
// file, where OSError's own would read "[Errno None] None: '...'".
constexpr const char* kSaveErrorClass = R"(
class SaveError(OSError):
    """The design could not be saved to the results file.

    strerror: the reason, e.g. "the results file is locked by another program".
    filename: the results file.
    """

    def __init__(self, message, reason, filename):
        super().__init__(None, reason, filename)
        self.message = message

    def __str__(self):
        return self.message

    def __reduce__(self):
        return (type(self), (self.message, self.strerror, self.filename))
)";

// The classes, with a reference held for the life of the process: a static
// py::object would let them go after the interpreter has ended.
PyObject* designErrorClass = nullptr;
PyObject* saveErrorClass = nullptr;

void setError(const py::object& exception)
{
    PyErr_SetObject(reinterpret_cast<PyObject*>(Py_TYPE(exception.ptr())), exception.ptr());
}

[[noreturn]] void raise(const py::object& exception)
{
    setError(exception);
    throw py::error_already_set();
}

py::object designError(const std::string& message, const std::string& kind, const std::vector<std::string>& history,
                       const std::optional<std::string>& hint)
{
    return py::handle(designErrorClass)(hint ? message + " (" + *hint + ")" : message, kind, history, hint);
}

}  // namespace

void addDesignError(py::module_& module)
{
    py::exec(kDesignErrorClass, module.attr("__dict__"));
    designErrorClass = py::object(module.attr("DesignError")).release().ptr();
    py::exec(kSaveErrorClass, module.attr("__dict__"));
    saveErrorClass = py::object(module.attr("SaveError")).release().ptr();
    // NOLINTNEXTLINE(performance-unnecessary-value-param): the translator type takes it by value
    py::register_local_exception_translator([](std::exception_ptr thrown) {
        try {
            if (thrown) std::rethrow_exception(thrown);
        } catch (const ArithmeticError& e) {
            setError(designError(e.what(), e.what(), {}, std::nullopt));
        }
    });
}

void raiseDesignError(const std::string& message, const std::string& kind, const std::vector<std::string>& history,
                      const std::optional<std::string>& hint)
{
    raise(designError(message, kind, history, hint));
}

void raiseSaveError(const SaveResult& failed)
{
    const std::string file = failed.file.string();
    if (failed.errorNumber != 0)
        raise(py::module_::import("builtins").attr("OSError")(failed.errorNumber, failed.reason, file));
    raise(py::handle(saveErrorClass)(failed.reason + ": " + shownFileName(file), failed.reason, file));
}

void raiseSaveRefusal(const std::string& refusal)
{
    throw py::value_error("not saved: " + refusal);
}

double finite(double value, const char* what)
{
    if (!std::isfinite(value)) throw py::value_error(std::string(what) + " must be a finite number, not " +
                                                     py::repr(py::float_(value)).cast<std::string>());
    return value;
}

}  // namespace folix::python
