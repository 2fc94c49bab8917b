#include "polar_batch.h"

#include <stdexcept>

#include "design/parallel_work.h"
#include "xfoil_program.h"

namespace folix {

namespace {

// The one use of the shared parallel loop.
void inParallel(std::size_t count, unsigned workers, const std::function<void(std::size_t)>& work,
                const std::function<void(std::size_t)>& progress)
{
    if (progress)
        forEachIndex(count, workers, work, progress);
    else
        forEachIndex(count, workers, work);
}

ViscousPolar refused(const PolarJob& job, const std::string& reason)
{
    ViscousPolar polar;
    for (const double alpha : job.alphas) {
        ViscousAngle angle;
        angle.alpha = alpha;
        angle.failure = reason;
        polar.angles.push_back(angle);
    }
    return polar;
}

}  // namespace

std::vector<ViscousPolar> viscousPolars(const std::vector<PolarJob>& jobs, const ViscousOptions& options,
                                        unsigned workers, const std::atomic<bool>* cancel,
                                        const std::function<void(std::size_t done)>& progress)
{
    checkViscousOptions(options);
    ViscousOptions found = options;
    found.xfoil = findXfoil(options.xfoil).program;
    PolarControl control;
    control.cancel = cancel;
    std::vector<ViscousPolar> polars(jobs.size());
    inParallel(
        jobs.size(), workers,
        [&](std::size_t i) {
            try {
                polars[i] = viscousPolar(jobs[i].contour, jobs[i].name, jobs[i].alphas, found, control);
            } catch (const std::invalid_argument& problem) {
                polars[i] = refused(jobs[i], problem.what());
            }
        },
        progress);
    return polars;
}

}  // namespace folix
