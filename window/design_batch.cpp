#include "design_batch.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>

namespace folix {

unsigned defaultJobs()
{
    return std::max(1U, std::thread::hardware_concurrency());
}

void forEachIndex(std::size_t count, unsigned jobs, const std::function<void(std::size_t)>& work)
{
    const std::size_t workers = std::min<std::size_t>(std::max(1U, jobs), count);
    if (workers <= 1) {
        for (std::size_t i = 0; i < count; ++i) work(i);
        return;
    }

    std::atomic<std::size_t> next{0};
    std::atomic<bool> failed{false};
    std::exception_ptr firstError;
    std::mutex errorMutex;
    auto worker = [&] {
        for (std::size_t i = next++; i < count && !failed; i = next++) {
            try {
                work(i);
            } catch (...) {
                const std::lock_guard<std::mutex> lock(errorMutex);
                if (!firstError) firstError = std::current_exception();
                failed = true;
            }
        }
    };
    std::vector<std::thread> threads;
    threads.reserve(workers - 1);
    for (std::size_t t = 1; t < workers; ++t) {
        try {
            threads.emplace_back(worker);
        } catch (const std::system_error&) {
            break;  // the system has no more threads to give: those running share the rows
        }
    }
    worker();
    for (std::thread& thread : threads) thread.join();
    if (firstError) std::rethrow_exception(firstError);
}

std::vector<DesignOutcome> designOutcomes(const std::vector<DesignInputs>& inputs, unsigned jobs)
{
    std::vector<DesignOutcome> outcomes(inputs.size());
    forEachIndex(inputs.size(), jobs, [&](std::size_t i) { outcomes[i] = designOutcome(inputs[i]); });
    return outcomes;
}

}  // namespace folix
