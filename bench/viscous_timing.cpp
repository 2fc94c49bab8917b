// Viscous polars from XFOIL over 20 sections: polars per second on one and
// two workers, and folix's own share of a polar's time: its processor time
// against XFOIL's (which a busy machine leaves as they are), and its wall
// time against XFOIL run alone on the same input files (the same spawn,
// nothing read or checked). Median of three rounds; skipped when XFOIL is not
// installed.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>

#include <sys/resource.h>
#include <unistd.h>

#include "engine/selig_export.h"
#include "viscous/child_process.h"
#include "viscous/contour_handover.h"
#include "viscous/polar_batch.h"
#include "viscous/private_folder.h"
#include "viscous/xfoil_commands.h"
#include "viscous/xfoil_program.h"
#include "window/design_outcome.h"

namespace {

using namespace folix;
using Clock = std::chrono::steady_clock;

constexpr int kRounds = 3;

std::vector<PolarJob> sections(const std::vector<double>& alphas)
{
    std::vector<PolarJob> jobs;
    for (const double thickness : {0.10, 0.12, 0.14, 0.16, 0.18})
        for (const double camber : {0.0, 0.02})
            for (const double angle : {5.0, 10.0}) {
                const DesignOutcome d = designOutcome(exactInputs(thickness, camber, angle, std::nullopt));
                jobs.push_back({seligPoints(d.F, d.G, d.m, kDefaultSeligPoints), seligName(designRecord(d)), alphas});
            }
    return jobs;
}

// Processor seconds, user and system, of this process or of its reaped children.
double processorSeconds(int who)
{
    rusage usage{};
    ::getrusage(who, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + 1e-6 * static_cast<double>(t.tv_usec);
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// XFOIL alone: the files viscousPolar writes, one run per branch, nothing read back.
double xfoilAlone(const std::vector<PolarJob>& jobs, const ViscousOptions& options, const XfoilProgram& xfoil)
{
    std::vector<std::string> environment;
    for (char** entry = environ; *entry; ++entry) environment.emplace_back(*entry);
    environment.push_back("LD_PRELOAD=" + xfoil.noTrapsLibrary);
    const auto start = Clock::now();
    for (const PolarJob& job : jobs) {
        const PrivateFolder folder;
        std::ofstream(folder.path() / "contour.dat") << seligText(xfoilName(job.name), job.contour);
        int run = 0;
        for (const auto& branch : sweepBranches(job.alphas)) {
            std::vector<double> alphas;
            alphas.reserve(branch.size());
            for (const std::size_t i : branch) alphas.push_back(job.alphas[i]);
            const auto input = folder.path() / ("run" + std::to_string(++run) + ".in");
            std::ofstream(input) << xfoilCommands(xfoilRunFiles(run), options, alphas);
            ChildProcess child({xfoil.program, folder.path(), input, environment});
            child.wait(Clock::now() + std::chrono::minutes(5), nullptr, {});
        }
    }
    return secondsSince(start);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main()
{
    const std::string unavailable = xfoilUnavailableReason("");
    if (!unavailable.empty()) {
        std::printf("skipped: %s\n", unavailable.c_str());
        return 0;
    }
    std::vector<double> alphas;
    for (int alpha = -4; alpha <= 12; ++alpha) alphas.push_back(alpha);
    ViscousOptions options;
    options.reynolds = 1e6;
    const std::vector<PolarJob> jobs = sections(alphas);
    const XfoilProgram xfoil = findXfoil("");

    std::vector<double> alone, one, two, ownProcessor, xfoilProcessor;
    std::size_t converged = 0, angles = 0;
    for (int round = 0; round < kRounds; ++round) {
        alone.push_back(xfoilAlone(jobs, options, xfoil));
        const double own = processorSeconds(RUSAGE_SELF);
        const double children = processorSeconds(RUSAGE_CHILDREN);
        auto start = Clock::now();
        const auto polars = viscousPolars(jobs, options, 1);
        one.push_back(secondsSince(start));
        ownProcessor.push_back(processorSeconds(RUSAGE_SELF) - own);
        xfoilProcessor.push_back(processorSeconds(RUSAGE_CHILDREN) - children);
        start = Clock::now();
        viscousPolars(jobs, options, 2);
        two.push_back(secondsSince(start));
        for (const auto& polar : polars)
            for (const auto& angle : polar.angles) {
                ++angles;
                if (angle.status == ViscousAngle::Status::Converged) ++converged;
            }
    }
    const double n = static_cast<double>(jobs.size());
    std::printf("%zu sections, %zu angles each (-4 to 12 degrees), Re 1e6, %zu of %zu angles converged\n",
                jobs.size(), alphas.size(), converged, angles);
    std::printf("XFOIL alone, one polar after the other: %.1f ms a polar\n", 1e3 * median(alone) / n);
    std::printf("folix, 1 worker: %.2f polars/s, %.1f ms a polar, %.1f %% over XFOIL alone\n", n / median(one),
                1e3 * median(one) / n, 100 * (median(one) / median(alone) - 1));
    std::printf("  processor time a polar: XFOIL %.1f ms, folix %.2f ms (%.2f %% of XFOIL's)\n",
                1e3 * median(xfoilProcessor) / n, 1e3 * median(ownProcessor) / n,
                100 * median(ownProcessor) / median(xfoilProcessor));
    std::printf("folix, 2 workers: %.2f polars/s, %.2f times 1 worker\n", n / median(two), median(one) / median(two));
}
