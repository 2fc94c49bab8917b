#include "folix_cli.h"

#include <cerrno>
#include <iterator>
#include <variant>

#include <fcntl.h>
#include <unistd.h>

#include "batch_run.h"
#include "command_line.h"
#include "design_report.h"
#include "engine/selig_export.h"
#include "window/reported_design.h"
#include "results/file_descriptor.h"
#include "results/file_output.h"
#include "save_design.h"
#include "engine/section_flow.h"

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
    if (!written.written) err << "error: cannot write " << file << ": " << written.reason << '\n';
    return written.written;
}

// `out` takes the printed results; `standardOutput` a file named "-".
int runDesignCommand(const DesignRequest& request, std::ostream& out, std::ostream& err, std::ostream& standardOutput)
{
    const DesignOutcome outcome = reportedDesign(request.inputs);
    DesignState record = designRecord(outcome);
    // The flow comes before any output: a section without one gets no files.
    std::optional<FlowOutcome> flow;
    if (request.alpha || request.cpFile) {
        const double alpha = request.alpha.value_or(0.0);
        const std::optional<int> points = request.cpFile ? std::optional(request.points) : std::nullopt;
        flow = outcome.error ? FlowOutcome{alpha, std::nullopt, std::nullopt} : analyseFlow(record, alpha, points);
    }

    if (request.json) writeJson(out, request.inputs, outcome, flow ? &*flow : nullptr);
    else if (request.history) writeHistory(out, outcome);
    if (outcome.error) {
        err << "error: " << outcome.error->reason << '\n';
        return kExitFailed;
    }
    if (!request.json) {
        writeResults(out, outcome);
        if (request.alpha && flow->flow) writeLoads(out, *flow->flow);
    }
    if (!outcome.converged()) err << "folix: warning: the iteration did not converge; the values are the last ones tried\n";
    if (flow && flow->error) {
        err << "error: " << *flow->error << '\n';
        return kExitFailed;
    }

    // Before any file: one may be written through to where `out` goes (/dev/stdout).
    out.flush();
    int status = kExitDone;
    if (request.datFile) {
        try {
            if (!writeOutputFile(*request.datFile, seligText(record, request.points), standardOutput, err))
                status = kExitFailed;
        } catch (const ArithmeticError& e) {
            err << "error: coordinates: " << e.what() << '\n';
            status = kExitFailed;
        }
    }
    if (request.cpFile) {
        const std::string text = pressureFileText(record, flow->alpha, *flow->flow);
        if (!writeOutputFile(*request.cpFile, text, standardOutput, err)) status = kExitFailed;
    }
    if (request.save && !saveDesign(record, err)) status = kExitFailed;
    return status;
}

// The whole batch file; none, and the system's reason in `reason`, when it cannot be read.
std::optional<std::string> readAll(const std::string& file, std::istream& in, std::string& reason)
{
    if (file == kStandardStream) return std::string(std::istreambuf_iterator<char>(in), {});
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        reason = systemReason(errno);
        return std::nullopt;
    }
    FileDescriptor reading(fd);
    std::string contents;
    char chunk[1 << 16];
    for (;;) {
        const ssize_t count = ::read(reading.get(), chunk, sizeof chunk);
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) {
            reason = systemReason(errno);
            return std::nullopt;
        }
        if (count == 0) return contents;
        contents.append(chunk, static_cast<std::size_t>(count));
    }
}

int runBatchCommand(const BatchRequest& request, std::istream& in, std::ostream& out, std::ostream& err)
{
    std::string reason;
    const auto csv = readAll(request.file, in, reason);
    if (!csv) {
        err << "folix: cannot read " << request.file << ": " << reason << '\n';
        return kExitUsage;
    }
    return runBatch(*csv, out, err, request.save, request.alpha);
}

}  // namespace

int runFolix(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err)
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
        const bool fileOnOutput = design->datFile == kStandardStream || design->cpFile == kStandardStream;
        return runDesignCommand(*design, fileOnOutput ? err : out, err, out);
    }
    return runBatchCommand(std::get<BatchRequest>(request), in, out, err);
}

}  // namespace folix
