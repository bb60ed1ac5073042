// iterate_generic over the host's worker threads.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <set>
#include <stdexcept>
#include <thread>
#include <vector>

#include "embedhost/Host.h"

using embedhost::Host;
using embedhost::HostProfile;

namespace {

HostProfile withWorkers(unsigned n) {
    HostProfile p;
    p.workerThreads = n;
    return p;
}

struct Call {
    A_long threadIndex, i, iterations;
    std::thread::id thread;
};

struct Recorder {
    std::mutex mutex;
    std::vector<Call> calls;
    static PF_Err fn(void *refcon, A_long threadIndex, A_long i, A_long iterations) {
        auto *self = static_cast<Recorder *>(refcon);
        std::lock_guard lock(self->mutex);
        self->calls.push_back({threadIndex, i, iterations, std::this_thread::get_id()});
        return PF_Err_NONE;
    }
};

TEST(Iterate, OncePerProcessorCallsEachWorkerExactlyOnce) {
    Host host(withWorkers(3));
    ASSERT_EQ(host.threads().workers(), 3u);
    Recorder rec;
    ASSERT_EQ(host.utils().iterate_generic(PF_Iterations_ONCE_PER_PROCESSOR, &rec, Recorder::fn), PF_Err_NONE);
    ASSERT_EQ(rec.calls.size(), 3u);
    std::set<A_long> indices;
    std::set<std::thread::id> threads;
    for (const Call &c : rec.calls) {
        EXPECT_EQ(c.i, c.threadIndex);
        EXPECT_EQ(c.iterations, 3);
        EXPECT_NE(c.thread, std::this_thread::get_id());
        indices.insert(c.threadIndex);
        threads.insert(c.thread);
    }
    EXPECT_EQ(indices, (std::set<A_long>{0, 1, 2}));
    EXPECT_EQ(threads.size(), 3u);
}

TEST(Iterate, OncePerProcessorCallsRunAtTheSameTime) {
    // Each call waits until all workers are inside: only truly concurrent calls get through.
    Host host(withWorkers(2));
    struct Meeting {
        std::mutex m;
        std::condition_variable cv;
        int arrived = 0;
        std::atomic<int> met{0};
    } meeting;
    auto fn = [](void *refcon, A_long, A_long, A_long n) -> PF_Err {
        auto *mt = static_cast<Meeting *>(refcon);
        std::unique_lock lock(mt->m);
        ++mt->arrived;
        mt->cv.notify_all();
        if (mt->cv.wait_for(lock, std::chrono::seconds(10), [&] { return mt->arrived == n; }))
            ++mt->met;
        return PF_Err_NONE;
    };
    ASSERT_EQ(host.utils().iterate_generic(PF_Iterations_ONCE_PER_PROCESSOR, &meeting, fn), PF_Err_NONE);
    EXPECT_EQ(meeting.met.load(), 2);
}

TEST(Iterate, CountedCallsCoverEveryIndexOnceWithTheSameCount) {
    Host host(withWorkers(4));
    Recorder rec;
    ASSERT_EQ(host.utils().iterate_generic(257, &rec, Recorder::fn), PF_Err_NONE);
    ASSERT_EQ(rec.calls.size(), 257u);
    std::set<A_long> seen;
    for (const Call &c : rec.calls) {
        EXPECT_EQ(c.iterations, 257);
        EXPECT_GE(c.threadIndex, 0);
        EXPECT_LT(c.threadIndex, 4);
        seen.insert(c.i);
    }
    EXPECT_EQ(seen.size(), 257u);
    EXPECT_EQ(*seen.begin(), 0);
    EXPECT_EQ(*seen.rbegin(), 256);
}

TEST(Iterate, ReturnsOnlyAfterEveryCallReturned) {
    Host host(withWorkers(3));
    std::atomic<int> finished{0};
    auto fn = [](void *refcon, A_long, A_long i, A_long) -> PF_Err {
        std::this_thread::sleep_for(std::chrono::milliseconds(i % 3 == 0 ? 20 : 1));
        ++*static_cast<std::atomic<int> *>(refcon);
        return PF_Err_NONE;
    };
    ASSERT_EQ(host.utils().iterate_generic(12, &finished, fn), PF_Err_NONE);
    EXPECT_EQ(finished.load(), 12);
    ASSERT_EQ(host.utils().iterate_generic(PF_Iterations_ONCE_PER_PROCESSOR, &finished, fn), PF_Err_NONE);
    EXPECT_EQ(finished.load(), 15);
}

TEST(Iterate, FirstFailingCallsErrorIsReturnedAndTheOthersStillRun) {
    Host host(withWorkers(2));
    std::atomic<int> ran{0};
    auto fn = [](void *refcon, A_long, A_long i, A_long) -> PF_Err {
        ++*static_cast<std::atomic<int> *>(refcon);
        if (i == 9)
            return PF_Err_OUT_OF_MEMORY;
        if (i == 5)
            return PF_Interrupt_CANCEL;
        return PF_Err_NONE;
    };
    EXPECT_EQ(host.utils().iterate_generic(20, &ran, fn), PF_Interrupt_CANCEL);
    EXPECT_EQ(ran.load(), 20);

    ran = 0;
    auto lastFails = [](void *refcon, A_long, A_long i, A_long n) -> PF_Err {
        ++*static_cast<std::atomic<int> *>(refcon);
        return i == n - 1 ? PF_Err_INTERNAL_STRUCT_DAMAGED : PF_Err_NONE;
    };
    EXPECT_EQ(host.utils().iterate_generic(PF_Iterations_ONCE_PER_PROCESSOR, &ran, lastFails),
              PF_Err_INTERNAL_STRUCT_DAMAGED);
    EXPECT_EQ(ran.load(), 2);
}

TEST(Iterate, NestedCallFromAWorkerRunsInlineWithoutDeadlock) {
    Host host(withWorkers(2));
    struct Nest {
        Host *host;
        std::atomic<int> inner{0};
        std::atomic<int> wrongThread{0};
        std::atomic<int> wrongCount{0};
    } nest{&host};
    auto outer = [](void *refcon, A_long, A_long, A_long) -> PF_Err {
        auto *ns = static_cast<Nest *>(refcon);
        return ns->host->utils().iterate_generic(5, refcon, [](void *r, A_long, A_long, A_long n) -> PF_Err {
            auto *ns2 = static_cast<Nest *>(r);
            if (!ns2->host->threads().onWorkerThread())
                ++ns2->wrongThread;
            if (n != 5)
                ++ns2->wrongCount;
            ++ns2->inner;
            return PF_Err_NONE;
        });
    };
    ASSERT_EQ(host.utils().iterate_generic(PF_Iterations_ONCE_PER_PROCESSOR, &nest, outer), PF_Err_NONE);
    EXPECT_EQ(nest.inner.load(), 10);
    EXPECT_EQ(nest.wrongThread.load(), 0);
    EXPECT_EQ(nest.wrongCount.load(), 0);
    EXPECT_EQ(host.threads().nestedJobs(), 2u);
}

TEST(Iterate, NestedOncePerProcessorMakesOneCallPerWorkerCount) {
    Host host(withWorkers(3));
    struct State {
        Host *host;
        std::mutex m;
        std::vector<Call> inner;
    } st{&host, {}, {}};
    auto outer = [](void *refcon, A_long threadIndex, A_long, A_long) -> PF_Err {
        if (threadIndex != 0)
            return PF_Err_NONE;
        auto *s = static_cast<State *>(refcon);
        return s->host->utils().iterate_generic(PF_Iterations_ONCE_PER_PROCESSOR, refcon,
                                                [](void *r, A_long t, A_long i, A_long n) -> PF_Err {
                                                    auto *s2 = static_cast<State *>(r);
                                                    std::lock_guard lock(s2->m);
                                                    s2->inner.push_back({t, i, n, std::this_thread::get_id()});
                                                    return PF_Err_NONE;
                                                });
    };
    ASSERT_EQ(host.utils().iterate_generic(PF_Iterations_ONCE_PER_PROCESSOR, &st, outer), PF_Err_NONE);
    ASSERT_EQ(st.inner.size(), 3u);
    for (A_long k = 0; k < 3; ++k) {
        EXPECT_EQ(st.inner[std::size_t(k)].i, k);
        EXPECT_EQ(st.inner[std::size_t(k)].iterations, 3);
        EXPECT_EQ(st.inner[std::size_t(k)].threadIndex, 0); // the calling worker's index
    }
}

TEST(Iterate, BadArgumentsAreRejectedAndZeroCallsNothing) {
    Host host(withWorkers(2));
    Recorder rec;
    EXPECT_EQ(host.utils().iterate_generic(0, &rec, Recorder::fn), PF_Err_NONE);
    EXPECT_EQ(host.utils().iterate_generic(-2, &rec, Recorder::fn), PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(host.utils().iterate_generic(10, &rec, nullptr), PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_TRUE(rec.calls.empty());
}

TEST(Iterate, DefaultWorkerCountFollowsTheMachine) {
    Host host;
    const unsigned hw = std::thread::hardware_concurrency();
    EXPECT_EQ(host.threads().workers(), hw == 0 ? 1u : hw);
}

TEST(Iterate, CallersOnSeveralThreadsTakeTurns) {
    Host host(withWorkers(2));
    auto body = [&host] {
        for (int round = 0; round < 50; ++round) {
            Recorder rec;
            ASSERT_EQ(host.utils().iterate_generic(7, &rec, Recorder::fn), PF_Err_NONE);
            ASSERT_EQ(rec.calls.size(), 7u);
        }
    };
    std::thread a(body), b(body);
    a.join();
    b.join();
    EXPECT_EQ(host.threads().jobs(), 100u);
}

TEST(Iterate, AnEscapingExceptionBecomesAnErrorNotACrash) {
    Host host(withWorkers(2));
    auto fn = [](void *, A_long, A_long i, A_long) -> PF_Err {
        if (i == 1)
            throw std::runtime_error("plug-in bug");
        return PF_Err_NONE;
    };
    EXPECT_EQ(host.utils().iterate_generic(3, nullptr, fn), PF_Err_INTERNAL_STRUCT_DAMAGED);
    EXPECT_EQ(host.threads().escapedExceptions(), 1u);
}

} // namespace
