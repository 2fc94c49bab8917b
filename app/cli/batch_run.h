#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "window/design_run.h"

namespace folix {

// The inputs of one batch row "thickness,camber,te_angle[,max_thickness_at]";
// an empty fourth field counts as absent. Gives no value, and the reason in
// `problem`, for a malformed row.
std::optional<DesignInputs> batchRowInputs(const std::vector<std::string>& fields, std::string& problem);

// Designs every row of the CSV text and writes one CSV line per row to `out`:
// the inputs, family, F, G, m, the measured location of maximum thickness and
// the status ("ok", "not converged", "error: ..." or "bad row: ..."). A first
// line of the column names (thickness,camber,te_angle[,max_thickness_at], in
// any case) is a header; blank lines are skipped; every other line is a row.
// With `save`, every row whose status is ok is appended to the results file in
// the working directory. With `alpha` (degrees) the columns Cl and Cm come
// before the status, as `folix design --alpha` finds them (should the analysis
// fail, its error is the status). Returns the exit status: 0, or 1 when
// saving failed.
int runBatch(std::string_view csv, std::ostream& out, std::ostream& err, bool save,
             std::optional<double> alpha = std::nullopt);

}  // namespace folix
