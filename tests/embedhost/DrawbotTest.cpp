// The DRAWBOT suites on Cairo, driven directly on a canvas as a control would draw.
#include <gtest/gtest.h>

#include <vector>

#include "DrawbotSuite.h"
#include "embedhost/Host.h"

#ifdef LUMORA_EMBEDHOST_DRAWBOT

using embedhost::Host;

namespace {

template <class Suite>
const Suite *suite(Host &host, const char *name, int version) {
    const void *table = nullptr;
    EXPECT_EQ(host.suites().acquire(name, version, &table), kSPNoError) << name;
    host.suites().release(name, version);
    return static_cast<const Suite *>(table);
}

constexpr PF_App_Color kBlack{0, 0, 0};
constexpr DRAWBOT_ColorRGBA kRed{1, 0, 0, 1};

class Drawbot : public ::testing::Test {
protected:
    void SetUp() override {
        canvas_ = host_.drawbot().openCanvas(8, 8, kBlack);
        ASSERT_EQ(draw_->GetSupplier(canvas_->ref(), &supplier_), PF_Err_NONE);
        ASSERT_EQ(draw_->GetSurface(canvas_->ref(), &surface_), PF_Err_NONE);
    }
    PF_Pixel8 pixel(int x, int y) const { return canvas_->image().row<PF_Pixel8>(y)[x]; }

    Host host_;
    const DRAWBOT_DrawbotSuite1 *draw_ = suite<DRAWBOT_DrawbotSuite1>(host_, kDRAWBOT_DrawSuite, 1);
    const DRAWBOT_SupplierSuite1 *supplier = suite<DRAWBOT_SupplierSuite1>(host_, kDRAWBOT_SupplierSuite, 1);
    const DRAWBOT_SurfaceSuite2 *surface = suite<DRAWBOT_SurfaceSuite2>(host_, kDRAWBOT_SurfaceSuite, 2);
    const DRAWBOT_PathSuite1 *path = suite<DRAWBOT_PathSuite1>(host_, kDRAWBOT_PathSuite, 1);
    std::unique_ptr<embedhost::DrawCanvas> canvas_;
    DRAWBOT_SupplierRef supplier_ = nullptr;
    DRAWBOT_SurfaceRef surface_ = nullptr;
};

// Two nested squares drawn the same way round: the winding rule fills the inner one, even-odd
// leaves it a hole.
TEST_F(Drawbot, FillRuleDecidesWhetherANestedSquareIsAHole) {
    for (const auto &[rule, innerFilled] :
         {std::pair{kDRAWBOT_FillType_Winding, true}, {kDRAWBOT_FillType_EvenOdd, false}}) {
        SetUp();
        DRAWBOT_BrushRef brush = nullptr;
        DRAWBOT_PathRef p = nullptr;
        ASSERT_EQ(supplier->NewBrush(supplier_, &kRed, &brush), PF_Err_NONE);
        ASSERT_EQ(supplier->NewPath(supplier_, &p), PF_Err_NONE);
        const DRAWBOT_RectF32 outer{0, 0, 8, 8}, inner{2, 2, 4, 4};
        path->AddRect(p, &outer);
        path->AddRect(p, &inner);
        ASSERT_EQ(surface->FillPath(surface_, brush, p, rule), PF_Err_NONE);
        EXPECT_EQ(pixel(0, 0).red, 255);
        EXPECT_EQ(pixel(4, 4).red, innerFilled ? 255 : 0) << "rule " << rule;
        supplier->ReleaseObject(reinterpret_cast<DRAWBOT_ObjectRef>(brush));
        supplier->ReleaseObject(reinterpret_cast<DRAWBOT_ObjectRef>(p));
    }
}

TEST_F(Drawbot, A32BgrImageLandsByteExactWithoutInterpolation) {
    auto buffer = std::make_unique<std::vector<A_u_char>>(std::vector<A_u_char>{10, 20, 30, 0, 40, 50, 60,
                                                                                99, // row 0: B, G, R, ignored
                                                                                70, 80, 90, 7, 1, 2, 3, 255});
    DRAWBOT_ImageRef image = nullptr;
    ASSERT_EQ(supplier->NewImageFromBuffer(supplier_, 2, 2, 8, kDRAWBOT_PixelLayout_32BGR, buffer->data(), &image),
              PF_Err_NONE);
    buffer.reset(); // copied at creation
    ASSERT_EQ(surface->SetInterpolationPolicy(surface_, kDRAWBOT_InterpolationPolicy_None), PF_Err_NONE);
    const DRAWBOT_PointF32 at{3, 5};
    ASSERT_EQ(surface->DrawImage(surface_, image, &at, 1.0f), PF_Err_NONE);
    const PF_Pixel8 expected[2][2] = {{{255, 30, 20, 10}, {255, 60, 50, 40}}, {{255, 90, 80, 70}, {255, 3, 2, 1}}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x) {
            const PF_Pixel8 got = pixel(3 + x, 5 + y);
            EXPECT_EQ(std::vector<int>({got.alpha, got.red, got.green, got.blue}),
                      std::vector<int>(
                          {expected[y][x].alpha, expected[y][x].red, expected[y][x].green, expected[y][x].blue}));
        }
    EXPECT_EQ(pixel(2, 5).red, 0);
    supplier->ReleaseObject(reinterpret_cast<DRAWBOT_ObjectRef>(image));
}

TEST_F(Drawbot, PopRestoresTheClipAndPolicies) {
    const DRAWBOT_Rect32 small{1, 2, 3, 4};
    DRAWBOT_Rect32 bounds{};
    ASSERT_EQ(surface->PushStateStack(surface_), PF_Err_NONE);
    ASSERT_EQ(surface->Clip(surface_, supplier_, &small), PF_Err_NONE);
    ASSERT_EQ(surface->SetAntiAliasPolicy(surface_, kDRAWBOT_AntiAliasPolicy_High), PF_Err_NONE);
    ASSERT_EQ(surface->GetClipBounds(surface_, &bounds), PF_Err_NONE);
    EXPECT_EQ(std::vector<int>({bounds.left, bounds.top, bounds.width, bounds.height}), std::vector<int>({1, 2, 3, 4}));
    ASSERT_EQ(surface->PopStateStack(surface_), PF_Err_NONE);
    ASSERT_EQ(surface->GetClipBounds(surface_, &bounds), PF_Err_NONE);
    EXPECT_EQ(std::vector<int>({bounds.left, bounds.top, bounds.width, bounds.height}), std::vector<int>({0, 0, 8, 8}));
    DRAWBOT_AntiAliasPolicy aa = -1;
    surface->GetAntiAliasPolicy(surface_, &aa);
    EXPECT_EQ(aa, kDRAWBOT_AntiAliasPolicy_Default);
    EXPECT_EQ(surface->PopStateStack(surface_), PF_Err_BAD_CALLBACK_PARAM); // nothing pushed
}

TEST_F(Drawbot, ObjectsAreCountedUntilTheirLastRelease) {
    DRAWBOT_PenRef pen = nullptr;
    DRAWBOT_FontRef font = nullptr;
    ASSERT_EQ(supplier->NewPen(supplier_, &kRed, 1.0f, &pen), PF_Err_NONE);
    ASSERT_EQ(supplier->NewDefaultFont(supplier_, 11.0f, &font), PF_Err_NONE);
    auto *penObject = reinterpret_cast<DRAWBOT_ObjectRef>(pen);
    ASSERT_EQ(supplier->RetainObject(penObject), PF_Err_NONE);
    EXPECT_EQ(host_.drawbot().liveObjects(), 2);
    EXPECT_EQ(supplier->ReleaseObject(penObject), PF_Err_NONE);
    EXPECT_EQ(host_.drawbot().liveObjects(), 2); // retained once more
    EXPECT_EQ(supplier->ReleaseObject(penObject), PF_Err_NONE);
    EXPECT_EQ(supplier->ReleaseObject(reinterpret_cast<DRAWBOT_ObjectRef>(font)), PF_Err_NONE);
    EXPECT_EQ(host_.drawbot().liveObjects(), 0);
    EXPECT_EQ(supplier->ReleaseObject(penObject), PF_Err_BAD_CALLBACK_PARAM); // already freed
    EXPECT_EQ(supplier->ReleaseObject(reinterpret_cast<DRAWBOT_ObjectRef>(&pen)), PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(host_.drawbot().badReferences(), 2);
    EXPECT_EQ(host_.drawbot().objectsMade(), 2);
}

TEST_F(Drawbot, UnknownReferencesAndNullPointersAreRefused) {
    DRAWBOT_SupplierRef s = nullptr;
    EXPECT_EQ(draw_->GetSupplier(nullptr, &s), PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(draw_->GetSurface(canvas_->ref(), nullptr), PF_Err_BAD_CALLBACK_PARAM);
    const DRAWBOT_RectF32 r{0, 0, 1, 1};
    EXPECT_EQ(surface->PaintRect(reinterpret_cast<DRAWBOT_SurfaceRef>(supplier_), &kRed, &r),
              PF_Err_BAD_CALLBACK_PARAM);
    DRAWBOT_BrushRef brush = nullptr;
    EXPECT_EQ(supplier->NewBrush(supplier_, nullptr, &brush), PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(path->LineTo(nullptr, 1, 1), PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(host_.drawbot().liveObjects(), 0);
}

} // namespace

#endif
