#pragma once

#include <cstddef>
#include <filesystem>

#include <pybind11/numpy.h>

namespace folix::python {

// folix.read_results: the records of a results file as a numpy structured
// array, read as the save command reads them; raises the OSError a save would
// where the file cannot be read, and a ValueError when it holds more than
// `mostRecords` records.
pybind11::array readResults(const std::filesystem::path& file, std::size_t mostRecords);

}  // namespace folix::python
