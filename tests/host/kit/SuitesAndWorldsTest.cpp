// The suite cache and host image buffers, against hosts with and without World Suite 2.
#include <gtest/gtest.h>

#include <string>

#include "embedhost/Host.h"
#include "host/kit/AEException.h"
#include "host/EntryPoint.h"
#include "host/kit/SuiteCache.h"
#include "host/kit/WorldSuite.h"
#include "params/ParamRegistry.h"

namespace {

using embedhost::Host;
using embedhost::HostProfile;

SPBasicSuite *basicOf(Host &host) { return const_cast<SPBasicSuite *>(host.suites().basicSuite()); }

HostProfile withoutWorldSuite2() {
    HostProfile p;
    p.withhold(kPFWorldSuite, kPFWorldSuiteVersion2);
    return p;
}

TEST(SuiteCache, NullBasicSuiteIsTheIntegerError516) {
    try {
        AEUtil::SuiteCache cache(nullptr);
        FAIL();
    } catch (PF_Err code) {
        EXPECT_EQ(code, PF_Err_BAD_CALLBACK_PARAM);
    }
}

TEST(SuiteCache, AcquiresOnceAndReleasesOnEveryPath) {
    Host host;
    {
        AEUtil::SuiteCache cache(basicOf(host));
        EXPECT_TRUE(host.suites().uses().empty()) << "nothing is acquired before it is used";
        EXPECT_EQ(cache.handleSuite(), cache.handleSuite());
        EXPECT_EQ(host.suites().acquired(kPFHandleSuite, kPFHandleSuiteVersion1), 1);
    }
    EXPECT_EQ(host.suites().outstanding(), 0);

    try {
        AEUtil::SuiteCache cache(basicOf(host));
        cache.worldSuite1();
        throw 42;
    } catch (int) {
    }
    EXPECT_EQ(host.suites().outstanding(), 0);
    EXPECT_EQ(host.suites().badReleases(), 0);
}

TEST(SuiteCache, WithheldSuiteIsOptionalOrTheIntegerError516) {
    Host host(withoutWorldSuite2());
    AEUtil::SuiteCache cache(basicOf(host));
    EXPECT_EQ(cache.tryWorldSuite2(), nullptr);
    try {
        cache.require(AEUtil::SuiteId::World2);
        FAIL();
    } catch (PF_Err code) {
        EXPECT_EQ(code, PF_Err_BAD_CALLBACK_PARAM);
    }
    EXPECT_EQ(host.suites().outstanding(), 0);
}

TEST(WorldSuite, MakesEachPixelFormatWithVersion2) {
    Host host;
    PF_InData in = host.inData();
    for (PF_PixelFormat format : {PF_PixelFormat_ARGB32, PF_PixelFormat_ARGB64, PF_PixelFormat_ARGB128}) {
        AEUtil::EffectWorldPtr world = AEUtil::WorldSuite::newWorld(&in, 33, 7, true, format);
        ASSERT_TRUE(world);
        EXPECT_EQ(world->width, 33);
        EXPECT_EQ(world->height, 7);
        PF_PixelFormat reported = PF_PixelFormat_INVALID;
        EXPECT_EQ(AEUtil::WorldSuite::pixelFormat(&in, world.get(), &reported), PF_Err_NONE);
        EXPECT_EQ(reported, format);
        const auto *row = reinterpret_cast<const unsigned char *>(world->data) + 6 * world->rowbytes;
        EXPECT_EQ(row[0], 0) << "clear asks for zeroed pixels";
    }
    EXPECT_EQ(host.worlds().live(), 0u);
    EXPECT_EQ(host.suites().outstanding(), 0);
}

TEST(WorldSuite, Version1GivesDeepFlagOnlyTo16Bit) {
    Host host(withoutWorldSuite2());
    PF_InData in = host.inData();
    auto deep = AEUtil::WorldSuite::newWorld(&in, 4, 4, false, PF_PixelFormat_ARGB64);
    auto eight = AEUtil::WorldSuite::newWorld(&in, 4, 4, false, PF_PixelFormat_ARGB32);
    EXPECT_TRUE(deep->world_flags & PF_WorldFlag_DEEP);
    EXPECT_FALSE(eight->world_flags & PF_WorldFlag_DEEP);
    EXPECT_EQ(host.suites().acquired(kPFWorldSuite, kPFWorldSuiteVersion1), 2);
    PF_PixelFormat f = PF_PixelFormat_INVALID;
    AEUtil::WorldSuite::pixelFormat(&in, deep.get(), &f);
    EXPECT_EQ(f, PF_PixelFormat_ARGB64);
    AEUtil::WorldSuite::pixelFormat(&in, eight.get(), &f);
    EXPECT_EQ(f, PF_PixelFormat_ARGB32);
}

TEST(WorldSuite, Version1HostRefusesFloatBuffersOutright) {
    Host host(withoutWorldSuite2());
    PF_InData in = host.inData();
    try {
        AEUtil::WorldSuite::newWorld(&in, 8, 8, true, PF_PixelFormat_ARGB128);
        FAIL() << "a float buffer cannot come from World Suite 1";
    } catch (const AEUtil::AEException &e) {
        EXPECT_EQ(e.code(), PF_Err_UNRECOGNIZED_PARAM_TYPE);
    }
    EXPECT_EQ(host.worlds().totalCreated(), 0u);
    EXPECT_EQ(host.suites().outstanding(), 0);
}

TEST(WorldSuite, FormatQueryWithoutVersion2NeverReportsFloat) {
    Host host(withoutWorldSuite2());
    PF_InData in = host.inData();
    PF_EffectWorld world{};
    for (PF_WorldFlags flags : std::initializer_list<PF_WorldFlags>{
             0, PF_WorldFlag_WRITEABLE, PF_WorldFlag_DEEP, PF_WorldFlag_DEEP | PF_WorldFlag_WRITEABLE,
             static_cast<PF_WorldFlags>(~PF_WorldFlag_DEEP), static_cast<PF_WorldFlags>(-1)}) {
        world.world_flags = flags;
        PF_PixelFormat f = PF_PixelFormat_INVALID;
        EXPECT_EQ(AEUtil::WorldSuite::pixelFormat(&in, &world, &f), PF_Err_NONE);
        EXPECT_EQ(f, (flags & PF_WorldFlag_DEEP) ? PF_PixelFormat_ARGB64 : PF_PixelFormat_ARGB32) << flags;
    }
}

TEST(WorldSuite, HostRefusalCarriesTheHostsCodeAndLeavesNothing) {
    Host host;
    PF_InData in = host.inData();
    try {
        AEUtil::WorldSuite::newWorld(&in, 0, 10, false, PF_PixelFormat_ARGB32);
        FAIL();
    } catch (const AEUtil::AEException &e) {
        EXPECT_NE(e.code(), PF_Err_NONE);
        EXPECT_NE(std::string(e.what()).find("AEUtil::WorldSuite::newWorld("), std::string::npos) << e.what();
    }
    EXPECT_EQ(host.worlds().live(), 0u);
    EXPECT_EQ(host.suites().outstanding(), 0);
}

TEST(EffectWorldPtr, LastCopyDisposesAndReleaseReportsWhatIsLeft) {
    Host host;
    PF_InData in = host.inData();
    AEUtil::EffectWorldPtr empty;
    EXPECT_EQ(empty.release(), -1);

    AEUtil::EffectWorldPtr a = AEUtil::WorldSuite::newWorld(&in, 2, 2, false, PF_PixelFormat_ARGB32);
    AEUtil::EffectWorldPtr b = a;
    AEUtil::EffectWorldPtr c;
    c = b;
    EXPECT_EQ(a.useCount(), 3);
    EXPECT_EQ(a.release(), 2);
    EXPECT_EQ(b.release(), 1);
    EXPECT_EQ(host.worlds().live(), 1u);
    EXPECT_EQ(c.release(), 0);
    EXPECT_EQ(host.worlds().live(), 0u);
    EXPECT_EQ(c.release(), -1);
}

// The plug-in linked into this program: its registration objects are built on the first
// command of the program's lifetime, whichever command that is, and not again while the filter
// lives; a filter rebuilt after global set-down gets registration objects of its own.
TEST(LinkedPlugin, ParametersAreRegisteredOncePerFilterLifetime) {
    Host host(embedhost::Plugin::linked(&EntryPointFunc));
    EXPECT_EQ(host.send(PF_Cmd_QUERY_DYNAMIC_FLAGS).err, PF_Err_NONE);
    const int built = AEUtil::paramRegistryBuildCount();
    EXPECT_GE(built, 1);
    for (PF_Cmd cmd : {PF_Cmd_ABOUT, PF_Cmd_QUERY_DYNAMIC_FLAGS, PF_Cmd_GLOBAL_SETUP, PF_Cmd_DO_DIALOG})
        EXPECT_EQ(host.send(cmd).err, PF_Err_NONE) << cmd;
    EXPECT_EQ(AEUtil::paramRegistryBuildCount(), built);
    EXPECT_EQ(AEUtil::hostParamCount(), 23);

    ASSERT_EQ(host.send(PF_Cmd_GLOBAL_SETDOWN).err, PF_Err_NONE);
    EXPECT_EQ(AEUtil::paramRegistryBuildCount(), built) << "set-down itself builds nothing";
    EXPECT_EQ(host.send(PF_Cmd_GLOBAL_SETUP).err, PF_Err_NONE);
    EXPECT_EQ(AEUtil::paramRegistryBuildCount(), built + 1);
    EXPECT_EQ(AEUtil::hostParamCount(), 23) << "host indices start again at 1";
    EXPECT_EQ(AEUtil::indexOfId(52), 6);
    EXPECT_EQ(host.send(PF_Cmd_GLOBAL_SETDOWN).err, PF_Err_NONE);
}

} // namespace
