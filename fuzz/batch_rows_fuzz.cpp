// Arbitrary bytes as a `folix batch` file, without saving: every row gets its
// line in the output and the status is 0; no exception leaves the run.

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
    if (folix::runBatch(csv, out, err, false) != 0) {
        std::fprintf(stderr, "a batch without saving ended with status 1: %s\n", err.str().c_str());
        std::abort();
    }
    return 0;
}
