// The host's basic suite: suite lookup by name and version, acquire/release bookkeeping,
// memory blocks, and the one-live-host rule.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <stdexcept>
#include <thread>
#include <vector>

#include "AE_EffectCBSuites.h"
#include "embedhost/Host.h"

using embedhost::Host;
using embedhost::HostProfile;

namespace {

const void *const kPoison = reinterpret_cast<const void *>(0x1234);

TEST(SuiteRegistry, AcquireAndReleaseBalanceThroughThePluginsBasicSuite) {
    Host host;
    SPBasicSuite *basic = host.inData().pica_basicP;
    ASSERT_NE(basic, nullptr);

    const void *table = nullptr;
    ASSERT_EQ(basic->AcquireSuite(kPFHandleSuite, kPFHandleSuiteVersion1, &table), kSPNoError);
    EXPECT_EQ(table, host.handles().suite1());
    const void *again = nullptr;
    ASSERT_EQ(basic->AcquireSuite(kPFHandleSuite, kPFHandleSuiteVersion1, &again), kSPNoError);
    EXPECT_EQ(host.suites().acquired(kPFHandleSuite, kPFHandleSuiteVersion1), 2);
    EXPECT_EQ(host.suites().outstanding(), 2);

    EXPECT_EQ(basic->ReleaseSuite(kPFHandleSuite, kPFHandleSuiteVersion1), kSPNoError);
    EXPECT_EQ(host.suites().outstanding(kPFHandleSuite, kPFHandleSuiteVersion1), 1);
    EXPECT_EQ(basic->ReleaseSuite(kPFHandleSuite, kPFHandleSuiteVersion1), kSPNoError);
    EXPECT_EQ(host.suites().released(kPFHandleSuite, kPFHandleSuiteVersion1), 2);
    EXPECT_EQ(host.suites().outstanding(), 0);
    EXPECT_EQ(host.suites().badReleases(), 0);
}

// The host numbers PF_HandleSuite1 as version 2; a plug-in asking for 1 gets nothing.
TEST(SuiteRegistry, HandleSuiteVersion1IsNotPublished) {
    Host host;
    const void *table = kPoison;
    EXPECT_EQ(host.inData().pica_basicP->AcquireSuite(kPFHandleSuite, 1, &table), kSPSuiteNotFoundError);
    EXPECT_EQ(table, nullptr);
    EXPECT_EQ(host.suites().failedAcquires(), 1);
    EXPECT_EQ(host.suites().outstanding(), 0);
}

TEST(SuiteRegistry, PublishesOnlyNamesAndVersionsTheHostPublishes) {
    const std::set<embedhost::SuiteKey> hostSuites = {
#define LUMORA_HOST_SUITE(name, version) {name, version},
#include "HostSuites.inc"
#undef LUMORA_HOST_SUITE
        {kSPBasicSuite, kSPBasicSuiteVersion}};
    Host host;
    const std::vector<embedhost::SuiteKey> published = host.suites().published();
    EXPECT_GE(published.size(), 12u);
    for (const embedhost::SuiteKey &key : published)
        EXPECT_TRUE(hostSuites.count(key)) << '"' << key.name << "\" version " << key.version;
}

TEST(SuiteRegistry, UnknownNameAndWrongVersionAreNotFound) {
    Host host;
    SPBasicSuite *basic = host.inData().pica_basicP;
    const void *table = kPoison;
    EXPECT_EQ(basic->AcquireSuite("PF No Such Suite", 1, &table), kSPSuiteNotFoundError);
    EXPECT_EQ(table, nullptr);
    table = kPoison;
    EXPECT_EQ(basic->AcquireSuite(kPFWorldSuite, 3, &table), kSPSuiteNotFoundError);
    EXPECT_EQ(table, nullptr);
    EXPECT_EQ(basic->AcquireSuite(kPFWorldSuite, 2, nullptr), kSPBadParameterError);
    EXPECT_EQ(host.suites().failedAcquires(), 3);
}

TEST(SuiteRegistry, SuiteNotFoundCodeIsThePicaFourCharacterCode) {
    EXPECT_EQ(kSPSuiteNotFoundError, embedhost::fourCharCode("S!Fd"));
    EXPECT_EQ(embedhost::fourCharCode("FXTC"), 0x46585443);
}

TEST(SuiteRegistry, ProfileCanWithholdWorldSuite2) {
    Host host(HostProfile{}.withhold(kPFWorldSuite, kPFWorldSuiteVersion2));
    SPBasicSuite *basic = host.inData().pica_basicP;
    const void *table = kPoison;
    EXPECT_EQ(basic->AcquireSuite(kPFWorldSuite, 2, &table), kSPSuiteNotFoundError);
    EXPECT_EQ(table, nullptr);
    EXPECT_FALSE(host.suites().offers(kPFWorldSuite, 2));
    ASSERT_EQ(basic->AcquireSuite(kPFWorldSuite, 1, &table), kSPNoError);
    EXPECT_EQ(table, host.worlds().suite1());
    EXPECT_EQ(basic->ReleaseSuite(kPFWorldSuite, 1), kSPNoError);
}

TEST(SuiteRegistry, ReleasingWhatWasNotAcquiredIsRecorded) {
    Host host;
    SPBasicSuite *basic = host.inData().pica_basicP;
    EXPECT_NE(basic->ReleaseSuite(kPFWorldSuite, 2), kSPNoError);
    EXPECT_EQ(host.suites().badReleases(), 1);

    const void *table = nullptr;
    ASSERT_EQ(basic->AcquireSuite(kPFWorldSuite, 2, &table), kSPNoError);
    EXPECT_EQ(basic->ReleaseSuite(kPFWorldSuite, 2), kSPNoError);
    EXPECT_EQ(basic->ReleaseSuite(kPFWorldSuite, 2), kSPSuiteAlreadyReleasedError);
    EXPECT_EQ(basic->ReleaseSuite("PF No Such Suite", 1), kSPSuiteNotFoundError);
    EXPECT_EQ(host.suites().badReleases(), 3);
    // A bad release must not hide a real leak: the balance never goes below zero.
    EXPECT_EQ(host.suites().outstanding(), 0);
}

TEST(SuiteRegistry, UsesListsEverySuiteTouched) {
    Host host;
    SPBasicSuite *basic = host.inData().pica_basicP;
    const void *t = nullptr;
    basic->AcquireSuite(kPFWorldSuite, 2, &t);
    basic->AcquireSuite(kPFHandleSuite, kPFHandleSuiteVersion1, &t);
    basic->ReleaseSuite(kPFHandleSuite, kPFHandleSuiteVersion1);
    auto uses = host.suites().uses();
    ASSERT_EQ(uses.size(), 2u);
    long held = 0;
    for (const auto &u : uses)
        held += u.acquired - u.released;
    EXPECT_EQ(held, 1);
    basic->ReleaseSuite(kPFWorldSuite, 2);
}

TEST(SuiteRegistry, ResetCountsKeepsSuitesStillHeld) {
    Host host;
    SPBasicSuite *basic = host.inData().pica_basicP;
    const void *t = nullptr;
    basic->AcquireSuite(kPFWorldSuite, 2, &t);
    basic->AcquireSuite(kPFHandleSuite, kPFHandleSuiteVersion1, &t);
    basic->ReleaseSuite(kPFHandleSuite, kPFHandleSuiteVersion1);
    host.suites().resetCounts();
    EXPECT_EQ(host.suites().outstanding(), 1);
    EXPECT_EQ(basic->ReleaseSuite(kPFWorldSuite, 2), kSPNoError);
    EXPECT_EQ(host.suites().badReleases(), 0);
    EXPECT_EQ(host.suites().outstanding(), 0);
}

TEST(SuiteRegistry, BasicSuiteIsItselfASuite) {
    Host host;
    SPBasicSuite *basic = host.inData().pica_basicP;
    const void *table = nullptr;
    ASSERT_EQ(basic->AcquireSuite(kSPBasicSuite, kSPBasicSuiteVersion, &table), kSPNoError);
    EXPECT_EQ(table, basic);
    EXPECT_EQ(basic->ReleaseSuite(kSPBasicSuite, kSPBasicSuiteVersion), kSPNoError);
}

TEST(SuiteRegistry, IsEqualComparesText) {
    Host host;
    SPBasicSuite *basic = host.inData().pica_basicP;
    char a[] = "PF World Suite";
    EXPECT_TRUE(basic->IsEqual(a, kPFWorldSuite));
    EXPECT_FALSE(basic->IsEqual(a, "PF World Suit"));
    EXPECT_FALSE(basic->IsEqual("", "x"));
}

TEST(SuiteRegistry, BlocksBehaveLikeMallocAndForeignFreesAreRejected) {
    Host host;
    SPBasicSuite *basic = host.inData().pica_basicP;
    void *block = nullptr;
    ASSERT_EQ(basic->AllocateBlock(8, &block), kSPNoError);
    ASSERT_NE(block, nullptr);
    std::memcpy(block, "abcdefg", 8);
    void *bigger = nullptr;
    ASSERT_EQ(basic->ReallocateBlock(block, 4096, &bigger), kSPNoError);
    EXPECT_STREQ(static_cast<char *>(bigger), "abcdefg");
    EXPECT_EQ(host.suites().liveBlocks(), 1u);

    void *empty = nullptr;
    ASSERT_EQ(basic->AllocateBlock(0, &empty), kSPNoError);
    EXPECT_NE(empty, nullptr);
    EXPECT_NE(empty, bigger);

    int onStack = 0;
    EXPECT_NE(basic->FreeBlock(&onStack), kSPNoError);
    EXPECT_EQ(host.suites().badFrees(), 1);
    EXPECT_EQ(basic->FreeBlock(nullptr), kSPNoError);
    EXPECT_EQ(basic->FreeBlock(bigger), kSPNoError);
    EXPECT_EQ(basic->FreeBlock(empty), kSPNoError);
    EXPECT_NE(basic->FreeBlock(bigger), kSPNoError); // double free caught, not performed
    EXPECT_EQ(host.suites().liveBlocks(), 0u);

    void *fresh = nullptr;
    ASSERT_EQ(basic->ReallocateBlock(nullptr, 16, &fresh), kSPNoError);
    EXPECT_NE(fresh, nullptr);
    EXPECT_EQ(basic->FreeBlock(fresh), kSPNoError);
    EXPECT_NE(basic->Undefined(), kSPNoError);
}

TEST(SuiteRegistry, OversizedBlocksAreRefusedAndTheOldBlockSurvives) {
    HostProfile profile;
    profile.maxAllocationBytes = 1u << 20;
    Host host(profile);
    SPBasicSuite *basic = host.inData().pica_basicP;
    void *block = &block; // must be cleared on failure
    EXPECT_EQ(basic->AllocateBlock((1u << 20) + 1, &block), kSPOutOfMemoryError);
    EXPECT_EQ(block, nullptr);
    ASSERT_EQ(basic->AllocateBlock(4, &block), kSPNoError);
    std::memcpy(block, "abc", 4);
    void *moved = &moved;
    EXPECT_EQ(basic->ReallocateBlock(block, std::size_t{1} << 40, &moved), kSPOutOfMemoryError);
    EXPECT_EQ(moved, nullptr);
    EXPECT_STREQ(static_cast<char *>(block), "abc");
    EXPECT_EQ(basic->FreeBlock(block), kSPNoError);
}

TEST(SuiteRegistry, ProfileCanWithholdTheBasicSuitePointer) {
    HostProfile profile;
    profile.provideBasicSuite = false;
    Host host(profile);
    EXPECT_EQ(host.inData().pica_basicP, nullptr);
}

TEST(SuiteRegistry, ConcurrentAcquireAndReleaseKeepExactCounts) {
    Host host;
    SPBasicSuite *basic = host.inData().pica_basicP;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([basic] {
            for (int i = 0; i < 500; ++i) {
                const void *table = nullptr;
                if (basic->AcquireSuite(kPFWorldSuite, 2, &table) == kSPNoError)
                    basic->ReleaseSuite(kPFWorldSuite, 2);
            }
        });
    for (auto &t : threads)
        t.join();
    EXPECT_EQ(host.suites().acquired(kPFWorldSuite, 2), 2000);
    EXPECT_EQ(host.suites().outstanding(), 0);
}

TEST(CurrentHost, OnlyOneHostMayLiveAtATime) {
    EXPECT_EQ(Host::current(), nullptr);
    {
        Host first;
        EXPECT_EQ(Host::current(), &first);
        EXPECT_THROW(Host second, std::logic_error);
        EXPECT_EQ(Host::current(), &first); // the failed construction left the slot alone
    }
    EXPECT_EQ(Host::current(), nullptr);
    Host later;
    EXPECT_EQ(Host::current(), &later);
}

TEST(CurrentHost, CallbacksWithoutALiveHostFailCleanly) {
    SPBasicSuite basic;
    {
        Host host;
        basic = *host.inData().pica_basicP;
    }
    const void *table = kPoison;
    EXPECT_EQ(basic.AcquireSuite(kPFWorldSuite, 2, &table), kSPSuiteNotFoundError);
    EXPECT_EQ(table, nullptr);
    void *block = nullptr;
    EXPECT_NE(basic.AllocateBlock(4, &block), kSPNoError);
}

} // namespace
