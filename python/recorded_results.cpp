#include "recorded_results.h"

#include <limits>
#include <vector>

#include "python_errors.h"
#include "results/results_file.h"

namespace py = pybind11;

namespace folix::python {

namespace {

// The fields of a record line in the file's order (Delta, Gamma, xDltC, Tau,
// F, G, m), by the names the module gives them.
constexpr const char* kFieldNames[kFieldsPerRecord] = {"thickness", "camber", "max_thickness_at", "te_angle",
                                                      "F",         "G",      "m"};

}  // namespace

py::array readResults(const std::filesystem::path& file, std::size_t mostRecords)
{
    RecordedResults read;
    {
        // Another saver may hold the file's lock for a few seconds.
        const py::gil_scoped_release unlocked;
        // One more than allowed tells that there are too many.
        const std::size_t asked = mostRecords < std::numeric_limits<std::size_t>::max() ? mostRecords + 1 : mostRecords;
        read = readResultsFile(file, asked);
    }
    if (read.failure) raiseSaveError(*read.failure);
    if (read.records.size() > mostRecords)
        throw py::value_error(file.string() + " holds more than " + std::to_string(mostRecords) +
                              " records; a larger max_records reads them");

    py::list fields;
    for (const char* name : kFieldNames) fields.append(py::make_tuple(name, "f8"));
    py::array records(py::dtype::from_args(fields), std::vector<py::ssize_t>{static_cast<py::ssize_t>(read.records.size())});
    auto* values = static_cast<double*>(records.mutable_data());
    for (const RecordedDesign& record : read.records)
        for (const RecordedField& field : record)
            *values++ = field.value_or(std::numeric_limits<double>::quiet_NaN());
    return records;
}

}  // namespace folix::python
