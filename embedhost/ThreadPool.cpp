#include "embedhost/ThreadPool.h"

#include <limits>

#include "AE_EffectCB.h"

namespace embedhost {

namespace {
thread_local const ThreadPool *tlPool = nullptr;
thread_local A_long tlIndex = 0;
} // namespace

struct ThreadPool::Job {
    A_long count = 0;      // calls to make
    A_long iterations = 0; // value passed to every call
    bool perWorker = false;
    void *refcon = nullptr;
    IterateFn fn = nullptr;
    std::atomic<A_long> next{0};
    std::mutex errorMutex;
    A_long firstErrorIndex = std::numeric_limits<A_long>::max();
    PF_Err error = PF_Err_NONE;
};

ThreadPool::ThreadPool(unsigned workers) {
    if (workers == 0)
        workers = std::thread::hardware_concurrency();
    if (workers == 0)
        workers = 1;
    threads_.reserve(workers);
    for (unsigned i = 0; i < workers; ++i)
        threads_.emplace_back([this, i] { workerMain(i); });
}

ThreadPool::~ThreadPool() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    for (auto &t : threads_)
        t.join();
}

bool ThreadPool::onWorkerThread() const { return tlPool == this; }

void ThreadPool::call(Job &job, A_long threadIndex, A_long i) {
    PF_Err err = PF_Err_NONE;
    try {
        err = job.fn(job.refcon, threadIndex, i, job.iterations);
    } catch (...) {
        // An exception must not cross the host's C interface; a real host would crash here.
        ++escaped_;
        err = PF_Err_INTERNAL_STRUCT_DAMAGED;
    }
    if (err != PF_Err_NONE) {
        std::lock_guard lock(job.errorMutex);
        if (i < job.firstErrorIndex) {
            job.firstErrorIndex = i;
            job.error = err;
        }
    }
}

void ThreadPool::runShare(Job &job, unsigned index) {
    const A_long me = static_cast<A_long>(index);
    if (job.perWorker) {
        call(job, me, me);
        return;
    }
    for (A_long i = job.next.fetch_add(1); i < job.count; i = job.next.fetch_add(1))
        call(job, me, i);
}

void ThreadPool::workerMain(unsigned index) {
    tlPool = this;
    tlIndex = static_cast<A_long>(index);
    std::uint64_t seen = 0;
    for (;;) {
        Job *job = nullptr;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [&] { return stop_ || generation_ != seen; });
            if (stop_)
                return;
            seen = generation_;
            job = job_;
        }
        runShare(*job, index);
        {
            std::lock_guard lock(mutex_);
            if (--pending_ == 0)
                done_.notify_all();
        }
    }
}

PF_Err ThreadPool::iterate(A_long iterations, void *refcon, IterateFn fn) {
    if (!fn || iterations < PF_Iterations_ONCE_PER_PROCESSOR)
        return PF_Err_BAD_CALLBACK_PARAM;
    if (iterations == 0)
        return PF_Err_NONE;

    Job job;
    job.perWorker = iterations == PF_Iterations_ONCE_PER_PROCESSOR;
    job.count = job.perWorker ? static_cast<A_long>(workers()) : iterations;
    job.iterations = job.count;
    job.refcon = refcon;
    job.fn = fn;
    ++jobs_;

    if (onWorkerThread()) {
        ++nested_;
        for (A_long i = 0; i < job.count; ++i)
            call(job, tlIndex, i);
        return job.error;
    }

    std::lock_guard submit(submitMutex_);
    std::unique_lock lock(mutex_);
    job_ = &job;
    pending_ = workers();
    ++generation_;
    wake_.notify_all();
    done_.wait(lock, [&] { return pending_ == 0; });
    job_ = nullptr;
    return job.error;
}

} // namespace embedhost
