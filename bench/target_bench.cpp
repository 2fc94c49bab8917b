// Designs to aerodynamic targets over grids of inputs: the median wall time of
// one design for lift at an angle, one at the ideal angle, one cavitation
// bucket and one thinnest section for a bucket, and the design runs the
// designs for lift used. Prints one line per kind.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "design/bucket_design.h"
#include "design/cavitation_bucket.h"
#include "design/lift_design.h"
#include "design/reported_design.h"

namespace {

using namespace folix;
using Clock = std::chrono::steady_clock;

struct Timed {
    std::vector<double> ms;
    std::vector<int> runs;
    int failed = 0;
};

template <typename T>
T median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? T{} : values[(values.size() - 1) / 2];
}

// Times `design`, which says whether it met its target and how many design runs it took.
void time(Timed& timed, const std::function<std::pair<bool, int>()>& design)
{
    const auto start = Clock::now();
    const auto [met, runs] = design();
    timed.ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    if (!met) ++timed.failed;
    else timed.runs.push_back(runs);
}

void report(const char* what, const Timed& timed, bool runs)
{
    std::printf("%s: %zu designs (%d not met), median %.3f ms", what, timed.ms.size(), timed.failed, median(timed.ms));
    if (runs && !timed.runs.empty())
        std::printf(", design runs median %d, most %d", median(timed.runs),
                    *std::max_element(timed.runs.begin(), timed.runs.end()));
    std::printf("\n");
}

DesignInputs section(double thickness, double teAngle)
{
    DesignInputs inputs;
    inputs.thickness = thickness;
    inputs.teAngleDegrees = teAngle;
    return inputs;
}

}  // namespace

int main()
{
    const double thicknesses[] = {0.06, 0.09, 0.12, 0.15, 0.2};
    const double angles[] = {5, 10, 15};
    Timed atAngle;
    Timed atIdeal;
    for (const double t : thicknesses) {
        for (const double te : angles) {
            for (const double Cl : {0.3, 0.5, 0.8, 1.0}) {
                for (const double alpha : {0.0, 2.0, 4.0}) {
                    time(atAngle, [&] {
                        const LiftDesign d = designForLift({section(t, te), Cl, alpha});
                        return std::pair(!d.failure, d.designRuns);
                    });
                }
            }
            for (const double Cl : {0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.8, 1.0}) {
                time(atIdeal, [&] {
                    const LiftDesign d = designForLift({section(t, te), Cl, std::nullopt});
                    return std::pair(!d.failure, d.designRuns);
                });
            }
        }
    }
    report("design for lift at an angle", atAngle, true);
    report("design for lift at the ideal angle", atIdeal, true);

    Timed buckets;
    for (const double t : thicknesses) {
        for (const double camber : {0.0, 0.02, 0.04}) {
            DesignInputs inputs = section(t, 10);
            inputs.camber = camber;
            const DesignRecord r = reportedDesign(inputs).record;
            for (const double sigma : {0.5, 1.0, 2.0}) {
                time(buckets, [&] { return std::pair(cavitationBucket(r.F, r.G, r.m, sigma).bucket.has_value(), 0); });
            }
        }
    }
    report("cavitation bucket", buckets, false);

    Timed bucketDesigns;
    for (const double Cl : {0.2, 0.3, 0.4}) {
        for (const double sigma : {0.8, 1.2}) {
            for (const double halfWidth : {0.1, 0.2}) {
                time(bucketDesigns, [&] {
                    const BucketDesign d = designForBucket({section(0, 10), Cl, sigma, halfWidth});
                    return std::pair(!d.failure, d.designRuns);
                });
            }
        }
    }
    report("thinnest section for a bucket", bucketDesigns, true);
    return 0;
}
