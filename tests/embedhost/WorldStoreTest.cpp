// Image buffers from the World suites and the utility callbacks.
#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <string>
#include <tuple>

#include "AE_EffectCBSuites.h"
#include "embedhost/Host.h"

using embedhost::Host;
using embedhost::HostProfile;
using embedhost::WorldStore;

namespace {

bool allBytes(const PF_EffectWorld &w, unsigned char value) {
    const auto *p = reinterpret_cast<const unsigned char *>(w.data);
    for (std::size_t i = 0; i < std::size_t(w.rowbytes) * std::size_t(w.height); ++i)
        if (p[i] != value)
            return false;
    return true;
}

struct FormatCase {
    PF_PixelFormat format;
    std::size_t pixelBytes;
    bool deep;
    const char *name;
};

void PrintTo(const FormatCase &c, std::ostream *os) { *os << c.name; }

class WorldFormats : public ::testing::TestWithParam<FormatCase> {};

TEST_P(WorldFormats, Suite2CreatesDescribesAndDisposes) {
    const FormatCase c = GetParam();
    Host host;
    const PF_WorldSuite2 *ws = host.worlds().suite2();
    PF_EffectWorld w;
    std::memset(&w, 0x5A, sizeof w);
    ASSERT_EQ(ws->PF_NewWorld(host.effectRef(), 7, 3, true, c.format, &w), PF_Err_NONE);
    EXPECT_EQ(w.width, 7);
    EXPECT_EQ(w.height, 3);
    EXPECT_EQ(w.rowbytes % 16, 0);
    EXPECT_GE(std::size_t(w.rowbytes), 7 * c.pixelBytes);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(w.data) % 16, 0u);
    EXPECT_TRUE(w.world_flags & PF_WorldFlag_WRITEABLE);
    EXPECT_EQ((w.world_flags & PF_WorldFlag_DEEP) != 0, c.deep);
    EXPECT_EQ(w.extent_hint.left, 0);
    EXPECT_EQ(w.extent_hint.top, 0);
    EXPECT_EQ(w.extent_hint.right, 7);
    EXPECT_EQ(w.extent_hint.bottom, 3);
    EXPECT_EQ(w.pix_aspect_ratio.num, 1);
    EXPECT_EQ(w.pix_aspect_ratio.den, 1u);
    EXPECT_TRUE(allBytes(w, 0));

    PF_PixelFormat format = PF_PixelFormat_INVALID;
    ASSERT_EQ(ws->PF_GetPixelFormat(&w, &format), PF_Err_NONE);
    EXPECT_EQ(format, c.format);
    EXPECT_EQ(host.worlds().live(), 1u);
    EXPECT_EQ(ws->PF_DisposeWorld(host.effectRef(), &w), PF_Err_NONE);
    EXPECT_EQ(host.worlds().live(), 0u);
}

TEST_P(WorldFormats, UnclearedPixelsHoldGarbageNotZeros) {
    const FormatCase c = GetParam();
    Host host;
    PF_EffectWorld w{};
    ASSERT_EQ(host.worlds().suite2()->PF_NewWorld(host.effectRef(), 5, 2, false, c.format, &w), PF_Err_NONE);
    EXPECT_TRUE(allBytes(w, WorldStore::kGarbageByte));
    host.worlds().suite2()->PF_DisposeWorld(host.effectRef(), &w);
}

TEST_P(WorldFormats, ProfilePadsRowsBeyondTheMinimum) {
    const FormatCase c = GetParam();
    HostProfile profile;
    profile.extraRowBytes = 40;
    Host host(profile);
    PF_EffectWorld w{};
    ASSERT_EQ(host.worlds().suite2()->PF_NewWorld(host.effectRef(), 16, 4, true, c.format, &w), PF_Err_NONE);
    EXPECT_GE(std::size_t(w.rowbytes), 16 * c.pixelBytes + 40);
    EXPECT_EQ(w.rowbytes % 16, 0);
    // Every byte of every row is the plug-in's to write.
    std::memset(w.data, 0xFF, std::size_t(w.rowbytes) * 4);
    host.worlds().suite2()->PF_DisposeWorld(host.effectRef(), &w);
}

INSTANTIATE_TEST_SUITE_P(AllFormats, WorldFormats,
                         ::testing::Values(FormatCase{PF_PixelFormat_ARGB32, 4, false, "ARGB32"},
                                           FormatCase{PF_PixelFormat_ARGB64, 8, true, "ARGB64"},
                                           FormatCase{PF_PixelFormat_ARGB128, 16, false, "ARGB128"}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(WorldStore, Suite1FlagsChooseDepthAndClearing) {
    Host host;
    const PF_WorldSuite1 *ws = host.worlds().suite1();
    PF_EffectWorld deep{}, eight{};
    ASSERT_EQ(ws->new_world(host.effectRef(), 4, 4, PF_NewWorldFlag_DEEP_PIXELS | PF_NewWorldFlag_CLEAR_PIXELS, &deep),
              PF_Err_NONE);
    ASSERT_EQ(ws->new_world(host.effectRef(), 4, 4, PF_NewWorldFlag_NONE, &eight), PF_Err_NONE);
    // Version 1 has no pixel-format query; version 2's answers for every world.
    PF_PixelFormat f = 0;
    ASSERT_EQ(host.worlds().suite2()->PF_GetPixelFormat(&deep, &f), PF_Err_NONE);
    EXPECT_EQ(f, PF_PixelFormat_ARGB64);
    EXPECT_TRUE(deep.world_flags & PF_WorldFlag_DEEP);
    EXPECT_TRUE(allBytes(deep, 0));
    ASSERT_EQ(host.worlds().suite2()->PF_GetPixelFormat(&eight, &f), PF_Err_NONE);
    EXPECT_EQ(f, PF_PixelFormat_ARGB32);
    EXPECT_FALSE(eight.world_flags & PF_WorldFlag_DEEP);
    EXPECT_TRUE(allBytes(eight, WorldStore::kGarbageByte));
    EXPECT_GE(eight.rowbytes, 16);
    EXPECT_EQ(ws->dispose_world(host.effectRef(), &deep), PF_Err_NONE);
    EXPECT_EQ(ws->dispose_world(host.effectRef(), &eight), PF_Err_NONE);
}

TEST(WorldStore, UtilityCallbacksShareTheStore) {
    Host host;
    PF_EffectWorld w{};
    ASSERT_EQ(host.utils().new_world(host.effectRef(), 3, 3, PF_NewWorldFlag_DEEP_PIXELS, &w), PF_Err_NONE);
    PF_PixelFormat f = 0;
    ASSERT_EQ(host.worlds().suite2()->PF_GetPixelFormat(&w, &f), PF_Err_NONE);
    EXPECT_EQ(f, PF_PixelFormat_ARGB64);
    EXPECT_EQ(host.worlds().suite1()->dispose_world(host.effectRef(), &w), PF_Err_NONE);
    EXPECT_EQ(host.worlds().live(), 0u);
}

TEST(WorldStore, BadSizesAndFormatsAllocateNothing) {
    HostProfile profile;
    profile.maxAllocationBytes = 1u << 24;
    Host host(profile);
    const PF_WorldSuite2 *ws = host.worlds().suite2();
    PF_EffectWorld w{};
    const std::tuple<A_long, A_long, PF_PixelFormat> cases[] = {
        {0, 10, PF_PixelFormat_ARGB32},    {10, 0, PF_PixelFormat_ARGB32},
        {-5, 10, PF_PixelFormat_ARGB32},   {10, -1, PF_PixelFormat_ARGB64},
        {30001, 1, PF_PixelFormat_ARGB32}, {4096, 4096, PF_PixelFormat_ARGB128},
        {10, 10, PF_PixelFormat_INVALID},  {10, 10, 0x12345678},
    };
    for (const auto &[width, height, format] : cases)
        EXPECT_EQ(ws->PF_NewWorld(host.effectRef(), width, height, true, format, &w), PF_Err_BAD_CALLBACK_PARAM)
            << width << "x" << height << " format " << format;
    EXPECT_EQ(ws->PF_NewWorld(host.effectRef(), 4, 4, true, PF_PixelFormat_ARGB32, nullptr), PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(host.worlds().live(), 0u);
    EXPECT_EQ(host.worlds().totalCreated(), 0u);
}

TEST(WorldStore, UnknownWorldsAndForeignEffectRefsAreRejected) {
    Host host;
    const PF_WorldSuite2 *ws = host.worlds().suite2();
    PF_Pixel pixels[4] = {};
    PF_EffectWorld foreign{};
    foreign.data = pixels;
    foreign.width = foreign.height = 2;
    foreign.rowbytes = 8;
    PF_PixelFormat f = PF_PixelFormat_INVALID;
    EXPECT_EQ(ws->PF_GetPixelFormat(&foreign, &f), PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(f, PF_PixelFormat_INVALID);
    EXPECT_EQ(ws->PF_DisposeWorld(host.effectRef(), &foreign), PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(ws->PF_GetPixelFormat(nullptr, &f), PF_Err_BAD_CALLBACK_PARAM);

    PF_EffectWorld w{};
    int otherInstance = 0;
    auto *otherRef = reinterpret_cast<PF_ProgPtr>(&otherInstance);
    EXPECT_EQ(ws->PF_NewWorld(otherRef, 2, 2, true, PF_PixelFormat_ARGB32, &w), PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(ws->PF_NewWorld(nullptr, 2, 2, true, PF_PixelFormat_ARGB32, &w), PF_Err_BAD_CALLBACK_PARAM);
    ASSERT_EQ(ws->PF_NewWorld(host.effectRef(), 2, 2, true, PF_PixelFormat_ARGB32, &w), PF_Err_NONE);
    EXPECT_EQ(ws->PF_DisposeWorld(otherRef, &w), PF_Err_BAD_CALLBACK_PARAM);

    // A record whose geometry was altered no longer describes the buffer.
    PF_EffectWorld altered = w;
    altered.width = 1;
    EXPECT_EQ(ws->PF_GetPixelFormat(&altered, &f), PF_Err_BAD_CALLBACK_PARAM);

    EXPECT_EQ(ws->PF_DisposeWorld(host.effectRef(), &w), PF_Err_NONE);
    EXPECT_EQ(ws->PF_DisposeWorld(host.effectRef(), &w), PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(ws->PF_GetPixelFormat(&w, &f), PF_Err_BAD_CALLBACK_PARAM);
}

TEST(WorldStore, OlderHostOffersOnlyVersion1) {
    Host host(HostProfile{}.withhold(kPFWorldSuite, kPFWorldSuiteVersion2));
    SPBasicSuite *basic = host.inData().pica_basicP;
    const void *table = nullptr;
    EXPECT_EQ(basic->AcquireSuite(kPFWorldSuite, 2, &table), kSPSuiteNotFoundError);
    ASSERT_EQ(basic->AcquireSuite(kPFWorldSuite, 1, &table), kSPNoError);
    auto *ws = static_cast<const PF_WorldSuite1 *>(table);
    PF_EffectWorld w{};
    ASSERT_EQ(ws->new_world(host.effectRef(), 8, 8, PF_NewWorldFlag_DEEP_PIXELS, &w), PF_Err_NONE);
    EXPECT_TRUE(w.world_flags & PF_WorldFlag_DEEP);
    EXPECT_EQ(ws->dispose_world(host.effectRef(), &w), PF_Err_NONE);
    basic->ReleaseSuite(kPFWorldSuite, 1);
    EXPECT_EQ(host.suites().outstanding(), 0);
}

} // namespace
