#include "parallel_work.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
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
    forEachIndex(count, jobs, work, {});
}

void forEachIndex(std::size_t count, unsigned jobs, const std::function<void(std::size_t)>& work,
                  const std::function<void(std::size_t done)>& progress)
{
    const std::size_t workers = std::min<std::size_t>(std::max(1U, jobs), count);
    if (workers <= 1) {
        for (std::size_t i = 0; i < count; ++i) {
            work(i);
            if (progress) progress(i + 1);
        }
        return;
    }

    std::atomic<std::size_t> next{0};
    std::atomic<std::size_t> done{0};
    std::atomic<bool> failed{false};
    std::exception_ptr firstError;
    std::mutex mutex;  // guards firstError and running
    std::condition_variable finished;
    std::size_t running = 0;
    auto worker = [&] {
        for (std::size_t i = next++; i < count && !failed; i = next++) {
            try {
                work(i);
            } catch (...) {
                const std::lock_guard<std::mutex> lock(mutex);
                if (!firstError) firstError = std::current_exception();
                failed = true;
            }
            ++done;
        }
    };
    auto counted = [&] {
        worker();
        const std::lock_guard<std::mutex> lock(mutex);
        --running;
        finished.notify_one();
    };

    // With progress to tell, the calling thread only watches; else it works too.
    const std::size_t spawned = progress ? workers : workers - 1;
    std::vector<std::thread> threads;
    threads.reserve(spawned);
    for (std::size_t t = 0; t < spawned; ++t) {
        try {
            const std::lock_guard<std::mutex> lock(mutex);
            threads.emplace_back(counted);
            ++running;
        } catch (const std::system_error&) {
            break;  // no more threads to be had: those there share the work
        }
    }
    if (!progress || threads.empty()) {
        worker();
    } else {
        std::unique_lock<std::mutex> lock(mutex);
        while (!finished.wait_for(lock, std::chrono::milliseconds(kProgressIntervalMs), [&] { return running == 0; })) {
            lock.unlock();
            progress(done);
            lock.lock();
        }
    }
    for (std::thread& thread : threads) thread.join();
    if (progress) progress(done);
    if (firstError) std::rethrow_exception(firstError);
}

}  // namespace folix
