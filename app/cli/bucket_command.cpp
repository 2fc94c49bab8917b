#include "bucket_command.h"

#include "bucket_report.h"
#include "design/cavitation_bucket.h"
#include "design/design_status.h"
#include "design/reported_design.h"
#include "design_report.h"
#include "engine/arithmetic_error.h"
#include "json_text.h"
#include "target_design.h"

namespace folix {

namespace {

template <typename Column>
std::string jsonColumn(const std::vector<BucketPoint>& table, Column column)
{
    std::string text = "[";
    for (std::size_t i = 0; i < table.size(); ++i) text += (i == 0 ? "" : ", ") + jsonNumber(column(table[i]));
    return text + "]";
}

void writeBucketJson(std::ostream& out, const DesignOutcome& outcome, const BucketRequest& request,
                     const BucketOutcome& found, const std::vector<BucketPoint>& table)
{
    const DesignRecord& record = outcome.record;
    out << "{\n"
        << "  \"family\": " << jsonString(record.family) << ",\n"
        << "  \"F\": " << jsonNumber(record.F) << ",\n"
        << "  \"G\": " << jsonNumber(record.G) << ",\n"
        << "  \"m\": " << jsonNumber(record.m) << ",\n"
        << "  \"max_thickness_at\": " << jsonNumber(outcome.maxThicknessAt) << ",\n"
        << "  \"converged\": " << (converged(outcome) ? "true" : "false") << ",\n"
        << "  \"sigma\": " << jsonNumber(request.sigma) << ",\n"
        << "  \"cavitation_free\": " << (found.bucket ? "true" : "false") << ",\n";
    if (found.bucket) out << bucketJsonMembers(bucketFields(*found.bucket), "  ");
    else if (found.floor) out << bucketJsonMembers(floorFields(*found.floor), "  ");
    if (request.table && found.bucket) {
        out << "  \"table\": {\"alpha\": " << jsonColumn(table, [](const BucketPoint& p) { return p.alpha; })
            << ", \"Cl\": " << jsonColumn(table, [](const BucketPoint& p) { return p.Cl; })
            << ", \"minus_Cp_min\": " << jsonColumn(table, [](const BucketPoint& p) { return p.suction; }) << "},\n";
    }
    const bool failed = found.failure.has_value();
    out << "  \"error\": " << (failed ? jsonString(found.failure->reason) : "null") << ",\n"
        << "  \"hint\": " << (failed ? jsonString(found.failure->hint) : "null") << "\n"
        << "}\n";
}

}  // namespace

int runBucketCommand(const BucketRequest& request, std::ostream& out, std::ostream& err)
{
    const DesignOutcome outcome = reportedDesign(request.inputs);
    if (outcome.error) {
        err << "error: " << outcome.error->reason << '\n';
        return 1;
    }
    if (!converged(outcome)) err << kNotConvergedWarning;
    const DesignRecord& record = outcome.record;
    BucketOutcome found;
    std::vector<BucketPoint> table;
    try {
        found = cavitationBucket(record.F, record.G, record.m, request.sigma);
        if (request.table && found.bucket) table = bucketTable(record.F, record.G, record.m, *found.bucket, kBucketTableRows);
    } catch (const ArithmeticError& e) {
        err << "error: analysis: " << e.what() << '\n';
        return 1;
    }
    if (request.json) {
        writeBucketJson(out, outcome, request, found, table);
    } else {
        writeResults(out, outcome);
        if (found.bucket) out << bucketLines(request.sigma, bucketFields(*found.bucket));
        else if (found.floor) out << bucketLines(request.sigma, floorFields(*found.floor));
        if (!table.empty()) out << '\n' << bucketCsvText(table);
    }
    if (found.failure) {
        writeTargetFailure(err, *found.failure);
        return 1;
    }
    return 0;
}

}  // namespace folix
