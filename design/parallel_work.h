#pragma once

#include <cstddef>
#include <functional>

namespace folix {

// The most workers a study may be given: far beyond any core count, short of
// what the system could start.
inline constexpr unsigned kMostJobs = 1024;

// The number of workers a study uses unless told otherwise: one per core.
unsigned defaultJobs();

// Calls work(i) once for every i in [0, count), on `jobs` threads at most
// (1: in the calling thread, in order). Indices are handed out one at a time,
// so uneven rows keep every worker busy; when the system cannot start as
// many threads, fewer do the work. The first exception a call throws is
// rethrown here once every worker has stopped.
void forEachIndex(std::size_t count, unsigned jobs, const std::function<void(std::size_t)>& work);

// The same, telling the calling thread how far the work has got: `progress`
// receives the number of calls finished, on the calling thread, after every
// call when working alone and every kProgressIntervalMs otherwise (the
// calling thread then only waits for the workers).
inline constexpr int kProgressIntervalMs = 100;
void forEachIndex(std::size_t count, unsigned jobs, const std::function<void(std::size_t)>& work,
                  const std::function<void(std::size_t done)>& progress);

}  // namespace folix
