#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

#include "engine/selig_export.h"
#include "progress_line.h"
#include "design/design_inputs.h"

namespace folix {

struct BatchOptions {
    // Every row whose status is ok is appended to the results file in the
    // working directory, in input order.
    bool save = false;
    // Degrees: the columns Cl and Cm come before the status, as `folix design
    // --alpha` finds them (should the analysis fail, its error is the status).
    std::optional<double> alpha;
    unsigned jobs = 1;           // rows designed at once
    std::size_t firstLine = 1;   // the number the input's first line has
    // A coordinate file DIR/line-000012.dat of `points` points for every row
    // whose status is ok or not converged; the folder is made when missing.
    std::optional<std::filesystem::path> datDir;
    int points = kDefaultSeligPoints;
    bool allowCrossing = false;  // coordinate files of sections whose surfaces cross too
    ProgressLine* progress = nullptr;  // told of every row done, when given
    // The signal that asks the batch to stop, 0 while none has: the rows being
    // designed are finished and written, no more are started.
    int (*interruption)() = nullptr;
};

// Designs every row of the CSV text and writes one CSV line per row to `out`,
// in input order whatever the number of jobs: the input columns (see
// batch_columns.h: with a header, known columns by name and the others
// carried through), family, F, G, m, the measured location of maximum
// thickness, the status ("ok", "not converged", "error: ..." or "bad row:
// ...") and the number of the row's first input line. Blank lines are
// skipped (their numbers too); a quoted field may hold line ends. The text
// is read, designed and written a part at a time, so any length of input
// takes little memory; once `out` fails nothing more is read.
//
// Returns the exit status: 0; 1 when a save or a coordinate file failed; 2,
// with nothing written to `out`, for a header that cannot be used or an input
// from line 1 whose first 1000 rows (all, if fewer) hold not one row of
// numbers (a part of a larger file, from firstLine on, keeps its rows); 128 +
// the signal after an interruption, once the rows done are written and the
// last input line done is told on `err`.
int runBatch(std::streambuf& csv, std::ostream& out, std::ostream& err, const BatchOptions& options);

// The same over a whole text in memory.
int runBatch(std::string_view csv, std::ostream& out, std::ostream& err, bool save,
             std::optional<double> alpha = std::nullopt);

// The rows runBatch will design from the text: its records less the blank
// ones and the header.
std::size_t countBatchRows(std::streambuf& csv);

}  // namespace folix
