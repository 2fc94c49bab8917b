#include "viscous_polar.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <system_error>

#include <unistd.h>

#include "child_process.h"
#include "contour_handover.h"
#include "engine/number_text.h"
#include "polar_file.h"
#include "private_folder.h"
#include "results/file_output.h"
#include "xfoil_commands.h"
#include "xfoil_program.h"

namespace folix {

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr double kLargestAngle = 90;
constexpr double kClosestAngles = 0.001;
// XFOIL's files take a few kilobytes and under a hundred bytes an angle;
// one larger than this is not a result.
std::size_t largestOutput(std::size_t angles)
{
    return (std::size_t{64} << 10) + 256 * angles;
}

// A file XFOIL wrote: nullopt when it is larger than `largest`, "" when missing.
std::optional<std::string> readOutput(const fs::path& path, std::size_t largest)
{
    std::ifstream file(path, std::ios::binary);
    std::string text;
    char buffer[16384];
    while (file.read(buffer, sizeof buffer) || file.gcount() > 0) {
        text.append(buffer, static_cast<std::size_t>(file.gcount()));
        if (text.size() > largest) return std::nullopt;
    }
    return text;
}

bool isThere(const fs::path& path)
{
    std::error_code error;
    return fs::exists(path, error);
}

// The process's environment for XFOIL: no display, so it never opens a
// window, and the library that keeps its floating-point traps off.
std::vector<std::string> xfoilEnvironment(const std::string& noTrapsLibrary)
{
    std::vector<std::string> environment;
    for (char** entry = environ; *entry; ++entry) {
        const std::string_view variable(*entry);
        if (variable.starts_with("LD_PRELOAD=") || variable.starts_with("DISPLAY=")) continue;
        environment.emplace_back(variable);
    }
    environment.push_back("LD_PRELOAD=" + noTrapsLibrary);
    return environment;
}

// A file of XFOIL's input that could not be written.
class InputNotWritten : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

void writeInput(const fs::path& path, const std::string& text)
{
    const FileWrite write = writeTextFile(path, text);
    if (!write.written) throw InputNotWritten("cannot write " + path.string() + ": " + write.reason);
}

ViscousAngle readingAngle(double alpha, const AngleReading& reading)
{
    ViscousAngle angle;
    angle.alpha = alpha;
    switch (reading.kind) {
    case AngleReading::Kind::Converged:
        angle.status = ViscousAngle::Status::Converged;
        angle.Cl = reading.row.Cl;
        angle.Cd = reading.row.Cd;
        angle.Cdp = reading.row.Cdp;
        angle.Cm = reading.row.Cm;
        angle.xtrTop = reading.row.xtrTop;
        angle.xtrBottom = reading.row.xtrBottom;
        break;
    case AngleReading::Kind::NotConverged:
        angle.status = ViscousAngle::Status::NotConverged;
        break;
    case AngleReading::Kind::Failed:
        angle.failure = reading.failure;
        break;
    }
    return angle;
}

std::string secondsText(double seconds)
{
    return formatGeneral(std::round(seconds * 10) / 10) + " s";
}

// One polar: the runs of XFOIL over its branches and the angles' results.
class PolarRunner {
public:
    PolarRunner(const std::vector<SectionPoint>& contour, const std::string& name, const std::vector<double>& alphas,
                const ViscousOptions& options, const PolarControl& control, const XfoilProgram& xfoil)
        : fed_(xfoilContour(contour)),
          name_(xfoilName(name)),
          alphas_(alphas),
          options_(options),
          control_(control),
          program_(xfoil.program),
          environment_(xfoilEnvironment(xfoil.noTrapsLibrary)),
          timeout_(timeoutSeconds(alphas.size(), options)),
          deadline_(Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(timeout_)))
    {
        polar_.angles.resize(alphas.size());
        for (std::size_t i = 0; i < alphas.size(); ++i) polar_.angles[i].alpha = alphas[i];
        decided_.assign(alphas.size(), false);
    }

    ViscousPolar run()
    {
        if (alphas_.empty()) return polar_;
        try {
            const PrivateFolder folder;
            folder_ = folder.path();
            writeInput(folder_ / xfoilRunFiles(0).contour, seligText(name_, fed_));
            runBranches();
        } catch (const std::system_error& problem) {  // no temporary folder
            failTheRest(problem.what());
        } catch (const InputNotWritten& problem) {
            failTheRest(problem.what());
        }
        return polar_;
    }

private:
    // How a run of XFOIL ended for the polar.
    struct RunEnd {
        std::size_t decided = 0;  // angles of the run with a result, from its first
        std::string fatal;        // a reason no run of this polar can succeed
        std::string blame;        // what befell the angle it was on when it ended
        bool polarEnds = false;   // timed out or cancelled
    };

    // What is known of a run while it goes on.
    struct RunState {
        std::size_t decided = 0;
        bool contourChecked = false;
        bool restart = false;  // an angle failed: the rest goes to a fresh XFOIL
        std::string fatal;
    };

    void runBranches()
    {
        for (const auto& branch : sweepBranches(alphas_)) {
            for (std::size_t done = 0; done < branch.size();) {
                if (cancelled()) return failTheRest("cancelled");
                if (Clock::now() >= deadline_) return failTheRest(notReached());
                const std::vector<std::size_t> rest(branch.begin() + static_cast<std::ptrdiff_t>(done), branch.end());
                const RunEnd end = runXfoil(rest);
                done += end.decided;
                if (!end.fatal.empty()) return failTheRest(end.fatal);
                if (done < branch.size() && !end.blame.empty()) decide(branch[done++], failed(end.blame));
                if (end.polarEnds) return failTheRest(cancelled() ? "cancelled" : notReached());
            }
        }
    }

    RunEnd runXfoil(const std::vector<std::size_t>& indices)
    {
        const XfoilRunFiles files = xfoilRunFiles(++runs_);
        std::vector<double> alphas;
        alphas.reserve(indices.size());
        for (const std::size_t i : indices) alphas.push_back(alphas_[i]);
        const fs::path input = folder_ / ("run" + std::to_string(runs_) + ".in");
        writeInput(input, xfoilCommands(files, options_, alphas));

        std::optional<ChildProcess> child;
        try {
            child.emplace(ChildLaunch{program_, folder_, input, environment_});
        } catch (const std::system_error& problem) {
            return {0, std::string(problem.what()), "", false};
        }
        RunState state;
        const auto collect = [&] { return collectRun(files, indices, alphas, state, false); };
        const ChildEnd end = child->wait(deadline_, control_.cancel, collect);
        child.reset();
        if (end.kind == ChildEnd::Kind::Dismissed) return {state.decided, state.fatal, "", false};

        const bool ended = end.kind == ChildEnd::Kind::Exited || end.kind == ChildEnd::Kind::Signalled;
        collectRun(files, indices, alphas, state, ended);
        RunEnd result{state.decided, state.fatal, "", false};
        if (!result.fatal.empty() || state.decided == indices.size() || state.restart) return result;
        switch (end.kind) {
        case ChildEnd::Kind::TimedOut:
            result.blame = "timed out: the polar's time limit of " + secondsText(timeout_) + " ran out at this angle";
            result.polarEnds = true;
            break;
        case ChildEnd::Kind::Cancelled:
            result.blame = "cancelled";
            result.polarEnds = true;
            break;
        default:
            // Ending before the contour was saved would happen again on every run.
            if (!state.contourChecked)
                result.fatal = "XFOIL " + childEndText(end) + " before it had loaded the contour";
            else
                result.blame = "XFOIL " + childEndText(end) + " at this angle";
        }
        return result;
    }

    // Reads what the run has finished since last time and decides those
    // angles: false once XFOIL is no longer needed. `ended`: XFOIL ended by
    // itself, so its files are all it will write.
    bool collectRun(const XfoilRunFiles& files, const std::vector<std::size_t>& indices,
                    const std::vector<double>& alphas, RunState& state, bool ended)
    {
        std::size_t finished = state.decided;
        while (finished < indices.size() && isThere(folder_ / files.marker(finished))) ++finished;
        // XFOIL saves the airfoil before its first angle, so the save is
        // complete once a marker is there or XFOIL has ended by itself.
        if (!state.contourChecked && (finished > 0 || (ended && isThere(folder_ / files.saved)))) {
            const auto saved = readOutput(folder_ / files.saved, largestOutput(0));
            const auto nodes = static_cast<std::size_t>(options_.panelNodes);
            state.fatal = saved ? contourMismatch(*saved, name_, fed_, nodes) : "XFOIL's saved contour is too large";
            if (!state.fatal.empty()) return false;
            state.contourChecked = true;
        }
        if (finished == state.decided) return true;

        const auto text = readOutput(folder_ / files.polar, largestOutput(indices.size()));
        if (!text) {
            state.fatal = "XFOIL's polar file is larger than any result";
            return false;
        }
        const PolarFile polar = readPolarFile(*text);
        state.fatal = polarHeaderMismatch(polar, name_, options_);
        if (!state.fatal.empty()) return false;
        const auto readings = readRunAngles(polar, alphas, finished, options_.viscous);
        for (std::size_t k = state.decided; k < finished; ++k) {
            const ViscousAngle angle = readingAngle(alphas[k], readings[k]);
            if (angle.status == ViscousAngle::Status::Failed) state.restart = true;
            decide(indices[k], angle);
        }
        state.decided = finished;
        return !state.restart && state.decided < indices.size();
    }

    bool cancelled() const { return control_.cancel && control_.cancel->load(); }

    ViscousAngle failed(const std::string& reason) const
    {
        ViscousAngle angle;
        angle.failure = reason;
        return angle;
    }

    std::string notReached() const
    {
        return "not reached within the polar's time limit of " + secondsText(timeout_);
    }

    void decide(std::size_t index, ViscousAngle angle)
    {
        angle.alpha = alphas_[index];
        polar_.angles[index] = angle;
        decided_[index] = true;
        if (control_.angleDone) control_.angleDone(index, polar_.angles[index]);
    }

    void failTheRest(const std::string& reason)
    {
        for (std::size_t i = 0; i < alphas_.size(); ++i)
            if (!decided_[i]) decide(i, failed(reason));
    }

    std::vector<SectionPoint> fed_;
    std::string name_;
    const std::vector<double>& alphas_;
    const ViscousOptions& options_;
    const PolarControl& control_;
    std::string program_;
    std::vector<std::string> environment_;
    double timeout_;
    Clock::time_point deadline_;
    fs::path folder_;
    int runs_ = 0;
    ViscousPolar polar_;
    std::vector<bool> decided_;
};

}  // namespace

std::string statusText(const ViscousAngle& angle)
{
    switch (angle.status) {
    case ViscousAngle::Status::Converged:
        return "converged";
    case ViscousAngle::Status::NotConverged:
        return "not converged";
    case ViscousAngle::Status::Failed:
        break;
    }
    return "failed: " + angle.failure;
}

void checkPolarAngles(const std::vector<double>& alphas)
{
    std::vector<double> sorted = alphas;
    for (const double alpha : sorted) {
        if (std::abs(alpha) <= kLargestAngle) continue;
        const std::string given = std::isfinite(alpha) ? formatGeneral(alpha) : "not a number";
        throw std::invalid_argument("angles of attack must be from -90 to 90 degrees (given " + given + ")");
    }
    std::sort(sorted.begin(), sorted.end());
    for (std::size_t i = 1; i < sorted.size(); ++i)
        if (sorted[i] - sorted[i - 1] < kClosestAngles * (1 - 1e-9))
            throw std::invalid_argument("angles of attack must be at least 0.001 degrees apart (given " +
                                        formatGeneral(sorted[i - 1]) + " and " + formatGeneral(sorted[i]) + ")");
}

std::vector<std::vector<std::size_t>> sweepBranches(const std::vector<double>& alphas)
{
    std::vector<std::size_t> order(alphas.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return alphas[a] < alphas[b]; });
    const auto nearest = std::min_element(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const double da = std::abs(alphas[a]);
        const double db = std::abs(alphas[b]);
        return da < db || (da == db && alphas[a] > alphas[b]);
    });
    std::vector<std::size_t> upwards(nearest, order.end());
    std::vector<std::size_t> downwards(order.begin(), nearest);
    std::reverse(downwards.begin(), downwards.end());
    return {upwards, downwards};
}

ViscousPolar viscousPolar(const std::vector<SectionPoint>& contour, const std::string& name,
                          const std::vector<double>& alphas, const ViscousOptions& options, const PolarControl& control)
{
    checkViscousOptions(options);
    checkPolarAngles(alphas);
    checkContour(contour);
    return PolarRunner(contour, name, alphas, options, control, findXfoil(options.xfoil)).run();
}

}  // namespace folix
