// Blur passes report progress to the host and stop at its interruption.
#include <gtest/gtest.h>

#include "embedhost/Host.h"
#include "render/blur/BlurGlowPlane.h"

namespace {

using namespace AEUtil;

struct Fixture {
    GlowPlane src;
    MaskPlane mask;
    Fixture() {
        src.resize(8, 8, {});
        src.clear();
        src.row(4)[4] = 20000;
        mask.resize(8, 8, {});
        fillOpenMask(mask);
    }
};

TEST(BlurProgress, EachPassReportsStepsDoneOverTotal) {
    embedhost::Host host;
    const PF_InData in = host.inData();
    const ProgressCounter progress{&in, host.effectRef(), 4, 1};
    Fixture f;
    GlowPlane dst;
    ASSERT_EQ(BlurGlowPlane(StageHost::fromInData(in), f.src, dst, 5.0, 0.0, &progress, &f.mask), PF_Err_NONE);
    EXPECT_EQ(host.interaction().progressCalls(), 2);
    EXPECT_EQ(host.interaction().lastProgressCurrent(), 25);
    EXPECT_EQ(host.interaction().lastProgressTotal(), 100);
}

TEST(BlurProgress, NoPassReportsWhenTheRadiusOnlyCopies) {
    embedhost::Host host;
    const PF_InData in = host.inData();
    const ProgressCounter progress{&in, host.effectRef(), 4, 0};
    Fixture f;
    GlowPlane dst;
    ASSERT_EQ(BlurGlowPlane(StageHost::fromInData(in), f.src, dst, 1.9, 0.0, &progress, &f.mask), PF_Err_NONE);
    EXPECT_EQ(host.interaction().progressCalls(), 0);
}

TEST(BlurProgress, InterruptAfterTheRowPassSkipsTheColumnPass) {
    embedhost::Host host;
    host.interaction().interruptAfterProgressCalls(0);
    const PF_InData in = host.inData();
    const ProgressCounter progress{&in, host.effectRef(), 4, 0};
    Fixture f;
    f.src.status = 0;
    GlowPlane dst;
    EXPECT_EQ(BlurGlowPlane(StageHost::fromInData(in), f.src, dst, 5.0, 0.0, &progress, &f.mask), PF_Interrupt_CANCEL);
    EXPECT_EQ(host.interaction().progressCalls(), 1);
    // The output still holds the copied source (no column pass wrote it) and is finalised.
    EXPECT_EQ(dst.row(4)[4], 20000);
    EXPECT_EQ(dst.row(4)[3], 0);
    EXPECT_EQ(dst.status, 1);
}

} // namespace
