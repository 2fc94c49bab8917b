#include "folix_cli.h"

#include <fstream>
#include <iterator>
#include <sstream>
#include <variant>

#include "batch_run.h"
#include "command_line.h"
#include "design_report.h"
#include "engine/atomic_file.h"
#include "engine/selig_export.h"
#include "reported_design.h"
#include "save_design.h"
#include "section_flow.h"

namespace folix {

namespace {

constexpr int kExitDone = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// Writes one file of the command; false, after saying why, when it could not.
bool writeOutputFile(const std::string& file, const std::string& text, std::ostream& err)
{
    const FileWrite written = writeFileAtomically(file, text);
    if (!written.written) err << "error: cannot write " << file << ": " << written.reason << '\n';
    return written.written;
}

int runDesignCommand(const DesignRequest& request, std::ostream& out, std::ostream& err)
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

    int status = kExitDone;
    if (request.datFile) {
        try {
            if (!writeOutputFile(*request.datFile, seligText(record, request.points), err)) status = kExitFailed;
        } catch (const ArithmeticError& e) {
            err << "error: coordinates: " << e.what() << '\n';
            status = kExitFailed;
        }
    }
    if (request.cpFile) {
        const std::string text = pressureFileText(record, flow->alpha, *flow->flow);
        if (!writeOutputFile(*request.cpFile, text, err)) status = kExitFailed;
    }
    if (request.save && !saveDesign(record, err)) status = kExitFailed;
    return status;
}

std::optional<std::string> readAll(const std::string& file, std::istream& in)
{
    if (file == "-") return std::string(std::istreambuf_iterator<char>(in), {});
    std::ifstream stream(file, std::ios::binary);
    if (!stream) return std::nullopt;
    std::ostringstream contents;
    contents << stream.rdbuf();
    if (stream.bad() || contents.bad()) return std::nullopt;
    return std::move(contents).str();
}

int runBatchCommand(const BatchRequest& request, std::istream& in, std::ostream& out, std::ostream& err)
{
    std::error_code ignored;
    const auto csv = std::filesystem::is_directory(request.file, ignored) ? std::nullopt : readAll(request.file, in);
    if (!csv) {
        err << "folix: cannot read " << request.file << '\n';
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
    if (const auto* design = std::get_if<DesignRequest>(&request)) return runDesignCommand(*design, out, err);
    return runBatchCommand(std::get<BatchRequest>(request), in, out, err);
}

}  // namespace folix
