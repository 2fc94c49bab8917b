#include "batch_run.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <sstream>
#include <system_error>

#include "csv_text.h"
#include "design_report.h"
#include "engine/section_analysis.h"
#include "results/file_output.h"
#include "design/reported_design.h"
#include "save_design.h"
#include "engine/section_flow.h"
#include "strict_number.h"
#include "target_columns.h"
#include "design/design_status.h"
#include "design/parallel_work.h"

namespace folix {

namespace {

constexpr std::size_t kInputColumns = 4;
constexpr const char* kInputHeader = "thickness,camber,te_angle,max_thickness_at,";
constexpr const char* kResultHeader = "family,F,G,m,measured_max_thickness_at,";
constexpr const char* kLoadsHeader = "Cl,Cm,";
constexpr const char* kStatusHeader = "status,line";
constexpr const char* kOk = "ok";
constexpr const char* kNotConverged = "not converged";
constexpr const char* kColumnNames[kInputColumns] = {"thickness", "camber", "te_angle", "max_thickness_at"};

// What a part of the input may hold: rows enough to keep every worker busy
// for a while, text little enough for any machine.
constexpr std::size_t kChunkRows = 4096;
constexpr std::size_t kChunkBytes = std::size_t{4} << 20;
// A longer line is no row of numbers; only its beginning is kept.
constexpr std::size_t kLongestLine = 65536;

bool isBlank(std::string_view line) { return line.find_first_not_of(" \t\r") == std::string_view::npos; }

bool sameLetters(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

// The columns of the input: the design's own first (3, or 4 with
// max_thickness_at), then any target columns the header names.
struct ColumnLayout {
    std::size_t designColumns = kInputColumns;
    TargetColumns targets;
};

// A header names the input columns in their order, then target columns; any
// other first row is data, so that a mistyped one is reported rather than lost.
std::optional<ColumnLayout> headerLayout(const std::vector<std::string>& fields)
{
    if (fields.size() < 3) return std::nullopt;
    ColumnLayout layout;
    layout.designColumns = fields.size() > 3 && (fields[3].empty() || sameLetters(fields[3], kColumnNames[3])) ? 4 : 3;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const bool absentFourth = i == 3 && fields[i].empty() && fields.size() == kInputColumns;
        if (i < layout.designColumns) {
            if (!absentFourth && !sameLetters(fields[i], kColumnNames[i])) return std::nullopt;
            continue;
        }
        const std::optional<TargetColumn> target = targetColumnNamed(fields[i]);
        if (!target || layout.targets.has(*target)) return std::nullopt;
        layout.targets.fields.emplace_back(*target, i);
    }
    return layout;
}

// One line of input, without its LF; false at the end. A line beyond
// kLongestLine keeps its beginning and sets `tooLong`.
bool nextLine(std::streambuf& in, std::string& line, bool& tooLong)
{
    line.clear();
    tooLong = false;
    using Traits = std::streambuf::traits_type;
    Traits::int_type c = in.sbumpc();
    if (Traits::eq_int_type(c, Traits::eof())) return false;
    for (; !Traits::eq_int_type(c, Traits::eof()) && c != '\n'; c = in.sbumpc()) {
        if (line.size() < kLongestLine) line.push_back(Traits::to_char_type(c));
        else tooLong = true;
    }
    return true;
}

// Reads lines and tells which are rows: blank lines and a header are not.
class RowReader {
public:
    RowReader(std::streambuf& in, std::size_t firstLine) : in_(in), lineNumber_(firstLine - 1) {}

    // The next row; false at the end of the input.
    bool next(std::string& text, bool& tooLong, std::size_t& lineNumber)
    {
        while (nextLine(in_, text, tooLong)) {
            ++lineNumber_;
            // A spreadsheet's byte order mark would hide the first row's number.
            constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
            if (firstLine_ && text.rfind(kByteOrderMark, 0) == 0) text.erase(0, kByteOrderMark.size());
            firstLine_ = false;
            if (!tooLong && isBlank(text)) continue;
            const std::optional<ColumnLayout> header =
                firstRow_ && !tooLong ? headerLayout(splitCsvLine(text)) : std::nullopt;
            firstRow_ = false;
            if (header) {
                layout_ = *header;
                continue;
            }
            lineNumber = lineNumber_;
            return true;
        }
        return false;
    }

    // The columns, as the header names them once it has been read.
    const ColumnLayout& layout() const { return layout_; }

private:
    std::streambuf& in_;
    std::size_t lineNumber_;
    bool firstLine_ = true;
    bool firstRow_ = true;
    ColumnLayout layout_;
};

struct InputRow {
    std::size_t line = 0;
    std::string text;
    bool tooLong = false;
};

// What a worker makes of a row; the calling thread writes and saves it.
struct RowOutcome {
    std::string csv;  // the output line with its end
    std::optional<DesignOutcome> toSave;
    std::string notSaved;     // with --save: why the row is not saved, when it is not
    std::string fileProblem;  // why its coordinate file could not be written
};

// The design's status, unless the analysis the row asked for failed.
std::string status(const DesignOutcome& outcome, const std::optional<FlowOutcome>& flow)
{
    if (!outcome.error && flow && flow->error) return "error: " + *flow->error;
    return statusText(outcome);
}

std::string rowText(const std::vector<std::string>& fields, const ColumnLayout& layout, const std::string& results,
                    const std::string& rowStatus, std::size_t line)
{
    std::string text;
    for (std::size_t i = 0; i < kInputColumns; ++i)
        text += (i < fields.size() && i < layout.designColumns ? csvField(fields[i]) : "") + ',';
    text += targetInputFields(layout.targets, fields);
    return text + results + csvField(rowStatus) + ',' + std::to_string(line) + '\n';
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

// DIR/line-000012.dat: at least six digits, so that the files list in line order.
std::filesystem::path coordinateFile(const std::filesystem::path& dir, std::size_t line)
{
    constexpr std::size_t kDigits = 6;
    std::string number = std::to_string(line);
    if (number.size() < kDigits) number.insert(0, kDigits - number.size(), '0');
    return dir / ("line-" + number + ".dat");
}

std::string writeCoordinates(const BatchOptions& options, const MappedSection& section, std::size_t line)
{
    const std::filesystem::path file = coordinateFile(*options.datDir, line);
    try {
        const FileWrite written = writeTextFile(file, seligText(section, options.points));
        return written.written ? "" : "cannot write " + file.string() + ": " + written.reason;
    } catch (const ArithmeticError& e) {
        return "coordinates of " + file.string() + ": " + e.what();
    }
}

// The fields of the design's own columns, all of them without target columns;
// those a target solves may be left empty (they are read as 0, then solved).
std::vector<std::string> designFields(const std::vector<std::string>& fields, const ColumnLayout& layout,
                                      const RowTargets& targets)
{
    if (!layout.targets.any()) return fields;
    std::vector<std::string> own(fields.begin(), fields.begin() + std::min(fields.size(), layout.designColumns));
    if (targets.targets.cl && own.size() > 1 && own[1].empty()) own[1] = "0";
    if (targets.targets.bucketHalfWidth && !own.empty() && own[0].empty()) own[0] = "0";
    return own;
}

RowOutcome designRow(const InputRow& row, const BatchOptions& options, const ColumnLayout& layout)
{
    const std::string noResults = (options.alpha ? ",,,,,,," : ",,,,,") + targetResultFields(layout.targets, nullptr, {});
    const auto unusable = [&](const std::vector<std::string>& fields, const std::string& why) {
        RowOutcome bad{rowText(fields, layout, noResults, "bad row: " + why, row.line), std::nullopt, "", ""};
        if (options.save) bad.notSaved = "bad row: " + why;
        return bad;
    };
    if (row.tooLong) return unusable({}, "longer than " + std::to_string(kLongestLine) + " characters");
    const std::vector<std::string> fields = splitCsvLine(row.text);
    std::string problem;
    if (layout.targets.any() && fields.size() > layout.targets.lastField() + 1)
        return unusable(fields, std::to_string(fields.size()) + " fields instead of at most " +
                                    std::to_string(layout.targets.lastField() + 1));
    const bool camberGiven = fields.size() > 1 && !fields[1].empty();
    const auto targets = rowTargets(layout.targets, fields, camberGiven, !fields.empty() && !fields[0].empty(), problem);
    if (!targets) return unusable(fields, problem);
    const auto inputs = batchRowInputs(designFields(fields, layout, *targets), problem);
    if (!inputs) return unusable(fields, problem);

    TargetRowDesign designed = designWithTargets(layout.targets, *targets, *inputs);
    DesignOutcome& outcome = designed.outcome;
    const MappedSection section = outcome.record.section();
    std::optional<FlowOutcome> flow;
    if (options.alpha && !outcome.error && outcome.ran()) flow = analyseFlow(section, *options.alpha, std::nullopt);
    std::string rowStatus = status(outcome, flow);
    if (designed.failure && rowStatus == kOk) rowStatus = *designed.failure;
    RowOutcome result;
    const std::string results = outcome.ran() ? resultColumns(outcome) : ",,,,,";
    result.csv = rowText(fields, layout, results + (options.alpha ? loadColumns(flow) : "") + designed.resultFields,
                         rowStatus, row.line);
    if (options.datDir && (rowStatus == kOk || rowStatus == kNotConverged))
        result.fileProblem = writeCoordinates(options, section, row.line);
    if (options.save && rowStatus == kOk) result.toSave = std::move(outcome);
    else if (options.save)
        result.notSaved = rowStatus == kNotConverged ? rowStatus + " (" + notConvergedReason(outcome) + ")" : rowStatus;
    return result;
}

std::string outputHeader(const ColumnLayout& layout, const BatchOptions& options)
{
    return kInputHeader + targetInputHeader(layout.targets) + kResultHeader + (options.alpha ? kLoadsHeader : "") +
           targetResultHeader(layout.targets) + kStatusHeader;
}

// Messages take the progress line's place; it comes back with the next rows.
std::ostream& messageStream(std::ostream& err, ProgressLine* progress)
{
    if (progress) progress->clear();
    return err;
}

// Fills `chunk` with the next rows; false once the input is used up.
bool readChunk(RowReader& reader, std::vector<InputRow>& chunk)
{
    chunk.clear();
    std::size_t bytes = 0;
    InputRow row;
    while (chunk.size() < kChunkRows && bytes < kChunkBytes) {
        if (!reader.next(row.text, row.tooLong, row.line)) return false;
        bytes += row.text.size();
        chunk.push_back(row);
    }
    return true;
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
    double values[kInputColumns] = {};
    for (std::size_t i = 0; i < used; ++i) {
        std::string why;
        const std::optional<double> value = readStrictNumber(fields[i], why);
        if (!value) {
            problem = std::string(kColumnNames[i]) + " " + why;
            return std::nullopt;
        }
        values[i] = *value;
    }
    DesignInputs inputs;
    inputs.thickness = values[0];
    inputs.camber = values[1];
    inputs.teAngleDegrees = values[2];
    if (fourthGiven) inputs.maxThicknessAt = values[3];
    return inputs;
}

int runBatch(std::streambuf& csv, std::ostream& out, std::ostream& err, const BatchOptions& options)
{
    ProgressLine* const progress = options.progress;
    const auto message = [&]() -> std::ostream& { return messageStream(err, progress); };
    if (options.datDir) {
        std::error_code failure;
        std::filesystem::create_directories(*options.datDir, failure);
        if (failure) {
            message() << "error: cannot make the folder " << options.datDir->string() << ": "
                      << systemReason(failure.value()) << '\n';
            return 1;
        }
    }

    bool saveFailed = false;
    bool fileFailed = false;
    std::size_t rowsDone = 0;
    RowReader reader(csv, options.firstLine);
    std::vector<InputRow> chunk;
    std::vector<RowOutcome> results;
    bool more = true;
    bool headerWritten = false;
    while (more && out) {
        more = readChunk(reader, chunk);
        if (!headerWritten) {  // after the input's header, which may name target columns
            out << outputHeader(reader.layout(), options) << '\n';
            headerWritten = true;
        }
        results.assign(chunk.size(), {});
        std::function<void(std::size_t)> tell;
        if (progress) tell = [&](std::size_t done) { progress->update(rowsDone + done); };
        forEachIndex(chunk.size(), options.jobs, [&](std::size_t i) { results[i] = designRow(chunk[i], options, reader.layout()); }, tell);

        for (std::size_t i = 0; i < results.size(); ++i) {
            const RowOutcome& row = results[i];
            out << row.csv;
            const std::string where = "line " + std::to_string(chunk[i].line) + ": ";
            if (!row.fileProblem.empty()) {
                message() << "error: " << where << row.fileProblem << '\n';
                fileFailed = true;
            }
            if (!row.notSaved.empty()) message() << "folix: " << where << "not saved: " << row.notSaved << '\n';
            // After a failed save the next would fail alike: stop saving, go on designing.
            if (row.toSave && !saveFailed) {
                std::ostringstream said;
                saveFailed = !saveOutcome(*row.toSave, said, where);
                if (saveFailed) said << "folix: no later row is saved\n";
                if (!said.str().empty()) message() << said.str();
            }
        }
        rowsDone += chunk.size();
        out.flush();
    }
    if (progress) progress->clear();
    return saveFailed || fileFailed ? 1 : 0;
}

int runBatch(std::string_view csv, std::ostream& out, std::ostream& err, bool save, std::optional<double> alpha)
{
    std::stringbuf text{std::string(csv)};
    BatchOptions options;
    options.save = save;
    options.alpha = alpha;
    return runBatch(text, out, err, options);
}

std::size_t countBatchRows(std::streambuf& csv)
{
    RowReader reader(csv, 1);
    std::string text;
    bool tooLong = false;
    std::size_t line = 0;
    std::size_t rows = 0;
    while (reader.next(text, tooLong, line)) ++rows;
    return rows;
}

}  // namespace folix
