// The owners of DRAWBOT objects: what they release, when, and how failures surface.
#include <gtest/gtest.h>

#include <vector>

#include "colorbar/draw/DrawbotObjects.h"

namespace {

using namespace AEUtil;

// A supplier that hands out numbered objects and records what is released.
struct FakeSupplier {
    static inline std::vector<std::uintptr_t> released;
    static inline PF_Err newResult = PF_Err_NONE, releaseResult = PF_Err_NONE;
    static inline std::uintptr_t next = 1;

    static SPAPI PF_Err newBrush(DRAWBOT_SupplierRef, const DRAWBOT_ColorRGBA *, DRAWBOT_BrushRef *out) {
        if (newResult)
            return newResult;
        *out = reinterpret_cast<DRAWBOT_BrushRef>(next++);
        return PF_Err_NONE;
    }
    static SPAPI PF_Err release(DRAWBOT_ObjectRef ref) {
        released.push_back(reinterpret_cast<std::uintptr_t>(ref));
        return releaseResult;
    }
    static DRAWBOT_SupplierSuite1 suite() {
        DRAWBOT_SupplierSuite1 s{};
        s.NewBrush = newBrush;
        s.ReleaseObject = release;
        return s;
    }
};

class DrawbotObjects : public ::testing::Test {
protected:
    void SetUp() override {
        FakeSupplier::released.clear();
        FakeSupplier::newResult = FakeSupplier::releaseResult = PF_Err_NONE;
        FakeSupplier::next = 1;
    }
    DRAWBOT_SupplierSuite1 suite_ = FakeSupplier::suite();
    DRAWBOT_ColorRGBA white_{1, 1, 1, 1};
};

TEST_F(DrawbotObjects, EachReferenceIsReleasedOnceAndANullOneNever) {
    {
        DRAWBOT_BrushP brush(&suite_, nullptr, white_);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(brush.get()), 1u);
        brush.reset(reinterpret_cast<DRAWBOT_BrushRef>(7));
        EXPECT_EQ(FakeSupplier::released, (std::vector<std::uintptr_t>{1})) << "replaced: the old one goes first";
        brush.reset();
        brush.reset();
    }
    EXPECT_EQ(FakeSupplier::released, (std::vector<std::uintptr_t>{1, 7})) << "nothing for a null reference";
}

TEST_F(DrawbotObjects, FailuresAreRaisedWithTheirCodeButNotFromADestructor) {
    FakeSupplier::newResult = 42;
    try {
        DRAWBOT_BrushP brush(&suite_, nullptr, white_);
        ADD_FAILURE() << "a failing new-brush must raise";
    } catch (const DRAWBOT_Exception &e) {
        EXPECT_EQ(e.code(), 42);
    }
    FakeSupplier::newResult = PF_Err_NONE;
    FakeSupplier::releaseResult = 9;
    DRAWBOT_BrushP brush(&suite_, nullptr, white_);
    EXPECT_THROW(brush.reset(), DRAWBOT_Exception);
    { DRAWBOT_BrushP dies(&suite_, nullptr, white_); } // a failing release in a destructor is swallowed
    EXPECT_EQ(FakeSupplier::released.size(), 2u);
}

} // namespace
