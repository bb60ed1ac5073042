// The gradient value's arbitrary-data callbacks through the plug-in's entry point: creation,
// disposal, copies, flattening, interpolation and comparison.
#include <cstring>

#include "ArbHarness.h"
#include "FlatBytes.h"

namespace {

using namespace colorbar_test;

class ArbCallbacks : public ArbHarness {};

TEST_F(ArbCallbacks, NewValueFlattensToTheDefaultBytes) {
    PF_Handle h = newValue();
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(handles().size(h), 1320u);
    EXPECT_EQ(handles().lockCount(h), 0);
    EXPECT_EQ(flatten(h), FlatBytes::defaultValue().v);
    dispose(h);
}

TEST_F(ArbCallbacks, NewValueWithoutMemoryIsOutOfMemory) {
    handles().failNewHandleAfter(0);
    PF_Handle h = nullptr;
    PF_ArbParamsExtra x = request(PF_Arbitrary_NEW_FUNC);
    x.u.new_func_params.arbPH = &h;
    EXPECT_EQ(call(x), PF_Err_OUT_OF_MEMORY);
    EXPECT_EQ(h, nullptr);
}

TEST_F(ArbCallbacks, NewValueThatCannotBeLockedIsDisposed) {
    handles().failNextLock();
    PF_Handle h = nullptr;
    PF_ArbParamsExtra x = request(PF_Arbitrary_NEW_FUNC);
    x.u.new_func_params.arbPH = &h;
    EXPECT_EQ(call(x), PF_Err_INTERNAL_STRUCT_DAMAGED);
    EXPECT_EQ(h, nullptr);
    EXPECT_EQ(handles().totalAllocated(), 1u);
}

TEST_F(ArbCallbacks, SizesAreFixed) {
    A_u_long size = 0;
    PF_ArbParamsExtra x = request(PF_Arbitrary_FLAT_SIZE_FUNC);
    x.u.flat_size_func_params.flat_data_sizePLu = &size;
    EXPECT_EQ(call(x), PF_Err_NONE);
    EXPECT_EQ(size, 1320u);
    x = request(PF_Arbitrary_PRINT_SIZE_FUNC);
    x.u.print_size_func_params.print_sizePLu = &size;
    EXPECT_EQ(call(x), PF_Err_NONE);
    EXPECT_EQ(size, 3960u);
}

TEST_F(ArbCallbacks, CopyHoldsTheSameBytesInANewHandle) {
    FlatBytes f;
    f.le32(0).name("Warm").listHeader(2, 1).flag(255, 1, 2, 3, kF025, 0).flag(255, 4, 5, 6, kF075, 1).unusedSlots(30);
    f.listHeader(1).flag(255, 7, 8, 9, kF05, 4).unusedSlots(31);
    PF_Handle src = unflatten(f.v);
    PF_Handle dst = nullptr;
    PF_ArbParamsExtra x = request(PF_Arbitrary_COPY_FUNC);
    x.u.copy_func_params.src_arbH = src;
    x.u.copy_func_params.dst_arbPH = &dst;
    ASSERT_EQ(call(x), PF_Err_NONE);
    ASSERT_NE(dst, nullptr);
    EXPECT_NE(dst, src);
    EXPECT_EQ(flatten(dst), f.v);
    dispose(src);
    dispose(dst);
}

TEST_F(ArbCallbacks, CopyOfAShortHandleReadsAsFarAsItGoes) {
    FlatBytes full;
    full.le32(0).name("Short").listHeader(1).flag(255, 10, 20, 30, kF05, 0).unusedSlots(31).emptyList();
    // A host handle holding only the first 296 bytes: header, name, list header and one flag.
    PF_Handle src = handles().newHandle(296);
    std::memcpy(handles().lock(src), full.v.data(), 296);
    handles().unlock(src);
    PF_Handle dst = nullptr;
    PF_ArbParamsExtra x = request(PF_Arbitrary_COPY_FUNC);
    x.u.copy_func_params.src_arbH = src;
    x.u.copy_func_params.dst_arbPH = &dst;
    ASSERT_EQ(call(x), PF_Err_NONE);
    EXPECT_EQ(flatten(dst), full.v);
    handles().dispose(src);
    dispose(dst);
}

TEST_F(ArbCallbacks, CopyThatCannotLockLeavesNoHandle) {
    PF_Handle src = newValue();
    handles().failNextLock();
    PF_Handle dst = nullptr;
    PF_ArbParamsExtra x = request(PF_Arbitrary_COPY_FUNC);
    x.u.copy_func_params.src_arbH = src;
    x.u.copy_func_params.dst_arbPH = &dst;
    EXPECT_EQ(call(x), PF_Err_INTERNAL_STRUCT_DAMAGED);
    EXPECT_EQ(dst, nullptr);
    EXPECT_EQ(handles().live(), 1u);
    dispose(src);
}

TEST_F(ArbCallbacks, FlattenAndUnflattenNeedExactly1320Bytes) {
    PF_Handle h = newValue();
    std::vector<std::uint8_t> bytes(1321, 0);
    for (A_u_long size : {1319u, 1321u, 0u}) {
        PF_ArbParamsExtra x = request(PF_Arbitrary_FLATTEN_FUNC);
        x.u.flatten_func_params.arbH = h;
        x.u.flatten_func_params.buf_sizeLu = size;
        x.u.flatten_func_params.flat_dataPV = bytes.data();
        EXPECT_EQ(call(x), PF_Err_BAD_CALLBACK_PARAM) << size;

        PF_Handle out = nullptr;
        PF_ArbParamsExtra y = request(PF_Arbitrary_UNFLATTEN_FUNC);
        y.u.unflatten_func_params.buf_sizeLu = size;
        y.u.unflatten_func_params.flat_dataPV = bytes.data();
        y.u.unflatten_func_params.arbPH = &out;
        EXPECT_EQ(call(y), PF_Err_BAD_CALLBACK_PARAM) << size;
        EXPECT_EQ(out, nullptr);
    }
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), std::vector<std::uint8_t>(1321, 0));
    dispose(h);
}

TEST_F(ArbCallbacks, UnflattenRenumbersTheCurrentListOnly) {
    FlatBytes stored;
    stored.le32(0).name("");
    stored.listHeader(3).flag(255, 1, 1, 1, kF0, 7).flag(255, 2, 2, 2, kF05, 3).flag(255, 3, 3, 3, kF1, 9);
    stored.unusedSlots(29);
    stored.listHeader(2).flag(255, 5, 5, 5, kF0, 5).flag(255, 6, 6, 6, kF1, 6).unusedSlots(30);

    FlatBytes expected;
    expected.le32(0).name("");
    expected.listHeader(3).flag(255, 1, 1, 1, kF0, 0).flag(255, 2, 2, 2, kF05, 1).flag(255, 3, 3, 3, kF1, 2);
    expected.unusedSlots(29);
    expected.listHeader(2).flag(255, 5, 5, 5, kF0, 5).flag(255, 6, 6, 6, kF1, 6).unusedSlots(30);

    PF_Handle h = unflatten(stored.v);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(flatten(h), expected.v);
    dispose(h);
}

TEST_F(ArbCallbacks, UnflattenWithoutDataMakesNothing) {
    PF_Handle out = nullptr;
    PF_ArbParamsExtra x = request(PF_Arbitrary_UNFLATTEN_FUNC);
    x.u.unflatten_func_params.buf_sizeLu = 1320;
    x.u.unflatten_func_params.arbPH = &out;
    EXPECT_EQ(call(x), PF_Err_NONE);
    EXPECT_EQ(out, nullptr);
}

class ArbInterpolation : public ArbHarness {
protected:
    PF_Handle interp(PF_Handle left, PF_Handle right, double t) {
        PF_Handle out = nullptr;
        PF_ArbParamsExtra x = request(PF_Arbitrary_INTERP_FUNC);
        x.u.interp_func_params.left_arbH = left;
        x.u.interp_func_params.right_arbH = right;
        x.u.interp_func_params.tF = t;
        x.u.interp_func_params.interpPH = &out;
        EXPECT_EQ(call(x), PF_Err_NONE);
        return out;
    }
};

TEST_F(ArbInterpolation, ThreeAgainstFiveGivesThreeFlagsFromTheSortedLists) {
    PF_Handle left = newValue();
    // Five flags stored out of order (0.75, 0, 1, 0.25, 0.5), under a preset name.
    FlatBytes r;
    r.le32(0).name("Right").listHeader(5);
    r.flag(128, 10, 20, 30, kF075, 0).flag(255, 0, 0, 0, kF0, 1).flag(255, 255, 255, 255, kF1, 2);
    r.flag(255, 100, 100, 100, kF025, 3).flag(255, 200, 200, 200, kF05, 4).unusedSlots(27);
    r.listHeader(1).flag(255, 1, 2, 3, kF0, 0).unusedSlots(31);
    PF_Handle right = unflatten(r.v);

    // Sorted pairs at t = 0.5:
    //   (255,255,255)@0   with (0,0,0)@0          -> 127.5 each -> 127, position 0
    //   (50,248,255)@0.5  with (100,100,100)@0.25 -> 75, 174, 177.5 -> 177, position 0.375
    //   (0,24,255)@1      with (200,200,200)@0.5  -> 100, 112, 227.5 -> 227, position 0.75
    FlatBytes expected;
    expected.le32(0).name("");
    expected.listHeader(3, 0)
        .flag(255, 127, 127, 127, kF0, 0)
        .flag(255, 75, 174, 177, 0x3ec00000, 1)
        .flag(255, 100, 112, 227, kF075, 2)
        .unusedSlots(29);
    expected.emptyList();

    PF_Handle out = interp(left, right, 0.5);
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(flatten(out), expected.v);
    dispose(out);
    dispose(left);
    dispose(right);
}

TEST_F(ArbInterpolation, AnEmptySideGivesAnEmptyResult) {
    PF_Handle left = newValue();
    FlatBytes empty;
    empty.le32(0).name("").emptyList().emptyList();
    PF_Handle right = unflatten(empty.v);
    for (PF_Handle out : {interp(left, right, 0.3), interp(right, left, 0.7)}) {
        ASSERT_NE(out, nullptr);
        const auto bytes = flatten(out);
        EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 264, bytes.begin() + 272),
                  (std::vector<std::uint8_t>{0, 0, 0, 0, 0, 0, 0, 0}))
            << "count 0 and flags word 0";
        dispose(out);
    }
    dispose(left);
    dispose(right);
}

TEST_F(ArbInterpolation, EndsOfTheIntervalGiveEachSide) {
    PF_Handle left = newValue();
    FlatBytes r;
    r.le32(0).name("").listHeader(3);
    r.flag(255, 0, 0, 0, kF0, 0).flag(255, 10, 10, 10, kF025, 1).flag(255, 20, 20, 20, kF05, 2).unusedSlots(29);
    r.emptyList();
    PF_Handle right = unflatten(r.v);
    PF_Handle atRight = interp(left, right, 1.0);
    EXPECT_EQ(flatten(atRight), r.v);
    PF_Handle atLeft = interp(left, right, 0.0);
    EXPECT_EQ(flatten(atLeft), FlatBytes::defaultValue().v);
    for (PF_Handle h : {atRight, atLeft, left, right})
        dispose(h);
}

class ArbComparison : public ArbHarness {};

TEST_F(ArbComparison, PresetListFlagsWordAndHeaderTakeNoPart) {
    PF_Handle a = newValue();
    FlatBytes other;
    other.le32(0x12345678).name("");
    other.listHeader(3, 1)
        .flag(0xff, 0xff, 0xff, 0xff, kF0, 0)
        .flag(0xff, 0x32, 0xf8, 0xff, kF05, 1)
        .flag(0xff, 0x00, 0x18, 0xff, kF1, 2)
        .unusedSlots(29);
    other.listHeader(2).flag(255, 9, 9, 9, kF0, 0).flag(255, 8, 8, 8, kF1, 1).unusedSlots(30);
    PF_Handle b = unflatten(other.v);
    EXPECT_EQ(compare(a, b), PF_ArbCompare_EQUAL);
    EXPECT_EQ(compare(b, a), PF_ArbCompare_EQUAL);
    dispose(a);
    dispose(b);
}

TEST_F(ArbComparison, NameCountColorAndPositionEachMakeADifference) {
    PF_Handle a = newValue();
    auto variant = [&](const char *name, std::uint8_t red1, std::uint32_t pos1, std::uint32_t count) {
        FlatBytes f;
        f.le32(0).name(name).listHeader(count);
        f.flag(0xff, 0xff, 0xff, 0xff, kF0, 0).flag(0xff, red1, 0xf8, 0xff, pos1, 1).flag(0xff, 0, 0x18, 0xff, kF1, 2);
        f.unusedSlots(29).emptyList();
        return unflatten(f.v);
    };
    PF_Handle same = variant("", 0x32, kF05, 3);
    PF_Handle named = variant("Soft", 0x32, kF05, 3);
    PF_Handle recolored = variant("", 0x33, kF05, 3);
    PF_Handle moved = variant("", 0x32, kF025, 3);
    PF_Handle shorter = variant("", 0x32, kF05, 2);
    EXPECT_EQ(compare(a, same), PF_ArbCompare_EQUAL);
    for (PF_Handle h : {named, recolored, moved, shorter})
        EXPECT_EQ(compare(a, h), PF_ArbCompare_NOT_EQUAL);
    for (PF_Handle h : {a, same, named, recolored, moved, shorter})
        dispose(h);
}

TEST_F(ArbComparison, ALockFailureIsReportedAsNotEqual) {
    PF_Handle a = newValue();
    handles().failNextLock();
    PF_ArbCompareResult result = PF_ArbCompare_EQUAL;
    PF_ArbParamsExtra x = request(PF_Arbitrary_COMPARE_FUNC);
    x.u.compare_func_params.a_arbH = a;
    x.u.compare_func_params.b_arbH = a;
    x.u.compare_func_params.compareP = &result;
    EXPECT_EQ(call(x), PF_Err_INTERNAL_STRUCT_DAMAGED);
    EXPECT_EQ(result, PF_ArbCompare_NOT_EQUAL);
    EXPECT_EQ(handles().lockCount(a), 0);
    dispose(a);
}

class ArbRouting : public ArbHarness {};

TEST_F(ArbRouting, ARefconNoControlOwnsIsUnrecognised) {
    PF_Handle h = nullptr;
    PF_ArbParamsExtra x = request(PF_Arbitrary_NEW_FUNC);
    x.u.new_func_params.arbPH = &h;
    x.u.new_func_params.refconPV = reinterpret_cast<void *>(std::uintptr_t{0xeeee0003});
    EXPECT_EQ(call(x), PF_Err_UNRECOGNIZED_PARAM_TYPE);
    x.u.new_func_params.refconPV = nullptr;
    EXPECT_EQ(call(x), PF_Err_UNRECOGNIZED_PARAM_TYPE);
    EXPECT_EQ(h, nullptr);
    EXPECT_EQ(handles().totalAllocated(), 0u);
}

TEST_F(ArbRouting, UnknownSelectorsDoNothing) {
    PF_ArbParamsExtra x = request(99);
    EXPECT_EQ(call(x), PF_Err_NONE);
    x.u.new_func_params.refconPV = nullptr;
    EXPECT_EQ(call(x), PF_Err_NONE);
}

} // namespace
