#include "target_columns.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "bucket_report.h"
#include "csv_text.h"
#include "design/design_status.h"
#include "design/lift_design.h"
#include "design/reported_design.h"
#include "engine/arithmetic_error.h"
#include "strict_number.h"

namespace folix {

namespace {

struct NamedColumn {
    const char* name;
    TargetColumn column;
};

constexpr std::array<NamedColumn, 5> kColumns = {{{"cl", TargetColumn::Cl},
                                                  {"alpha", TargetColumn::Alpha},
                                                  {"ideal", TargetColumn::Ideal},
                                                  {"sigma", TargetColumn::Sigma},
                                                  {"bucket_half_width", TargetColumn::BucketHalfWidth}}};

constexpr const char* kSolvedHeader = "solved_thickness,solved_camber,solved_alpha,solved_Cl,design_runs,";
constexpr std::size_t kSolvedColumns = 5;
constexpr std::size_t kBucketColumns = 8;

const char* nameOf(TargetColumn column)
{
    return std::find_if(kColumns.begin(), kColumns.end(), [column](const NamedColumn& c) { return c.column == column; })
        ->name;
}

std::optional<bool> yesOrNo(std::string_view text)
{
    const std::string word = lowerCase(text);
    if (word.empty() || word == "0" || word == "false" || word == "no") return false;
    if (word == "1" || word == "true" || word == "yes") return true;
    return std::nullopt;
}

std::string emptyFields(std::size_t count) { return std::string(count, ','); }

std::string failureStatus(const TargetFailure& failure) { return "error: " + failure.reason + " (" + failure.hint + ")"; }

}  // namespace

std::optional<TargetColumn> targetColumnNamed(std::string_view name)
{
    const std::string lower = lowerCase(name);
    const auto* named = std::find_if(kColumns.begin(), kColumns.end(), [&](const NamedColumn& c) { return lower == c.name; });
    if (named == kColumns.end()) return std::nullopt;
    return named->column;
}

bool TargetColumns::has(TargetColumn column) const
{
    return std::any_of(fields.begin(), fields.end(), [column](const auto& f) { return f.first == column; });
}

std::size_t TargetColumns::lastField() const
{
    std::size_t last = 0;
    for (const auto& f : fields) last = std::max(last, f.second);
    return last;
}

std::string targetInputHeader(const TargetColumns& columns)
{
    std::string header;
    for (const auto& f : columns.fields) header += std::string(nameOf(f.first)) + ',';
    return header;
}

std::string targetResultHeader(const TargetColumns& columns)
{
    std::string header = columns.has(TargetColumn::Cl) ? kSolvedHeader : "";
    if (columns.has(TargetColumn::Sigma)) {
        CavitationBucket names;
        for (const auto& field : bucketFields(names)) header += field.first + ',';
    }
    return header;
}

std::optional<RowTargets> rowTargets(const TargetColumns& columns, const std::vector<std::string>& fields,
                                     bool camberGiven, bool thicknessGiven, std::string& problem)
{
    RowTargets row;
    bool ideal = false;
    std::optional<double> halfWidth;
    std::optional<double> cl;
    for (const auto& [column, index] : columns.fields) {
        const std::string field = index < fields.size() ? fields[index] : "";
        const char* name = nameOf(column);
        if (column == TargetColumn::Ideal) {
            const std::optional<bool> said = yesOrNo(field);
            if (!said) {
                problem = std::string(name) + " '" + field + "' is not 1, 0, true, false, yes or no";
                return std::nullopt;
            }
            ideal = *said;
            continue;
        }
        if (field.empty()) continue;
        std::string why;
        const std::optional<double> value = readStrictNumber(field, why);
        if (!value) {
            problem = std::string(name) + " " + why;
            return std::nullopt;
        }
        const bool positive = *value > 0;
        switch (column) {
        case TargetColumn::Cl: cl = *value; break;
        case TargetColumn::Alpha: row.alpha = *value; break;
        case TargetColumn::Sigma: row.sigma = *value; break;
        case TargetColumn::BucketHalfWidth: halfWidth = *value; break;
        case TargetColumn::Ideal: break;
        }
        if ((column == TargetColumn::Cl && *value < 0) || (column == TargetColumn::Sigma && !positive) ||
            (column == TargetColumn::BucketHalfWidth && !positive)) {
            problem = std::string(name) + (column == TargetColumn::Cl ? " must be 0 or more" : " must be greater than 0");
            return std::nullopt;
        }
    }
    if (!cl) {
        if (ideal || row.alpha || halfWidth) {
            problem = "alpha, ideal and bucket_half_width need cl";
            return std::nullopt;
        }
        return row;
    }
    if (camberGiven) problem = "camber and cl exclude each other";
    else if (ideal && row.alpha) problem = "ideal and alpha exclude each other";
    else if (halfWidth && !row.sigma) problem = "bucket_half_width needs sigma";
    else if (halfWidth && (ideal || row.alpha)) problem = "bucket_half_width excludes alpha and ideal";
    else if (halfWidth && thicknessGiven) problem = "thickness and bucket_half_width exclude each other";
    else if (!halfWidth && !ideal && !row.alpha) problem = "cl needs alpha, ideal or bucket_half_width";
    if (!problem.empty()) return std::nullopt;
    row.targets = DesignTargets{cl, ideal, halfWidth ? row.sigma : std::nullopt, halfWidth};
    if (halfWidth) row.sigma.reset();  // the bucket is that of the solved section
    return row;
}

TargetRowDesign designWithTargets(const TargetColumns& columns, const RowTargets& row, const DesignInputs& inputs)
{
    TargetRowDesign design;
    SolvedDesign solved;
    if (row.targets.any()) {
        solved = solveTargets(inputs, row.targets, row.alpha);
        if (solved.failure) {
            design.failure = failureStatus(*solved.failure);
            design.resultFields = targetResultFields(columns, &solved, std::nullopt);
            return design;
        }
    } else {
        solved.outcome = reportedDesign(inputs);
    }
    std::optional<CavitationBucket> bucket = solved.bucket;
    const DesignRecord& record = solved.outcome.record;
    if (row.sigma && !solved.outcome.error) {
        try {
            BucketOutcome found = cavitationBucket(record.F, record.G, record.m, *row.sigma);
            if (found.failure) design.failure = failureStatus(*found.failure);
            bucket = found.bucket;
        } catch (const ArithmeticError& e) {
            design.failure = std::string("error: analysis: ") + e.what();
        }
    }
    design.resultFields = targetResultFields(columns, row.targets.any() ? &solved : nullptr, bucket);
    design.outcome = std::move(solved.outcome);
    return design;
}

std::string targetInputFields(const TargetColumns& columns, const std::vector<std::string>& fields)
{
    std::string text;
    for (const auto& f : columns.fields) text += (f.second < fields.size() ? csvField(fields[f.second]) : "") + ',';
    return text;
}

std::string targetResultFields(const TargetColumns& columns, const SolvedDesign* solved,
                               const std::optional<CavitationBucket>& bucket)
{
    std::string text;
    if (columns.has(TargetColumn::Cl)) {
        if (solved && !solved->failure) {
            const bool bucketDesign = solved->bucket.has_value();
            const std::string alpha = solved->alpha ? everyDigit(*solved->alpha) : "";
            const std::string Cl = solved->alpha ? everyDigit(liftOf(solved->outcome.record, *solved->alpha)) : "";
            text += (bucketDesign ? everyDigit(solved->inputs.thickness) : "") + ',' + everyDigit(solved->inputs.camber) +
                    ',' + alpha + ',' + Cl + ',' + std::to_string(solved->designRuns) + ',';
        } else {
            text += emptyFields(kSolvedColumns - 1) + (solved ? std::to_string(solved->designRuns) : "") + ',';
        }
    }
    if (columns.has(TargetColumn::Sigma)) {
        if (!bucket) return text + emptyFields(kBucketColumns);
        for (const auto& field : bucketFields(*bucket)) text += everyDigit(field.second) + ',';
    }
    return text;
}

}  // namespace folix
