#include "folix_cli.h"

#include <cerrno>
#include <optional>
#include <stdexcept>
#include <variant>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "batch_run.h"
#include "bucket_command.h"
#include "design/design_status.h"
#include "design/parallel_work.h"
#include "design/reported_design.h"
#include "command_line.h"
#include "descriptor_input.h"
#include "design_report.h"
#include "engine/section_drawing.h"
#include "file_clash.h"
#include "interruption.h"
#include "engine/section_flow.h"
#include "engine/selig_export.h"
#include "polar_command.h"
#include "progress_line.h"
#include "results/file_descriptor.h"
#include "results/file_output.h"
#include "results/results_file.h"
#include "results/shown_file_name.h"
#include "save_design.h"
#include "target_design.h"

namespace folix {

namespace {

constexpr int kExitDone = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// Writes one file of the command, "-" to standard output (whose failure the
// program reports as it ends); false, after saying why, when it could not.
bool writeOutputFile(const std::string& file, const std::string& text, std::ostream& standardOutput,
                     std::ostream& err)
{
    if (file == kStandardStream) {
        standardOutput << text << std::flush;
        return static_cast<bool>(standardOutput);
    }
    const FileWrite written = writeTextFile(file, text);
    if (!written.written) err << "error: cannot write " << shownFileName(file) << ": " << written.reason << '\n';
    return written.written;
}

// The true-scale drawings the request names, each through the same writer;
// false, after saying why, when one could not be made or written.
bool writeDrawings(const DesignRequest& request, const MappedSection& section, std::ostream& standardOutput,
                   std::ostream& err)
{
    SectionDrawing drawing;
    try {
        drawing = sectionDrawing(seligName(section), section.F, section.G, section.EM, request.drawing);
    } catch (const ArithmeticError& e) {
        err << "error: drawing: " << e.what() << '\n';
        return false;
    } catch (const std::invalid_argument& e) {
        err << "error: drawing: " << e.what() << '\n';
        return false;
    }
    bool written = true;
    if (request.svgFile) written &= writeOutputFile(*request.svgFile, svgDrawingText(drawing), standardOutput, err);
    if (request.dxfFile) written &= writeOutputFile(*request.dxfFile, dxfDrawingText(drawing), standardOutput, err);
    if (request.pdfFile) written &= writeOutputFile(*request.pdfFile, pdfDrawingText(drawing), standardOutput, err);
    return written;
}

CommandFile namedFile(const std::string& role, const std::string& name)
{
    return {role + shownFileName(name), fileIdentity(name)};
}

CommandFile standardOutputFile() { return {"standard output", openFileIdentity(STDOUT_FILENO)}; }

// Two files of the design command that are one: the coordinates, the
// pressures, the drawings and the results file each lose what another wrote. Standard
// output may take the coordinates or pressures (through /dev/stdout too),
// never the results file's record.
std::optional<std::string> designFileClash(const DesignRequest& request)
{
    std::vector<CommandFile> files;
    if (request.datFile && *request.datFile != kStandardStream) files.push_back(namedFile("--dat ", *request.datFile));
    if (request.cpFile && *request.cpFile != kStandardStream) files.push_back(namedFile("--cp ", *request.cpFile));
    const std::pair<const std::optional<std::string>*, const char*> drawings[] = {
        {&request.svgFile, "--svg "}, {&request.dxfFile, "--dxf "}, {&request.pdfFile, "--pdf "}};
    for (const auto& [file, role] : drawings)
        if (*file && **file != kStandardStream) files.push_back(namedFile(role, **file));
    if (!request.save) return sameFileClash(files);
    const CommandFile results = namedFile("the results file ", kResultsFileName);
    files.push_back(results);
    if (auto clash = sameFileClash(files)) return clash;
    return sameFileClash({results, standardOutputFile()});
}

// `out` takes the printed results; `standardOutput` a file named "-".
int runDesignCommand(const DesignRequest& request, std::ostream& out, std::ostream& err, std::ostream& standardOutput)
{
    if (const auto clash = designFileClash(request)) {
        err << "folix: " << *clash << '\n';
        return kExitUsage;
    }
    // With targets, the design is the ordinary one of the inputs they solve for.
    SolvedDesign solved;
    if (request.targets.any()) {
        solved = solveTargets(request.inputs, request.targets, request.alpha);
        if (solved.failure) {
            if (request.json) writeTargetFailureJson(out, request.targets, request.alpha, solved);
            writeTargetFailure(err, *solved.failure);
            return kExitFailed;
        }
    } else {
        solved.inputs = request.inputs;
        solved.outcome = reportedDesign(request.inputs);
        solved.alpha = request.alpha;
    }
    const DesignOutcome& outcome = solved.outcome;
    const MappedSection section = outcome.record.section();
    // The flow comes before any output: a section without one gets no files.
    std::optional<FlowOutcome> flow;
    if (solved.alpha || request.cpFile) {
        const double alpha = solved.alpha.value_or(0.0);
        const std::optional<int> points = request.cpFile ? std::optional(request.points) : std::nullopt;
        flow = outcome.error ? FlowOutcome{alpha, std::nullopt, std::nullopt} : analyseFlow(section, alpha, points);
    }

    if (request.json) writeJson(out, solved.inputs, outcome, flow ? &*flow : nullptr, solved.jsonMembers);
    else if (request.history) writeHistory(out, outcome);
    if (outcome.error) {
        err << "error: " << outcome.error->reason << '\n';
        writeHint(err, outcome);
        return kExitFailed;
    }
    if (!request.json) {
        writeResults(out, outcome);
        out << solved.lines;
        if (solved.alpha && flow->flow) writeLoads(out, *flow->flow);
    }
    if (!converged(outcome)) {
        err << kNotConvergedWarning;
        writeHint(err, outcome);
    }
    if (outcome.surfacesCrossFrom) err << "folix: warning: " << crossingText(outcome) << kCrossingConsequence;
    if (flow && flow->error) {
        err << "error: " << *flow->error << '\n';
        return kExitFailed;
    }

    // Before any file: one may be written through to where `out` goes (/dev/stdout).
    out.flush();
    int status = kExitDone;
    if (request.datFile && outcome.surfacesCrossFrom && !request.allowCrossing) {
        err << "error: not writing " << *request.datFile << ": " << crossingText(outcome)
            << "; --allow-crossing writes the coordinates all the same\n";
        status = kExitFailed;
    } else if (request.datFile) {
        try {
            if (!writeOutputFile(*request.datFile, seligText(section, request.points), standardOutput, err))
                status = kExitFailed;
        } catch (const ArithmeticError& e) {
            err << "error: coordinates: " << e.what() << '\n';
            status = kExitFailed;
        }
    }
    if (request.cpFile) {
        const std::string text = pressureFileText(section, flow->alpha, *flow->flow);
        if (!writeOutputFile(*request.cpFile, text, standardOutput, err)) status = kExitFailed;
    }
    if (request.drawn() && outcome.surfacesCrossFrom && !request.allowCrossing) {
        err << "error: not drawing the section: " << crossingText(outcome)
            << "; --allow-crossing writes the drawings all the same\n";
        status = kExitFailed;
    } else if (request.drawn() && !writeDrawings(request, section, standardOutput, err)) {
        status = kExitFailed;
    }
    if (request.save && !saveOutcome(outcome, err)) status = kExitFailed;
    return status;
}

// The number of rows of a regular file, for the progress line; none for
// anything else, which cannot be read twice.
std::optional<std::size_t> rowsOfFile(int fd)
{
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
    std::optional<std::size_t> rows;
    {
        DescriptorInput counting(fd, interrupted);
        rows = countBatchRows(counting);
        if (counting.error() != 0) rows.reset();
    }
    if (interrupted() || ::lseek(fd, 0, SEEK_SET) != 0) return std::nullopt;
    return rows;
}

// The batch reads its input while it writes standard output, the results file
// and the coordinate files: no two of them may be one file.
std::optional<std::string> batchFileClash(const BatchRequest& request, int inputFd)
{
    const std::string input = request.file == kStandardStream ? "standard input" : "the batch input " + shownFileName(request.file);
    std::vector<CommandFile> files = {{input, openFileIdentity(inputFd)}, standardOutputFile()};
    if (request.save) files.push_back(namedFile("the results file ", kResultsFileName));
    if (auto clash = sameFileClash(files)) return clash;
    if (request.datDir) return coordinateFileClash(*request.datDir, request.firstLine, files);
    return std::nullopt;
}

int runBatchCommand(const BatchRequest& request, std::istream& in, std::ostream& out, std::ostream& err,
                    bool errIsTerminal)
{
    BatchOptions options;
    options.save = request.save;
    options.alpha = request.alpha;
    options.jobs = request.jobs.value_or(defaultJobs());
    options.firstLine = request.firstLine;
    if (request.datDir) options.datDir = *request.datDir;
    options.allowCrossing = request.allowCrossing;
    options.points = request.points;

    const bool standardInput = request.file == kStandardStream;
    const int fd = standardInput ? STDIN_FILENO : ::open(request.file.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        err << "folix: cannot read " << shownFileName(request.file) << ": " << systemReason(errno) << '\n';
        return kExitUsage;
    }
    const FileDescriptor reading(standardInput ? -1 : fd);
    if (const auto clash = batchFileClash(request, fd)) {
        err << "folix: " << *clash << '\n';
        return kExitUsage;
    }

    // Ctrl+C ends the batch after whole rows, every file it was writing complete.
    const InterruptionCatcher catcher;
    options.interruption = interruptionSignal;
    std::optional<ProgressLine> progress;
    if (standardInput) {
        if (errIsTerminal) options.progress = &progress.emplace(err, std::nullopt);
        return runBatch(*in.rdbuf(), out, err, options);
    }
    if (errIsTerminal) options.progress = &progress.emplace(err, rowsOfFile(fd));
    DescriptorInput csv(fd, interrupted);
    csv.sgetc();  // a file that cannot be read at all (a folder) gets no output
    const int status = csv.error() == 0 ? runBatch(csv, out, err, options) : 0;
    if (csv.error() != 0) {
        err << "folix: cannot read " << shownFileName(request.file) << ": " << systemReason(csv.error()) << '\n';
        return kExitUsage;
    }
    return status;
}

}  // namespace

int runFolix(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err,
             bool errIsTerminal)
{
    Request request;
    try {
        request = parseCommandLine(args);
    } catch (const UsageError& e) {
        err << "folix: " << e.what() << "\nTry 'folix --help'.\n";
        return kExitUsage;
    }

    if (std::holds_alternative<HelpRequest>(request)) {
        out << kUsageText;
        return kExitDone;
    }
    if (std::holds_alternative<VersionRequest>(request)) {
        out << "folix " << FOLIX_VERSION << '\n';
        return kExitDone;
    }
    if (const auto* design = std::get_if<DesignRequest>(&request)) {
        // Standard output then carries that file alone.
        bool fileOnOutput = false;
        for (const std::optional<std::string>* file : design->files()) fileOnOutput |= *file == kStandardStream;
        return runDesignCommand(*design, fileOnOutput ? err : out, err, out);
    }
    if (const auto* polar = std::get_if<PolarRequest>(&request)) return runPolarCommand(*polar, out, err);
    if (const auto* bucket = std::get_if<BucketRequest>(&request)) return runBucketCommand(*bucket, out, err);
    return runBatchCommand(std::get<BatchRequest>(request), in, out, err, errIsTerminal);
}

}  // namespace folix
