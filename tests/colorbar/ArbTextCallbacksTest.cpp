// The gradient value's print and scan callbacks through the plug-in's entry point.
#include <cstring>

#include "ArbHarness.h"
#include "FlatBytes.h"

namespace {

using namespace colorbar_test;

class ArbText : public ArbHarness {};

TEST_F(ArbText, DefaultPrintsAs3178CharactersOfHeaderEmptyNameAndBytes) {
    PF_Handle h = newValue();
    const std::string text = print(h);
    EXPECT_EQ(text.size(), 3178u);
    EXPECT_EQ(text.substr(0, 10 + 48 * 2), "00000000\t\t"
                                           "03,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,"
                                           "ff,ff,ff,ff,00,00,00,00,00,00,00,00,00,00,00,00,");
    EXPECT_EQ(handles().lockCount(h), 0);
    dispose(h);
}

TEST_F(ArbText, AbbreviatedPrintIsEmptyAndSmallBuffersAreRefused) {
    PF_Handle h = newValue();
    std::vector<char> buffer(3960, 'x');
    PF_ArbParamsExtra x = request(PF_Arbitrary_PRINT_FUNC);
    x.u.print_func_params.arbH = h;
    x.u.print_func_params.print_flags = PF_ArbPrint_ABBREVIATED;
    x.u.print_func_params.print_sizeLu = 3960;
    x.u.print_func_params.print_bufferPC = buffer.data();
    EXPECT_EQ(call(x), PF_Err_NONE);
    EXPECT_EQ(buffer[0], '\0');

    buffer.assign(3960, 'x');
    x.u.print_func_params.print_flags = PF_ArbPrint_NONE;
    x.u.print_func_params.print_sizeLu = 3959;
    EXPECT_EQ(call(x), PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(buffer[0], 'x');
    dispose(h);
}

TEST_F(ArbText, ScanOfTextShorterThan3960BytesFailsAndHandsOutNothing) {
    PF_Handle h = newValue();
    const std::string text = print(h);
    PF_Handle out = reinterpret_cast<PF_Handle>(std::uintptr_t{1});
    EXPECT_EQ(scan(text, static_cast<A_u_long>(text.size() + 1), &out), PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(scan(text, 3959, &out), PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(handles().live(), 1u) << "the default the scan started from was disposed";
    dispose(h);
}

TEST_F(ArbText, PrintedDefaultScansBackToAnEqualValue) {
    PF_Handle h = newValue();
    PF_Handle out = nullptr;
    ASSERT_EQ(scan(print(h), 3960, &out), PF_Err_NONE);
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(compare(h, out), PF_ArbCompare_EQUAL);
    EXPECT_EQ(flatten(out), FlatBytes::defaultValue().v);
    dispose(out);
    dispose(h);
}

TEST_F(ArbText, HeaderNameAndEveryByteSurvivePrintAndScan) {
    FlatBytes f;
    f.le32(0x80000001u).name("Sunset 2");
    f.listHeader(2, 1).flag(200, 1, 2, 3, kF025, 5).flag(255, 4, 5, 6, kF075, 2).unusedSlots(30);
    f.listHeader(1).flag(255, 7, 8, 9, kF05, 0).unusedSlots(31);
    const std::string text = "80000001\tSunset 2\t" + f.listText();
    PF_Handle out = nullptr;
    ASSERT_EQ(scan(text, 3960, &out), PF_Err_NONE);
    EXPECT_EQ(flatten(out), f.v) << "ids as scanned, header above 0x7fffffff intact";
    EXPECT_EQ(print(out), text);
    dispose(out);
}

TEST_F(ArbText, ScannedIdsAreNotRenumbered) {
    FlatBytes f;
    f.le32(0).name("");
    f.listHeader(3).flag(255, 1, 1, 1, kF0, 7).flag(255, 2, 2, 2, kF05, 3).flag(255, 3, 3, 3, kF1, 9).unusedSlots(29);
    f.emptyList();
    PF_Handle scanned = nullptr;
    ASSERT_EQ(scan("00000000\t\t" + f.listText(), 3960, &scanned), PF_Err_NONE);
    EXPECT_EQ(flatten(scanned), f.v);
    PF_Handle unflattened = unflatten(f.v);
    EXPECT_EQ(compare(scanned, unflattened), PF_ArbCompare_NOT_EQUAL) << "ids 7, 3, 9 against 0, 1, 2";
    dispose(scanned);
    dispose(unflattened);
}

TEST_F(ArbText, ANameOf260CharactersIsRefusedWithoutOverflow) {
    auto textWithName = [](std::size_t length) {
        std::string text = "00000000\t";
        text.append(length, 'N');
        text += '\t';
        text += FlatBytes::defaultValue().listText();
        return text;
    };
    PF_Handle out = reinterpret_cast<PF_Handle>(std::uintptr_t{1});
    EXPECT_EQ(scan(textWithName(260), 3960, &out), PF_Err_CANNOT_PARSE_KEYFRAME_TEXT);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(handles().live(), 0u);

    ASSERT_EQ(scan(textWithName(259), 3960, &out), PF_Err_NONE);
    const auto bytes = flatten(out);
    EXPECT_EQ(std::string(bytes.begin() + 4, bytes.begin() + 263), std::string(259, 'N'));
    EXPECT_EQ(bytes[263], 0);
    dispose(out);
}

TEST_F(ArbText, ScanWithoutMemoryOrLockFails) {
    PF_Handle value = newValue();
    const std::string text = print(value);
    handles().failNewHandleAfter(0);
    PF_Handle out = nullptr;
    EXPECT_EQ(scan(text, 3960, &out), PF_Err_OUT_OF_MEMORY);
    EXPECT_EQ(out, nullptr);
    handles().failNextLock();
    EXPECT_EQ(scan(text, 3960, &out), PF_Err_INTERNAL_STRUCT_DAMAGED);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(handles().live(), 1u);
    handles().clearFailures();
    dispose(value);
}

} // namespace
