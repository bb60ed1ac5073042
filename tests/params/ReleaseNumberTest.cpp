// The host release number that picks the Param Utils suite version, and the suite helper's
// choice between the two versions a host may offer.
#include <gtest/gtest.h>

#include "embedhost/Host.h"
#include "host/kit/AEException.h"
#include "host/kit/SuiteCache.h"
#include "params/ParamUtilsSuite.h"

namespace {

using AEUtil::hostReleaseNumber;
using AEUtil::paramUtilsSuiteVersion;

A_long release(A_short major, A_short minor) { return hostReleaseNumber(PF_SpecVersion{major, minor}); }

TEST(HostReleaseNumber, NamedVersions) {
    EXPECT_EQ(release(13, 2), 110);
    EXPECT_EQ(release(13, 1), 105);
    EXPECT_EQ(release(13, 0), 100);
    EXPECT_EQ(release(12, 14), 90);
    EXPECT_EQ(release(12, 13), 80);
    EXPECT_EQ(release(12, 12), 70);
    EXPECT_EQ(release(12, 11), 65);
}

TEST(HostReleaseNumber, OldHostsAreZero) {
    EXPECT_EQ(release(12, 10), 0);
    EXPECT_EQ(release(12, 0), 0);
    EXPECT_EQ(release(11, 99), 0);
    EXPECT_EQ(release(9, 0), 0);
    EXPECT_EQ(release(0, 0), 0);
}

TEST(HostReleaseNumber, EveryOtherVersionIsNewest) {
    EXPECT_EQ(release(12, 15), 9999);
    EXPECT_EQ(release(13, 3), 9999);
    EXPECT_EQ(release(13, 28), 9999);
    EXPECT_EQ(release(14, 0), 9999);
    EXPECT_EQ(release(14, 1), 9999);
}

TEST(HostReleaseNumber, SuiteVersionTwoUnderRelease110) {
    EXPECT_EQ(paramUtilsSuiteVersion(PF_SpecVersion{13, 1}), 2);
    EXPECT_EQ(paramUtilsSuiteVersion(PF_SpecVersion{12, 11}), 2);
    EXPECT_EQ(paramUtilsSuiteVersion(PF_SpecVersion{11, 0}), 2);
    EXPECT_EQ(paramUtilsSuiteVersion(PF_SpecVersion{13, 2}), 3);
    EXPECT_EQ(paramUtilsSuiteVersion(PF_SpecVersion{13, 28}), 3);
    EXPECT_EQ(paramUtilsSuiteVersion(PF_SpecVersion{12, 15}), 3);
}

// Each version's table answers with its own number, so the test sees which one was called.
PF_Err updateV2(PF_ProgPtr, PF_ParamIndex, const PF_ParamDef *) { return 2; }
PF_Err updateV3(PF_ProgPtr, PF_ParamIndex, const PF_ParamDef *) { return 3; }

class ParamUtilsSuiteTest : public ::testing::Test {
protected:
    void publish(embedhost::Host &host, bool v2, bool v3) {
        suite2.PF_UpdateParamUI = updateV2;
        suite3.PF_UpdateParamUI = updateV3;
        if (v2)
            host.suites().add(kPFParamUtilsSuite, kPFParamUtilsSuiteVersion1, &suite2);
        if (v3)
            host.suites().add(kPFParamUtilsSuite, kPFParamUtilsSuiteVersion3, &suite3);
    }
    static embedhost::HostProfile at(A_short major, A_short minor) {
        embedhost::HostProfile p;
        p.version = PF_SpecVersion{major, minor};
        return p;
    }
    PF_ParamUtilsSuite1 suite2{};
    PF_ParamUtilsSuite3 suite3{};
};

TEST_F(ParamUtilsSuiteTest, NewHostUsesVersion3) {
    embedhost::Host host(at(13, 2));
    publish(host, true, true);
    PF_InData in = host.inData();
    {
        AEUtil::SuiteCache suites(in.pica_basicP);
        AEUtil::ParamUtilsSuite suite(&in, suites);
        EXPECT_EQ(suite.version(), 3);
        EXPECT_EQ(suite.PF_UpdateParamUI(in.effect_ref, 1, nullptr), 3);
    }
    EXPECT_EQ(host.suites().outstanding(), 0);
}

TEST_F(ParamUtilsSuiteTest, OlderHostUsesVersion2) {
    embedhost::Host host(at(13, 1));
    publish(host, true, true);
    PF_InData in = host.inData();
    AEUtil::SuiteCache suites(in.pica_basicP);
    AEUtil::ParamUtilsSuite suite(&in, suites);
    EXPECT_EQ(suite.version(), 2);
    EXPECT_EQ(suite.PF_UpdateParamUI(in.effect_ref, 1, nullptr), 2);
}

TEST_F(ParamUtilsSuiteTest, FallsBackToTheOtherVersion) {
    embedhost::Host host(embedhost::HostProfile(at(12, 12)).withhold(kPFParamUtilsSuite, 2));
    publish(host, false, true);
    PF_InData in = host.inData();
    AEUtil::SuiteCache suites(in.pica_basicP);
    AEUtil::ParamUtilsSuite suite(&in, suites);
    EXPECT_EQ(suite.version(), 3);
}

TEST_F(ParamUtilsSuiteTest, NeitherVersionRaises516) {
    embedhost::Host host(
        embedhost::HostProfile(at(13, 28)).withhold(kPFParamUtilsSuite, 2).withhold(kPFParamUtilsSuite, 3));
    PF_InData in = host.inData();
    {
        AEUtil::SuiteCache suites(in.pica_basicP);
        try {
            AEUtil::ParamUtilsSuite suite(&in, suites);
            FAIL() << "no suite, no helper";
        } catch (const AEUtil::AEException &e) {
            EXPECT_EQ(e.code(), PF_Err_BAD_CALLBACK_PARAM);
        }
    }
    EXPECT_EQ(host.suites().outstanding(), 0);
}

} // namespace
