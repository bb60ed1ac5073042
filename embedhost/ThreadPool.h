// The host's render worker threads behind iterate_generic.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "AE_Effect.h"

namespace embedhost {

class ThreadPool {
public:
    using IterateFn = PF_Err (*)(void *refcon, A_long threadIndex, A_long i, A_long iterations);

    explicit ThreadPool(unsigned workers); // 0: hardware_concurrency(), at least 1
    ThreadPool(const ThreadPool &) = delete;
    ThreadPool &operator=(const ThreadPool &) = delete;
    ~ThreadPool();

    unsigned workers() const { return static_cast<unsigned>(threads_.size()); }

    // iterate_generic. PF_Iterations_ONCE_PER_PROCESSOR: one call per worker, on that worker,
    // with i == threadIndex == the worker's index and iterations == workers(). n > 0: calls
    // for i = 0..n-1 spread over the workers, each told iterations == n. n == 0: no call.
    // Returns after every call has returned, with the error of the lowest-numbered failing
    // call (the others still run). Other negative counts or a null function:
    // PF_Err_BAD_CALLBACK_PARAM. Called from a worker (nested), the calls run one after
    // another on that worker, with its index, instead of waiting for the busy pool.
    // Concurrent callers from other threads take turns.
    PF_Err iterate(A_long iterations, void *refcon, IterateFn fn);

    bool onWorkerThread() const;
    std::uint64_t jobs() const { return jobs_.load(); }                 // iterate calls that ran
    std::uint64_t nestedJobs() const { return nested_.load(); }         // of them, run inline
    std::uint64_t escapedExceptions() const { return escaped_.load(); } // counted as error 512

private:
    struct Job;
    void workerMain(unsigned index);
    void runShare(Job &job, unsigned index);
    void call(Job &job, A_long threadIndex, A_long i);

    std::vector<std::thread> threads_;
    std::mutex submitMutex_; // one job at a time
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    Job *job_ = nullptr;
    std::uint64_t generation_ = 0;
    unsigned pending_ = 0;
    bool stop_ = false;
    std::atomic<std::uint64_t> jobs_{0};
    std::atomic<std::uint64_t> nested_{0};
    std::atomic<std::uint64_t> escaped_{0};
};

} // namespace embedhost
