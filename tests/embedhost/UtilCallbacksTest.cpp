// The utility callbacks: ANSI helpers, platform data, unoffered slots and pixel copies.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <deque>
#include <vector>

#include "AE_EffectCBSuites.h"
#include "embedhost/FunctionSlot.h"
#include "embedhost/Host.h"

using embedhost::Host;
using embedhost::Plugin;

namespace {

PF_Err idleEntry(PF_Cmd, PF_InData *, PF_OutData *, PF_ParamDef *[], PF_LayerDef *, void *) { return PF_Err_NONE; }

TEST(AnsiCallbacks, SprintfFormatsLikeTheCLibrary) {
    Host host;
    char buffer[128];
    std::memset(buffer, 'x', sizeof buffer);
    const int n =
        host.utils().ansi.sprintf(buffer, "%s(%d): %5.2f|%-3s|%c|%x", "file.cpp", 42, 3.14159, "a", 'Z', 255u);
    const char *expected = "file.cpp(42):  3.14|a  |Z|ff";
    EXPECT_STREQ(buffer, expected);
    EXPECT_EQ(n, static_cast<int>(std::strlen(expected)));
    EXPECT_EQ(buffer[n + 1], 'x'); // writes the text and its terminator, nothing more
}

TEST(AnsiCallbacks, StrcpyCopiesAndReturnsTheDestination) {
    Host host;
    char buffer[16] = "overwrite me!!";
    EXPECT_EQ(host.utils().ansi.strcpy(buffer, "glow"), buffer);
    EXPECT_STREQ(buffer, "glow");
    EXPECT_EQ(buffer[5], 'r'); // bytes past the terminator untouched
}

TEST(AnsiCallbacks, MathEntriesAreTheLibraryFunctions) {
    Host host;
    const PF_ANSICallbacks &a = host.utils().ansi;
    const double pi = std::acos(-1.0);
    EXPECT_DOUBLE_EQ(a.atan2(1.0, 1.0), pi / 4);
    EXPECT_DOUBLE_EQ(a.atan(1.0), pi / 4);
    EXPECT_DOUBLE_EQ(a.hypot(3.0, 4.0), 5.0);
    EXPECT_DOUBLE_EQ(a.pow(2.0, 10.0), 1024.0);
    EXPECT_DOUBLE_EQ(a.sqrt(2.25), 1.5);
    EXPECT_DOUBLE_EQ(a.fmod(7.5, 2.0), 1.5);
    EXPECT_DOUBLE_EQ(a.floor(-1.5), -2.0);
    EXPECT_DOUBLE_EQ(a.ceil(-1.5), -1.0);
    EXPECT_DOUBLE_EQ(a.fabs(-3.0), 3.0);
    EXPECT_DOUBLE_EQ(a.log10(1000.0), 3.0);
    EXPECT_DOUBLE_EQ(a.log(std::exp(2.0)), 2.0);
    EXPECT_DOUBLE_EQ(a.exp(0.0), 1.0);
    EXPECT_NEAR(a.sin(pi / 6), 0.5, 1e-15);
    EXPECT_NEAR(a.cos(pi / 3), 0.5, 1e-15);
    EXPECT_NEAR(a.tan(pi / 4), 1.0, 1e-15);
    EXPECT_DOUBLE_EQ(a.asin(1.0), pi / 2);
    EXPECT_DOUBLE_EQ(a.acos(0.0), pi / 2);
}

TEST(UtilCallbacks, SlotsTheHostDoesNotOfferAnswerInvalidCallback) {
    Host host;
    const PF_UtilCallbacks &u = host.utils();
    using Stub = PF_Err (*)();
    for (Stub cb : {embedhost::slotAs<Stub>(u.begin_sampling), embedhost::slotAs<Stub>(u.fill),
                    embedhost::slotAs<Stub>(u.iterate), embedhost::slotAs<Stub>(u.transform_world),
                    embedhost::slotAs<Stub>(u.colorCB.Luminance), embedhost::slotAs<Stub>(u.iterate16),
                    embedhost::slotAs<Stub>(u.get_pixel_data16)}) {
        ASSERT_NE(cb, nullptr);
        EXPECT_EQ(cb(), PF_Err_INVALID_CALLBACK);
    }
}

TEST(PlatformData, MainWindowIsNullAndInstanceIsThePluginsModule) {
    Host host(Plugin::linked(idleEntry));
    const PF_UtilCallbacks &u = host.utils();
    void *window = &window;
    ASSERT_EQ(u.get_platform_data(host.effectRef(), PF_PlatData_MAIN_WND, &window), PF_Err_NONE);
    EXPECT_EQ(window, nullptr);
    void *instance = nullptr;
    ASSERT_EQ(u.get_platform_data(host.effectRef(), PF_PlatData_RES_DLLINSTANCE, &instance), PF_Err_NONE);
    EXPECT_NE(instance, nullptr);
    EXPECT_EQ(instance, host.plugin()->moduleHandle());
}

TEST(PlatformData, OtherRequestsAndBadArgumentsAreRejected) {
    Host host(Plugin::linked(idleEntry));
    const PF_UtilCallbacks &u = host.utils();
    void *out = nullptr;
    EXPECT_EQ(u.get_platform_data(host.effectRef(), PF_PlatData_EXE_FILE_PATH_W, &out), PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(u.get_platform_data(host.effectRef(), 12345, &out), PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(u.get_platform_data(host.effectRef(), PF_PlatData_MAIN_WND, nullptr), PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(u.get_platform_data(nullptr, PF_PlatData_MAIN_WND, &out), PF_Err_BAD_CALLBACK_PARAM);
}

// ---- copy ----------------------------------------------------------------------------------

class CopyTest : public ::testing::Test {
protected:
    Host host;
    const PF_WorldSuite2 *ws = host.worlds().suite2();
    std::deque<PF_EffectWorld> worlds; // stable addresses

    PF_EffectWorld *make(A_long w, A_long h, PF_PixelFormat f = PF_PixelFormat_ARGB32) {
        worlds.emplace_back();
        EXPECT_EQ(ws->PF_NewWorld(host.effectRef(), w, h, true, f, &worlds.back()), PF_Err_NONE);
        return &worlds.back();
    }
    static PF_Pixel *at(PF_EffectWorld *w, A_long x, A_long y) {
        return reinterpret_cast<PF_Pixel *>(reinterpret_cast<char *>(w->data) +
                                            std::size_t(y) * std::size_t(w->rowbytes)) +
               x;
    }
    static void paint(PF_EffectWorld *w) { // each pixel names its own position
        for (A_long y = 0; y < w->height; ++y)
            for (A_long x = 0; x < w->width; ++x)
                *at(w, x, y) = PF_Pixel{255, A_u_char(x), A_u_char(y), 7};
    }
    PF_Err copy(PF_EffectWorld *s, PF_EffectWorld *d, PF_Rect *sr, PF_Rect *dr) {
        return host.utils().copy(host.effectRef(), s, d, sr, dr);
    }
    void TearDown() override {
        for (auto &w : worlds)
            ws->PF_DisposeWorld(host.effectRef(), &w);
        EXPECT_EQ(host.worlds().live(), 0u);
    }
};

TEST_F(CopyTest, WholeWorldWhenBothRectsAreNull) {
    PF_EffectWorld *src = make(5, 4);
    PF_EffectWorld *dst = make(5, 4);
    paint(src);
    ASSERT_EQ(copy(src, dst, nullptr, nullptr), PF_Err_NONE);
    for (A_long y = 0; y < 4; ++y)
        for (A_long x = 0; x < 5; ++x)
            EXPECT_EQ(std::memcmp(at(dst, x, y), at(src, x, y), sizeof(PF_Pixel)), 0);
}

TEST_F(CopyTest, RectangleLandsAtTheDestinationRectangleOnly) {
    PF_EffectWorld *src = make(6, 5);
    PF_EffectWorld *dst = make(8, 8);
    paint(src);
    PF_Rect sr{1, 2, 4, 5}; // 3 x 3
    PF_Rect dr{4, 0, 7, 3};
    ASSERT_EQ(copy(src, dst, &sr, &dr), PF_Err_NONE);
    for (A_long y = 0; y < 8; ++y)
        for (A_long x = 0; x < 8; ++x) {
            const PF_Pixel p = *at(dst, x, y);
            if (x >= 4 && x < 7 && y < 3) {
                EXPECT_EQ(p.red, x - 4 + 1);
                EXPECT_EQ(p.green, y + 2);
                EXPECT_EQ(p.alpha, 255);
            } else {
                EXPECT_EQ(p.alpha, 0) << x << "," << y;
            }
        }
}

TEST_F(CopyTest, NullDestinationRectMeansTheWholeDestination) {
    PF_EffectWorld *src = make(6, 6);
    PF_EffectWorld *dst = make(2, 3);
    paint(src);
    PF_Rect sr{3, 1, 5, 4};
    ASSERT_EQ(copy(src, dst, &sr, nullptr), PF_Err_NONE);
    EXPECT_EQ(at(dst, 0, 0)->red, 3);
    EXPECT_EQ(at(dst, 1, 2)->red, 4);
    EXPECT_EQ(at(dst, 1, 2)->green, 3);
}

TEST_F(CopyTest, MismatchedSizesFormatsAndBoundsAreRejected) {
    PF_EffectWorld *a = make(4, 4);
    PF_EffectWorld *b = make(5, 4);
    PF_EffectWorld *deep = make(4, 4, PF_PixelFormat_ARGB64);
    EXPECT_EQ(copy(a, b, nullptr, nullptr), PF_Err_BAD_CALLBACK_PARAM); // would need scaling
    EXPECT_EQ(copy(a, deep, nullptr, nullptr), PF_Err_BAD_CALLBACK_PARAM);
    PF_Rect outside{2, 2, 5, 4};
    PF_Rect fits{0, 0, 3, 2};
    EXPECT_EQ(copy(a, b, &outside, &fits), PF_Err_BAD_CALLBACK_PARAM);
    PF_Rect inverted{3, 0, 0, 2};
    EXPECT_EQ(copy(a, b, &inverted, &fits), PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(copy(a, nullptr, nullptr, nullptr), PF_Err_BAD_CALLBACK_PARAM);
    PF_Pixel stack[16] = {};
    PF_EffectWorld foreign = *a;
    foreign.data = stack;
    EXPECT_EQ(copy(&foreign, a, nullptr, nullptr), PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(host.utils().copy(nullptr, a, a, nullptr, nullptr), PF_Err_BAD_CALLBACK_PARAM);
}

TEST_F(CopyTest, OverlappingRectanglesOfOneWorldCopyTheOriginalPixels) {
    PF_EffectWorld *w = make(6, 1);
    paint(w);
    PF_Rect sr{0, 0, 4, 1};
    PF_Rect dr{2, 0, 6, 1};
    ASSERT_EQ(copy(w, w, &sr, &dr), PF_Err_NONE);
    const A_u_char expected[6] = {0, 1, 0, 1, 2, 3};
    for (A_long x = 0; x < 6; ++x)
        EXPECT_EQ(at(w, x, 0)->red, expected[x]);
}

TEST_F(CopyTest, DeepAndFloatWorldsCopyWholePixels) {
    for (PF_PixelFormat f : {PF_PixelFormat_ARGB64, PF_PixelFormat_ARGB128}) {
        PF_EffectWorld *src = make(3, 2, f);
        PF_EffectWorld *dst = make(3, 2, f);
        const std::size_t rowBytes = f == PF_PixelFormat_ARGB64 ? 3 * 8 : 3 * 16;
        for (A_long y = 0; y < 2; ++y)
            std::memset(reinterpret_cast<char *>(src->data) + y * src->rowbytes, 0x11 + y, rowBytes);
        PF_Rect sr{1, 0, 3, 2}, dr{0, 0, 2, 2};
        ASSERT_EQ(copy(src, dst, &sr, &dr), PF_Err_NONE);
        const auto *row1 = reinterpret_cast<unsigned char *>(dst->data) + dst->rowbytes;
        const std::size_t pixel = rowBytes / 3;
        for (std::size_t i = 0; i < 2 * pixel; ++i)
            EXPECT_EQ(row1[i], 0x12);
        EXPECT_EQ(row1[2 * pixel], 0); // third pixel untouched
    }
}

} // namespace
