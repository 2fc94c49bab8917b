// Viscous polars from XFOIL over 20 sections: polars per second on one and
// two workers, and folix's own share of a polar's time, as processor time
// against XFOIL's and as wall time against XFOIL run alone on the same input
// files (the same spawn, nothing read or checked). Each polar is run alone
// and through folix in turn, so that the load of a shared machine falls on
// both alike. Median of three rounds; skipped when XFOIL is not installed.

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
#include "design/design_outcome.h"

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
                const DesignRecord d = designOutcome({thickness, camber, angle, std::nullopt}).record;
                jobs.push_back({seligPoints(d.F, d.G, d.m, kDefaultSeligPoints), seligName(d.section()), alphas});
            }
    return jobs;
}

// Wall and processor seconds: this process's own and its reaped children's.
struct Times {
    double wall = 0;
    double own = 0;
    double children = 0;

    static Times now()
    {
        const auto seconds = [](int who) {
            rusage usage{};
            ::getrusage(who, &usage);
            const auto s = [](const timeval& t) {
                return static_cast<double>(t.tv_sec) + 1e-6 * static_cast<double>(t.tv_usec);
            };
            return s(usage.ru_utime) + s(usage.ru_stime);
        };
        return {std::chrono::duration<double>(Clock::now().time_since_epoch()).count(), seconds(RUSAGE_SELF),
                seconds(RUSAGE_CHILDREN)};
    }
    Times operator-(const Times& b) const { return {wall - b.wall, own - b.own, children - b.children}; }
    Times& operator+=(const Times& b)
    {
        wall += b.wall;
        own += b.own;
        children += b.children;
        return *this;
    }
};

// XFOIL alone: the files viscousPolar writes, one run per branch, nothing read back.
void xfoilAlone(const PolarJob& job, const ViscousOptions& options, const XfoilProgram& xfoil)
{
    std::vector<std::string> environment;
    for (char** entry = environ; *entry; ++entry) environment.emplace_back(*entry);
    environment.push_back("LD_PRELOAD=" + xfoil.noTrapsLibrary);
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

    std::vector<double> aloneWall, oneWall, ownShare, twoWall;
    std::size_t converged = 0, angles = 0;
    for (int round = 0; round < kRounds; ++round) {
        Times alone, one;
        for (std::size_t i = 0; i < jobs.size(); ++i) {
            for (int turn = 0; turn < 2; ++turn) {
                const Times start = Times::now();
                if ((turn + i) % 2 == 0) {
                    xfoilAlone(jobs[i], options, xfoil);
                    alone += Times::now() - start;
                } else {
                    const auto polars = viscousPolars({jobs[i]}, options, 1);
                    for (const auto& angle : polars[0].angles) {
                        ++angles;
                        if (angle.status == ViscousAngle::Status::Converged) ++converged;
                    }
                    one += Times::now() - start;
                }
            }
        }
        aloneWall.push_back(alone.wall);
        oneWall.push_back(one.wall);
        ownShare.push_back(one.own / one.children);
        const Times start = Times::now();
        viscousPolars(jobs, options, 2);
        twoWall.push_back((Times::now() - start).wall);
    }
    const double n = static_cast<double>(jobs.size());
    std::printf("%zu sections, %zu angles each (-4 to 12 degrees), Re 1e6, %zu of %zu angles converged\n",
                jobs.size(), alphas.size(), converged, angles);
    std::printf("XFOIL alone: %.1f ms a polar\n", 1e3 * median(aloneWall) / n);
    std::printf("folix, 1 worker: %.2f polars/s, %.1f ms a polar, %+.1f %% against XFOIL alone\n",
                n / median(oneWall), 1e3 * median(oneWall) / n, 100 * (median(oneWall) / median(aloneWall) - 1));
    std::printf("  folix's own processor time: %.2f %% of XFOIL's\n", 100 * median(ownShare));
    std::printf("folix, 2 workers: %.2f polars/s, %.2f times 1 worker\n", n / median(twoWall),
                median(oneWall) / median(twoWall));
}
