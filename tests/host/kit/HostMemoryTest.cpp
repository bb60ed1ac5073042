// Host memory blocks: header layout, failures, no leaked handles, concurrent use.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "embedhost/Host.h"
#include "host/kit/AEMemory.h"
#include "host/kit/FailureTranslation.h"

namespace {

using embedhost::Host;

SPBasicSuite *basicOf(Host &host) { return const_cast<SPBasicSuite *>(host.suites().basicSuite()); }

const AEUtil::AEMemoryHeader &headerOf(void *p) {
    return *reinterpret_cast<const AEUtil::AEMemoryHeader *>(static_cast<unsigned char *>(p) - 32);
}

TEST(HostMemory, ZeroBytesOrNoHostGiveNullWithoutAskingTheHost) {
    Host host;
    EXPECT_EQ(AEUtil::AEMemory::alloc(0, basicOf(host)), nullptr);
    EXPECT_EQ(AEUtil::AEMemory::alloc(64, nullptr), nullptr);
    EXPECT_TRUE(host.suites().uses().empty());
    EXPECT_EQ(host.handles().totalAllocated(), 0u);
}

TEST(HostMemory, HeaderRecordsHandleOneRequestedSizeAndZero) {
    Host host;
    void *p = AEUtil::AEMemory::alloc(100, basicOf(host));
    ASSERT_NE(p, nullptr);
    const auto &h = headerOf(p);
    auto handle = reinterpret_cast<PF_Handle>(static_cast<uintptr_t>(h.handle));
    EXPECT_TRUE(host.handles().isLive(handle));
    EXPECT_EQ(host.handles().size(handle), 132u) << "the handle carries the 32-byte header";
    EXPECT_EQ(h.one, 1u);
    EXPECT_EQ(h.size, 100u) << "the header reports the requested size, not the handle size";
    EXPECT_EQ(h.zero, 0u);
    EXPECT_EQ(host.handles().lockCount(handle), 1) << "locked for the block's whole life";
    EXPECT_EQ(host.suites().outstanding(), 0) << "alloc releases the suite it acquired";

    AEUtil::array_deleterAE{basicOf(host)}(p);
    EXPECT_EQ(host.handles().live(), 0u);
    EXPECT_EQ(host.handles().misuseCount(), 0u);
    EXPECT_EQ(host.suites().outstanding(), 0);
}

void expectOutOfMemory(Host &host, std::size_t request, const std::string &sizeText) {
    try {
        AEUtil::AEMemory::alloc(request, basicOf(host));
        FAIL() << "allocation should have failed";
    } catch (const AEUtil::AEException &e) {
        EXPECT_EQ(e.code(), PF_Err_OUT_OF_MEMORY);
        const std::string what = e.what();
        EXPECT_NE(what.find("AEUtil::AEMemory::alloc("), std::string::npos) << what;
        // メモリ確保に失敗しました。 in code page 932, then the handle size asked for.
        const std::string tail = std::string("\x83\x81\x83\x82\x83\x8a\x8a\x6d\x95\xdb\x82\xc9\x8e\xb8\x94\x73"
                                             "\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81\x42") +
                                 "alloc_size=" + sizeText + "\n";
        ASSERT_GE(what.size(), tail.size());
        EXPECT_EQ(what.substr(what.size() - tail.size()), tail);
    }
    EXPECT_EQ(host.handles().live(), 0u) << "no handle may be left behind";
    EXPECT_EQ(host.suites().outstanding(), 0);
}

TEST(HostMemory, RefusedHandleIsOutOfMemory) {
    Host host;
    host.handles().failNewHandleAfter(0);
    expectOutOfMemory(host, 100, "132");
}

TEST(HostMemory, UnlockableHandleIsDisposedAndOutOfMemory) {
    Host host;
    host.handles().failNextLock();
    expectOutOfMemory(host, 7, "39");
    EXPECT_EQ(host.handles().totalAllocated(), 1u);
}

TEST(HostMemory, SizesPastTheHostsRangeFailWithoutWrapping) {
    Host host;
    expectOutOfMemory(host, std::size_t{0x7fffffff}, "2147483679");
    EXPECT_EQ(host.handles().totalAllocated(), 0u);
}

TEST(HostMemory, FailureReachesTheHostAsCode4WithItsMessage) {
    Host host;
    host.handles().failNewHandleAfter(0);
    PF_OutData out{};
    const PF_Err err = AEUtil::runGuarded(&out, [&]() -> PF_Err {
        AEUtil::AEMemory::alloc(10, basicOf(host));
        return PF_Err_NONE;
    });
    EXPECT_EQ(err, PF_Err_OUT_OF_MEMORY);
    const std::string message = out.return_msg;
    EXPECT_EQ(message.rfind("host/kit/AEMemory.cpp(", 0), 0u) << message;
    EXPECT_NE(message.find("alloc_size=42\n"), std::string::npos) << message;
}

TEST(HostMemory, SharedBuffersReturnToTheHostWithTheLastCopy) {
    Host host;
    {
        auto a = AEUtil::allocShared<uint16_t>(50, basicOf(host));
        ASSERT_TRUE(a);
        EXPECT_EQ(headerOf(a.get()).size, 100u);
        auto b = a;
        a.reset();
        b[49] = 7;
        EXPECT_EQ(host.handles().live(), 1u);
    }
    EXPECT_EQ(host.handles().live(), 0u);
    EXPECT_EQ(host.handles().misuseCount(), 0u);
}

TEST(HostMemory, RenderThreadsAllocateAndFreeConcurrently) {
    Host host;
    SPBasicSuite *basic = basicOf(host);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([basic, t] {
            for (int i = 0; i < 200; ++i) {
                auto *p = static_cast<unsigned char *>(AEUtil::AEMemory::alloc(16 + i + t, basic));
                p[0] = static_cast<unsigned char>(i);
                AEUtil::array_deleterAE{basic}(p);
            }
        });
    for (auto &th : threads)
        th.join();
    EXPECT_EQ(host.handles().live(), 0u);
    EXPECT_EQ(host.handles().totalAllocated(), 800u);
    EXPECT_EQ(host.handles().misuseCount(), 0u);
    EXPECT_EQ(host.suites().outstanding(), 0);
}

} // namespace
