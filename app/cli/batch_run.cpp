#include "batch_run.h"

#include <algorithm>
#include <functional>
#include <sstream>
#include <system_error>

#include "coordinate_files.h"
#include "csv_text.h"
#include "batch_columns.h"
#include "design_report.h"
#include "engine/section_analysis.h"
#include "results/file_output.h"
#include "results/shown_file_name.h"
#include "design/reported_design.h"
#include "save_design.h"
#include "target_columns.h"
#include "engine/section_flow.h"
#include "design/design_status.h"
#include "design/parallel_work.h"

namespace folix {

namespace {

constexpr const char* kResultsHeader = "family,F,G,m,measured_max_thickness_at,";
constexpr const char* kLoadsHeader = "Cl,Cm,";
constexpr const char* kStatusHeader = "status,line";
constexpr const char* kOk = "ok";
constexpr const char* kNotConverged = "not converged";
constexpr const char* kSurfacesCross = "surfaces cross";

// What a part of the input may hold: rows enough to keep every worker busy
// for a while, text little enough for any machine.
constexpr std::size_t kChunkRows = 4096;
constexpr std::size_t kChunkBytes = std::size_t{4} << 20;
// A longer row is no row of numbers; only its beginning is kept.
constexpr std::size_t kLongestRow = 65536;
// An input whose first rows are all unusable is no study: it ends before any output.
constexpr std::size_t kRowsToFindOne = 1000;
// How much of an unusable row its message shows.
constexpr std::size_t kShownRowText = 60;

bool isBlank(std::string_view text) { return text.find_first_not_of(" \t\r") == std::string_view::npos; }

struct InputRow {
    std::size_t line = 0;      // its first line
    std::size_t lastLine = 0;  // a quoted line end makes a row span lines
    std::string text;
    bool tooLong = false;
};

// Reads records and tells which are rows: blank records are not, and
// neither is a first record that names known columns (the header).
class RowReader {
public:
    RowReader(std::streambuf& in, std::size_t firstLine)
        : in_(in), nextLine_(firstLine), columns_(positionalColumns())
    {
    }

    // The next row; false at the end of the input.
    bool next(InputRow& row)
    {
        CsvRecord record;
        while (nextCsvRecord(in_, record, kLongestRow)) {
            const std::size_t line = nextLine_;
            nextLine_ += record.lines;
            // A spreadsheet's byte order mark would hide the first row's number.
            constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
            if (firstRecord_ && record.text.rfind(kByteOrderMark, 0) == 0) record.text.erase(0, kByteOrderMark.size());
            firstRecord_ = false;
            if (!record.tooLong && isBlank(record.text)) continue;
            const bool first = firstRow_;
            firstRow_ = false;
            if (first && !record.tooLong && readHeader(record.text, line)) continue;
            row.line = line;
            row.lastLine = nextLine_ - 1;
            row.text = std::move(record.text);
            row.tooLong = record.tooLong;
            return true;
        }
        return false;
    }

    const BatchColumns& columns() const { return columns_; }
    // Why the header cannot be used, with its line; empty when it can (or there is none).
    const std::string& headerProblem() const { return headerProblem_; }

private:
    bool readHeader(const std::string& text, std::size_t line)
    {
        const std::vector<std::string> fields = splitCsvRecord(text);
        std::string problem;
        std::optional<BatchColumns> named = headerColumns(fields, problem);
        if (!named) return false;
        columns_ = std::move(*named);
        if (!problem.empty()) {
            std::string names;
            for (const std::string& field : fields) names += (names.empty() ? "" : ", ") + shownFileName(field);
            headerProblem_ = "line " + std::to_string(line) + ": " + problem + " (its columns: " + names + ")";
        }
        return true;
    }

    std::streambuf& in_;
    std::size_t nextLine_;
    BatchColumns columns_;
    std::string headerProblem_;
    bool firstRecord_ = true;
    bool firstRow_ = true;
};

// What a worker makes of a row; the calling thread writes and saves it.
struct RowOutcome {
    bool done = false;  // false: an interruption came first
    std::string csv;    // the output line with its end
    std::optional<std::string> unusable;  // why the row's inputs could not be read
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

std::string writeCoordinates(const BatchOptions& options, const MappedSection& section, std::size_t line)
{
    const std::filesystem::path file = *options.datDir / coordinateFileName(line);
    try {
        const FileWrite written = writeTextFile(file, seligText(section, options.points));
        return written.written ? "" : "cannot write " + shownFileName(file.string()) + ": " + written.reason;
    } catch (const ArithmeticError& e) {
        return "coordinates of " + shownFileName(file.string()) + ": " + e.what();
    }
}

bool stopping(const BatchOptions& options) { return options.interruption && options.interruption() != 0; }

// Whether a row gives a value in a known column.
bool fieldGiven(const BatchColumns& columns, const std::vector<std::string>& fields, std::size_t column)
{
    const std::optional<std::size_t> field = columns.known[column];
    return field && *field < fields.size() && !fields[*field].empty();
}

// The row's fields with those its targets solve for read as 0 when left
// empty: the camber of a design for lift, the thickness of one for a bucket.
std::vector<std::string> withSolvedFieldsOpen(const BatchColumns& columns, std::vector<std::string> fields,
                                              const RowTargets& targets)
{
    const auto open = [&](std::size_t column) {
        const std::optional<std::size_t> field = columns.known[column];
        if (!field) return;
        if (*field >= fields.size()) fields.resize(*field + 1);
        if (fields[*field].empty()) fields[*field] = "0";
    };
    if (targets.targets.cl) open(kCamberColumn);
    if (targets.targets.bucketHalfWidth) open(kThicknessColumn);
    return fields;
}

RowOutcome designRow(const InputRow& row, const BatchColumns& columns, const BatchOptions& options)
{
    if (stopping(options)) return {};
    const auto line = [&](const std::vector<std::string>& fields, const std::string& results, const std::string& rowStatus) {
        return inputFields(columns, fields) + results + csvField(rowStatus) + ',' + std::to_string(row.line) + '\n';
    };
    const std::string noResults =
        (options.alpha ? ",,,,,,," : ",,,,,") + targetResultFields(columns.targets, nullptr, std::nullopt);
    const auto unusable = [&](const std::vector<std::string>& fields, const std::string& why) {
        RowOutcome bad{true, line(fields, noResults, "bad row: " + why), why, std::nullopt, "", ""};
        if (options.save) bad.notSaved = "bad row: " + why;
        return bad;
    };
    if (row.tooLong) return unusable({}, "longer than " + std::to_string(kLongestRow) + " characters");
    const std::vector<std::string> fields = splitCsvRecord(row.text);
    std::string problem;
    const auto targets = rowTargets(columns.targets, fields, fieldGiven(columns, fields, kCamberColumn),
                                    fieldGiven(columns, fields, kThicknessColumn), problem);
    if (!targets) return unusable(fields, problem);
    const auto inputs = rowInputs(columns, withSolvedFieldsOpen(columns, fields, *targets), problem);
    if (!inputs) return unusable(fields, problem);

    TargetRowDesign designed = designWithTargets(columns.targets, *targets, *inputs);
    DesignOutcome& outcome = designed.outcome;
    const MappedSection section = outcome.record.section();
    std::optional<FlowOutcome> flow;
    if (options.alpha && !outcome.error && outcome.ran()) flow = analyseFlow(section, *options.alpha, std::nullopt);
    std::string rowStatus = status(outcome, flow);
    if (designed.failure && (rowStatus == kOk || rowStatus == kSurfacesCross)) rowStatus = *designed.failure;
    RowOutcome result;
    result.done = true;
    const std::string results = outcome.ran() ? resultColumns(outcome) : ",,,,,";
    result.csv = line(fields, results + (options.alpha ? loadColumns(flow) : "") + designed.resultFields, rowStatus);
    const bool outlined = rowStatus == kOk || rowStatus == kNotConverged || rowStatus == kSurfacesCross;
    if (options.datDir && outlined && (!outcome.surfacesCrossFrom || options.allowCrossing))
        result.fileProblem = writeCoordinates(options, section, row.line);
    if (options.save && (rowStatus == kOk || rowStatus == kSurfacesCross)) result.toSave = std::move(outcome);
    else if (options.save)
        result.notSaved = rowStatus == kNotConverged ? rowStatus + " (" + notConvergedReason(outcome) + ")" : rowStatus;
    return result;
}

// Messages take the progress line's place; it comes back with the next rows.
std::ostream& messageStream(std::ostream& err, ProgressLine* progress)
{
    if (progress) progress->clear();
    return err;
}

// Fills `chunk` with the next rows; false once the input is used up.
bool readChunk(RowReader& reader, std::vector<InputRow>& chunk, const BatchOptions& options)
{
    chunk.clear();
    std::size_t bytes = 0;
    InputRow row;
    while (chunk.size() < kChunkRows && bytes < kChunkBytes) {
        if (stopping(options) || !reader.next(row)) return false;
        bytes += row.text.size();
        chunk.push_back(row);
    }
    return true;
}

// Writes the rows, in input order, and saves them; holds back the first
// rows of a whole input until one of them is usable, so that an input
// without a single row of numbers ends with nothing written.
class BatchOutput {
public:
    BatchOutput(std::ostream& out, std::ostream& err, const BatchOptions& options, std::string header)
        : out_(out), err_(err), options_(options), header_(std::move(header))
    {
    }

    // Takes a row done; false once the input has shown itself to be no study.
    bool take(const InputRow& row, RowOutcome outcome)
    {
        lastLineDone_ = row.lastLine;
        // A part of a larger file (from --first-line on) is judged with the whole: its rows always come out.
        if (options_.firstLine != 1) open();
        if (open_) {
            emit(row, outcome);
            return true;
        }
        const bool usable = !outcome.unusable;
        held_.emplace_back(row, std::move(outcome));
        if (usable) open();
        return open_ || held_.size() < kRowsToFindOne;
    }

    // At the end of the input (or of what an interruption left of it): false
    // when no row was usable, else every row held is written.
    bool finish(bool interrupted)
    {
        if (!open_ && !held_.empty() && !interrupted && options_.firstLine == 1) return false;
        open();
        return true;
    }

    // Why the input is no study: what its first row holds.
    std::string noRowMessage() const
    {
        const auto& [row, outcome] = held_.front();
        const std::string rows = held_.size() < kRowsToFindOne
                                     ? "in its " + std::to_string(held_.size()) + (held_.size() == 1 ? " row" : " rows")
                                     : "in its first " + std::to_string(kRowsToFindOne) + " rows";
        std::string shown = shownFileName(row.text.substr(0, kShownRowText));
        if (shown.front() != '"') shown = '"' + shown + '"';
        if (row.text.size() > kShownRowText) shown += "...";
        return "folix: no row of comma-separated numbers found " + rows + "; line " + std::to_string(row.line) + ": " +
               *outcome.unusable + " in " + shown + "\n";
    }

    std::size_t lastLineDone() const { return lastLineDone_; }
    bool saveFailed() const { return saveFailed_; }
    bool fileFailed() const { return fileFailed_; }

private:
    void open()
    {
        if (open_) return;
        open_ = true;
        out_ << header_;
        for (const auto& [row, outcome] : held_) emit(row, outcome);
        held_.clear();
    }

    void emit(const InputRow& row, const RowOutcome& outcome)
    {
        const auto message = [&]() -> std::ostream& { return messageStream(err_, options_.progress); };
        out_ << outcome.csv;
        const std::string where = "line " + std::to_string(row.line) + ": ";
        if (!outcome.fileProblem.empty()) {
            message() << "error: " << where << outcome.fileProblem << '\n';
            fileFailed_ = true;
        }
        if (!outcome.notSaved.empty()) message() << "folix: " << where << "not saved: " << outcome.notSaved << '\n';
        // After a failed save the next would fail alike: stop saving, go on designing.
        if (outcome.toSave && !saveFailed_) {
            std::ostringstream said;
            saveFailed_ = !saveOutcome(*outcome.toSave, said, where);
            if (saveFailed_) said << "folix: no later row is saved\n";
            if (!said.str().empty()) message() << said.str();
        }
    }

    std::ostream& out_;
    std::ostream& err_;
    const BatchOptions& options_;
    std::string header_;
    bool open_ = false;
    std::vector<std::pair<InputRow, RowOutcome>> held_;
    std::size_t lastLineDone_ = 0;
    bool saveFailed_ = false;
    bool fileFailed_ = false;
};

std::string interruptionMessage(std::size_t lastLineDone)
{
    if (lastLineDone == 0) return "folix: interrupted before the first row was done\n";
    const std::string next = std::to_string(lastLineDone + 1);
    return "folix: interrupted: the last input line done is " + std::to_string(lastLineDone) +
           "; the rest starts at line " + next + " (run it with --first-line " + next + ")\n";
}

}  // namespace

int runBatch(std::streambuf& csv, std::ostream& out, std::ostream& err, const BatchOptions& options)
{
    ProgressLine* const progress = options.progress;
    const auto message = [&]() -> std::ostream& { return messageStream(err, progress); };
    RowReader reader(csv, options.firstLine);
    std::vector<InputRow> chunk;
    bool more = readChunk(reader, chunk, options);
    if (!reader.headerProblem().empty()) {
        message() << "folix: " << reader.headerProblem() << '\n';
        return 2;
    }

    if (options.datDir) {
        std::error_code failure;
        std::filesystem::create_directories(*options.datDir, failure);
        if (failure) {
            message() << "error: cannot make the folder " << shownFileName(options.datDir->string()) << ": "
                      << systemReason(failure.value()) << '\n';
            return 1;
        }
    }
    const BatchColumns& columns = reader.columns();
    BatchOutput output(out, err, options,
                       inputHeader(columns) + kResultsHeader + (options.alpha ? kLoadsHeader : "") +
                           targetResultHeader(columns.targets) + kStatusHeader + '\n');

    std::size_t rowsDone = 0;
    std::vector<RowOutcome> results;
    bool study = true;
    for (bool first = true; (first || more) && study && out && !stopping(options); first = false) {
        if (!first) more = readChunk(reader, chunk, options);
        results.assign(chunk.size(), {});
        std::function<void(std::size_t)> tell;
        if (progress) tell = [&](std::size_t done) { progress->update(rowsDone + done); };
        forEachIndex(chunk.size(), options.jobs, [&](std::size_t i) { results[i] = designRow(chunk[i], columns, options); }, tell);

        for (std::size_t i = 0; i < results.size() && study && results[i].done; ++i)
            study = output.take(chunk[i], std::move(results[i]));
        rowsDone += chunk.size();
        out.flush();
    }
    const bool interrupted = stopping(options);
    if (!study || !output.finish(interrupted)) {
        if (progress) progress->clear();
        err << output.noRowMessage();
        return 2;
    }
    out.flush();
    if (progress) progress->clear();
    if (interrupted) {
        err << interruptionMessage(output.lastLineDone());
        return 128 + options.interruption();
    }
    return output.saveFailed() || output.fileFailed() ? 1 : 0;
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
    InputRow row;
    std::size_t rows = 0;
    while (reader.next(row)) ++rows;
    return rows;
}

}  // namespace folix
