// Host handles: contents and addresses, misuse detection, failure injection, threads.
#include <gtest/gtest.h>

#include <cstring>
#include <thread>
#include <vector>

#include "AE_EffectCBSuites.h"
#include "embedhost/Host.h"

using embedhost::HandleMisuse;
using embedhost::HandleStore;
using embedhost::Host;
using embedhost::HostProfile;

namespace {

TEST(HandleStore, ContentsSurviveUnlockAndNestedLocksAreCounted) {
    Host host;
    const PF_UtilCallbacks &u = host.utils();
    PF_Handle h = u.host_new_handle(64);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(u.host_get_handle_size(h), 64u);

    char *p = static_cast<char *>(u.host_lock_handle(h));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(*h, p); // the handle points at the master pointer
    std::strcpy(p, "kept between commands");
    EXPECT_EQ(u.host_lock_handle(h), p); // nested lock: same stable address
    EXPECT_EQ(host.handles().lockCount(h), 2);
    u.host_unlock_handle(h);
    u.host_unlock_handle(h);
    EXPECT_EQ(host.handles().lockCount(h), 0);

    char *again = static_cast<char *>(u.host_lock_handle(h));
    EXPECT_STREQ(again, "kept between commands");
    u.host_unlock_handle(h);
    u.host_dispose_handle(h);
    EXPECT_EQ(host.handles().live(), 0u);
    EXPECT_EQ(host.handles().misuseCount(), 0u);
}

TEST(HandleStore, FreshMemoryIsNotZeroed) {
    Host host;
    PF_Handle h = host.utils().host_new_handle(32);
    auto *p = static_cast<unsigned char *>(host.utils().host_lock_handle(h));
    for (int i = 0; i < 32; ++i)
        ASSERT_EQ(p[i], HandleStore::kGarbageByte);
    host.utils().host_unlock_handle(h);
    host.utils().host_dispose_handle(h);
}

TEST(HandleStore, ZeroSizeHandleIsValidAndEmpty) {
    Host host;
    const PF_UtilCallbacks &u = host.utils();
    PF_Handle h = u.host_new_handle(0);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(u.host_get_handle_size(h), 0u);
    EXPECT_TRUE(host.handles().isLive(h));
    EXPECT_NE(u.host_lock_handle(h), nullptr);
    u.host_unlock_handle(h);
    u.host_dispose_handle(h);
    EXPECT_EQ(host.handles().live(), 0u);
}

TEST(HandleStore, ResizeKeepsPrefixMovesBytesAndKeepsTheHandle) {
    Host host;
    const PF_UtilCallbacks &u = host.utils();
    PF_Handle h = u.host_new_handle(8);
    std::memcpy(u.host_lock_handle(h), "1234567", 8);
    void *before = *h;
    u.host_unlock_handle(h);

    PF_Handle same = h;
    ASSERT_EQ(u.host_resize_handle(100000, &same), PF_Err_NONE);
    EXPECT_EQ(same, h);
    EXPECT_EQ(u.host_get_handle_size(h), 100000u);
    auto *p = static_cast<unsigned char *>(u.host_lock_handle(h));
    EXPECT_NE(static_cast<void *>(p), before); // stale pointers from before the resize are caught
    EXPECT_EQ(std::memcmp(p, "1234567", 8), 0);
    EXPECT_EQ(p[99999], HandleStore::kGarbageByte);
    u.host_unlock_handle(h);

    ASSERT_EQ(u.host_resize_handle(3, &same), PF_Err_NONE);
    EXPECT_EQ(u.host_get_handle_size(h), 3u);
    EXPECT_EQ(std::memcmp(u.host_lock_handle(h), "123", 3), 0);
    u.host_unlock_handle(h);
    u.host_dispose_handle(h);
}

TEST(HandleStore, ResizingALockedHandleIsRefusedAndRecorded) {
    Host host;
    const PF_UtilCallbacks &u = host.utils();
    PF_Handle h = u.host_new_handle(16);
    void *p = u.host_lock_handle(h);
    EXPECT_EQ(u.host_resize_handle(32, &h), PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(*h, p);
    EXPECT_EQ(u.host_get_handle_size(h), 16u);
    EXPECT_EQ(host.handles().misuseCount(HandleMisuse::ResizeLocked), 1u);
    u.host_unlock_handle(h);
    u.host_dispose_handle(h);
}

TEST(HandleStore, DisposingALockedHandleIsRecordedAndStillDisposes) {
    Host host;
    const PF_UtilCallbacks &u = host.utils();
    PF_Handle h = u.host_new_handle(16);
    u.host_lock_handle(h);
    u.host_dispose_handle(h);
    EXPECT_FALSE(host.handles().isLive(h));
    ASSERT_EQ(host.handles().misuseCount(), 1u);
    auto m = host.handles().misuses().front();
    EXPECT_EQ(m.kind, HandleMisuse::DisposeLocked);
    EXPECT_EQ(m.handle, static_cast<const void *>(h));
    EXPECT_STREQ(m.operation, "dispose");
}

TEST(HandleStore, UnlockingAnUnlockedHandleIsRecorded) {
    Host host;
    const PF_UtilCallbacks &u = host.utils();
    PF_Handle h = u.host_new_handle(4);
    u.host_unlock_handle(h);
    EXPECT_EQ(host.handles().misuseCount(HandleMisuse::UnlockUnlocked), 1u);
    EXPECT_EQ(host.handles().lockCount(h), 0);
    u.host_dispose_handle(h);
}

TEST(HandleStore, UnknownAndNullHandlesAreRejectedWithoutBeingTouched) {
    Host host;
    const PF_UtilCallbacks &u = host.utils();
    // Points at an invalid master pointer: dereferencing it would crash.
    void *bogusMaster = reinterpret_cast<void *>(0x10);
    PF_Handle bogus = &bogusMaster;
    EXPECT_EQ(u.host_lock_handle(bogus), nullptr);
    u.host_unlock_handle(bogus);
    u.host_dispose_handle(bogus);
    EXPECT_EQ(u.host_get_handle_size(bogus), 0u);
    EXPECT_EQ(u.host_resize_handle(8, &bogus), PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(host.handles().misuseCount(HandleMisuse::UnknownHandle), 5u);

    PF_Handle gone = u.host_new_handle(4);
    u.host_dispose_handle(gone);
    u.host_dispose_handle(gone); // double dispose
    EXPECT_EQ(host.handles().misuseCount(HandleMisuse::UnknownHandle), 6u);

    EXPECT_EQ(u.host_lock_handle(nullptr), nullptr);
    u.host_dispose_handle(nullptr);
    EXPECT_EQ(u.host_resize_handle(8, nullptr), PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(host.handles().misuseCount(HandleMisuse::NullHandle), 3u);
    host.handles().clearMisuses();
    EXPECT_EQ(host.handles().misuseCount(), 0u);
}

TEST(HandleStore, SuiteAndUtilityCallbacksShareOneStore) {
    Host host;
    const PF_HandleSuite1 *suite = host.handles().suite1();
    PF_Handle h = suite->host_new_handle(10);
    EXPECT_EQ(host.utils().host_get_handle_size(h), 10u);
    void *p = host.utils().host_lock_handle(h);
    EXPECT_EQ(suite->host_lock_handle(h), p);
    suite->host_unlock_handle(h);
    host.utils().host_unlock_handle(h);
    suite->host_dispose_handle(h);
    EXPECT_EQ(host.handles().live(), 0u);
    EXPECT_EQ(host.handles().totalAllocated(), 1u);
}

TEST(HandleStore, InjectedAllocationFailureHitsExactlyTheChosenCall) {
    Host host;
    const PF_UtilCallbacks &u = host.utils();
    host.handles().failNewHandleAfter(2);
    PF_Handle a = u.host_new_handle(8);
    PF_Handle b = u.host_new_handle(8);
    PF_Handle c = u.host_new_handle(8);
    PF_Handle d = u.host_new_handle(8);
    EXPECT_NE(a, nullptr);
    EXPECT_NE(b, nullptr);
    EXPECT_EQ(c, nullptr);
    EXPECT_NE(d, nullptr);
    EXPECT_EQ(host.handles().live(), 3u);
    for (PF_Handle h : {a, b, d})
        u.host_dispose_handle(h);

    host.handles().failNewHandleAfter(0);
    EXPECT_EQ(u.host_new_handle(1), nullptr);
    EXPECT_EQ(host.handles().live(), 0u);
}

TEST(HandleStore, InjectedLockFailureReturnsNullOnceAndDoesNotCount) {
    Host host;
    const PF_UtilCallbacks &u = host.utils();
    PF_Handle h = u.host_new_handle(8);
    host.handles().failNextLock();
    EXPECT_EQ(u.host_lock_handle(h), nullptr);
    EXPECT_EQ(host.handles().lockCount(h), 0);
    EXPECT_NE(u.host_lock_handle(h), nullptr);
    u.host_unlock_handle(h);
    u.host_dispose_handle(h);
    EXPECT_EQ(host.handles().misuseCount(), 0u);
}

TEST(HandleStore, SizesAre64BitAndOversizedRequestsFail) {
    HostProfile profile;
    profile.maxAllocationBytes = 1u << 20;
    Host host(profile);
    const PF_UtilCallbacks &u = host.utils();
    EXPECT_EQ(u.host_new_handle((A_HandleSize{1} << 32) + 16), nullptr);
    EXPECT_EQ(u.host_new_handle((1u << 20) + 1), nullptr);
    PF_Handle h = u.host_new_handle(1u << 20);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(u.host_resize_handle(A_HandleSize{1} << 33, &h), PF_Err_OUT_OF_MEMORY);
    EXPECT_EQ(u.host_get_handle_size(h), A_HandleSize{1} << 20);
    u.host_dispose_handle(h);
}

TEST(HandleStore, RenderThreadsAllocateConcurrently) {
    Host host;
    const PF_UtilCallbacks *u = &host.utils();
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([u, t] {
            for (int i = 0; i < 200; ++i) {
                PF_Handle h = u->host_new_handle(static_cast<A_HandleSize>(16 + i));
                auto *p = static_cast<int *>(u->host_lock_handle(h));
                p[0] = t * 1000 + i;
                u->host_unlock_handle(h);
                PF_Handle same = h;
                u->host_resize_handle(static_cast<A_HandleSize>(64 + i), &same);
                EXPECT_EQ(*static_cast<int *>(u->host_lock_handle(h)), t * 1000 + i);
                u->host_unlock_handle(h);
                u->host_dispose_handle(h);
            }
        });
    for (auto &t : threads)
        t.join();
    EXPECT_EQ(host.handles().live(), 0u);
    EXPECT_EQ(host.handles().totalAllocated(), 800u);
    EXPECT_EQ(host.handles().misuseCount(), 0u);
}

TEST(HandleStore, CallbacksOutliveTheirHostSafely) {
    PF_Handle (*newHandle)(A_HandleSize) = nullptr;
    void *(*lock)(PF_Handle) = nullptr;
    {
        Host host;
        newHandle = host.utils().host_new_handle;
        lock = host.utils().host_lock_handle;
    }
    EXPECT_EQ(newHandle(8), nullptr);
    void *master = nullptr;
    EXPECT_EQ(lock(&master), nullptr);
}

} // namespace
