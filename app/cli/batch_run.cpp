#include "batch_run.h"

#include <algorithm>
#include <cctype>

#include "csv_text.h"
#include "design_report.h"
#include "engine/section_analysis.h"
#include "window/reported_design.h"
#include "save_design.h"
#include "engine/section_flow.h"
#include "strict_number.h"

namespace folix {

namespace {

constexpr std::size_t kInputColumns = 4;
constexpr const char* kHeader = "thickness,camber,te_angle,max_thickness_at,family,F,G,m,measured_max_thickness_at,";
constexpr const char* kLoadsHeader = "Cl,Cm,";
constexpr const char* kStatusHeader = "status";
constexpr const char* kOk = "ok";
constexpr const char* kColumnNames[kInputColumns] = {"thickness", "camber", "te_angle", "max_thickness_at"};

bool isBlank(std::string_view line) { return line.find_first_not_of(" \t\r") == std::string_view::npos; }

bool sameLetters(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

// A header names the input columns in their order; any other first row is
// data, so that a mistyped one is reported rather than lost.
bool namesTheColumns(const std::vector<std::string>& fields)
{
    if (fields.size() < 3 || fields.size() > kInputColumns) return false;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const bool absentFourth = i == 3 && fields[i].empty();
        if (!absentFourth && !sameLetters(fields[i], kColumnNames[i])) return false;
    }
    return true;
}

std::string status(const DesignOutcome& outcome, const std::optional<FlowOutcome>& flow)
{
    if (outcome.error) return "error: " + outcome.error->reason;
    if (flow && flow->error) return "error: " + *flow->error;
    return outcome.converged() ? kOk : "not converged";
}

void writeRow(std::ostream& out, const std::vector<std::string>& fields, const std::string& results,
              const std::string& rowStatus)
{
    for (std::size_t i = 0; i < kInputColumns; ++i) out << (i < fields.size() ? csvField(fields[i]) : "") << ',';
    out << results << csvField(rowStatus) << '\n';
}

std::string resultColumns(const DesignOutcome& outcome)
{
    if (outcome.error) return ",,,,,";
    return csvField(outcome.texts.airfoilType) + ',' + outcome.texts.f + ',' + outcome.texts.g + ',' +
           outcome.texts.m + ',' + maxThicknessAtText(outcome) + ',';
}

std::string loadColumns(const std::optional<FlowOutcome>& flow)
{
    if (!flow || !flow->flow) return ",,";
    return coefficientText(flow->flow->Cl) + ',' + coefficientText(flow->flow->Cm) + ',';
}

}  // namespace

std::optional<DesignInputs> batchRowInputs(const std::vector<std::string>& fields, std::string& problem)
{
    const bool fourthGiven = fields.size() == kInputColumns && !fields.back().empty();
    if (fields.size() < 3 || fields.size() > kInputColumns) {
        problem = std::to_string(fields.size()) + (fields.size() == 1 ? " field" : " fields") + " instead of 3 or 4";
        return std::nullopt;
    }
    const std::size_t used = fourthGiven ? kInputColumns : 3;
    for (std::size_t i = 0; i < used; ++i) {
        std::string why;
        if (!readStrictNumber(fields[i], why)) {
            problem = std::string(kColumnNames[i]) + " " + why;
            return std::nullopt;
        }
    }
    DesignInputs inputs;
    inputs.delta = fields[0];
    inputs.gamma = fields[1];
    inputs.tau = fields[2];
    if (fourthGiven) {
        inputs.xDltc = fields[3];
        inputs.locationMode = true;
    }
    return inputs;
}

int runBatch(std::string_view csv, std::ostream& out, std::ostream& err, bool save, std::optional<double> alpha)
{
    bool saveFailed = false;
    // A spreadsheet's byte order mark would hide the first row's number.
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (csv.substr(0, kByteOrderMark.size()) == kByteOrderMark) csv.remove_prefix(kByteOrderMark.size());
    const std::string noResults = alpha ? ",,,,,,," : ",,,,,";
    out << kHeader << (alpha ? kLoadsHeader : "") << kStatusHeader << '\n';
    bool firstLine = true;
    std::size_t lineNumber = 0;
    while (!csv.empty()) {
        const auto end = csv.find('\n');
        const std::string_view line = csv.substr(0, end);
        csv.remove_prefix(end == std::string_view::npos ? csv.size() : end + 1);
        ++lineNumber;
        if (isBlank(line)) continue;

        const std::vector<std::string> fields = splitCsvLine(line);
        const bool header = firstLine && namesTheColumns(fields);
        firstLine = false;
        if (header) continue;

        std::string problem;
        const auto inputs = batchRowInputs(fields, problem);
        if (!inputs) {
            writeRow(out, fields, noResults, "bad row: " + problem);
            continue;
        }
        const DesignOutcome outcome = reportedDesign(*inputs);
        DesignState record = designRecord(outcome);
        std::optional<FlowOutcome> flow;
        if (alpha && !outcome.error) flow = analyseFlow(record, *alpha, std::nullopt);
        const std::string rowStatus = status(outcome, flow);
        writeRow(out, fields, resultColumns(outcome) + (alpha ? loadColumns(flow) : ""), rowStatus);
        // After a failed save the next would fail alike: stop saving, go on designing.
        if (save && !saveFailed && rowStatus == kOk) {
            saveFailed = !saveDesign(record, err, "line " + std::to_string(lineNumber) + ": ");
            if (saveFailed) err << "folix: no later row is saved\n";
        }
    }
    return saveFailed ? 1 : 0;
}

}  // namespace folix
