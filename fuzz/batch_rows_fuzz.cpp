// Arbitrary bytes as a `folix batch` file, without saving: the status is 0,
// or 2 with nothing written for an input without a row of numbers or with an
// unusable header; no exception leaves the run.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string_view>

#include "app/cli/batch_run.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view csv(reinterpret_cast<const char*>(data), size);
    std::ostringstream out;
    std::ostringstream err;
    const int status = folix::runBatch(csv, out, err, false);
    if (status != 0 && (status != 2 || !out.str().empty())) {
        std::fprintf(stderr, "a batch without saving ended with status %d: %s\n", status, err.str().c_str());
        std::abort();
    }
    return 0;
}
