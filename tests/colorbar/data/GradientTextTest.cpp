// The text form of the gradient value, printed and scanned without a host.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/colorbar/FlatBytes.h"
#include "colorbar/data/GradientText.h"

namespace {

using namespace AEUtil;
using colorbar_test::FlatBytes;

GradientData fromBytes(const FlatBytes &f) {
    GradientData d;
    EXPECT_EQ(f.v.size(), sizeof d);
    std::memcpy(&d, f.v.data(), sizeof d);
    return d;
}

std::string print(const GradientData &d) {
    std::vector<char> buffer(kGradientPrintSize, '\x7f');
    EXPECT_EQ(printGradientText(d, false, buffer.data(), buffer.size()), PF_Err_NONE);
    return std::string(buffer.data());
}

TEST(GradientText, DefaultValuePrintsAs3178Characters) {
    const std::string text = print(fromBytes(FlatBytes::defaultValue()));
    EXPECT_EQ(text.size(), 3178u);
    const std::string head = "00000000\t\t"
                             "03,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,"
                             "ff,ff,ff,ff,00,00,00,00,00,00,00,00,00,00,00,00,"
                             "ff,32,f8,ff,00,00,00,3f,01,00,00,00,00,00,00,00,"
                             "ff,00,18,ff,00,00,80,3f,02,00,00,00,00,00,00,00,"
                             "00,00,00,00,00,00,00,00,ff,ff,ff,ff,00,00,00,00,";
    EXPECT_EQ(text.substr(0, head.size()), head);
    EXPECT_EQ(text.substr(text.size() - 48), "00,00,00,00,00,00,00,00,ff,ff,ff,ff,00,00,00,00,");
}

TEST(GradientText, NameAndHeaderArePrintedBeforeTheBytes) {
    FlatBytes f;
    f.le32(0xdeadbeef).name("Soft").emptyList().emptyList();
    const std::string text = print(fromBytes(f));
    EXPECT_EQ(text, "deadbeef\tSoft\t" + f.listText());
    EXPECT_EQ(text.size(), gradientTextLength(4));
}

TEST(GradientText, AbbreviatedFormIsEmpty) {
    std::vector<char> buffer(kGradientPrintSize, 'x');
    EXPECT_EQ(printGradientText(fromBytes(FlatBytes::defaultValue()), true, buffer.data(), buffer.size()), PF_Err_NONE);
    EXPECT_EQ(buffer[0], '\0');
}

TEST(GradientText, BufferBelow3960IsRefused) {
    std::vector<char> buffer(3959, 'x');
    EXPECT_EQ(printGradientText(fromBytes(FlatBytes::defaultValue()), false, buffer.data(), buffer.size()),
              PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(buffer[0], 'x');
}

TEST(GradientText, UnterminatedNameFieldPrintsItsFirst259Characters) {
    GradientData d = fromBytes(FlatBytes::defaultValue());
    std::memset(d.presetName, 'n', sizeof d.presetName);
    const std::string text = print(d);
    EXPECT_EQ(text.substr(9, 260), std::string(259, 'n') + "\t");
    EXPECT_EQ(text.size(), gradientTextLength(259));
}

TEST(GradientText, ScanOfThePrintedDefaultGivesTheDefaultBack) {
    const FlatBytes expected = FlatBytes::defaultValue();
    std::vector<char> text(kGradientPrintSize, '\0');
    const std::string printed = "00000000\t\t" + expected.listText();
    std::memcpy(text.data(), printed.data(), printed.size());
    GradientData d;
    std::memset(&d, 0xAB, sizeof d);
    ASSERT_EQ(scanGradientText(text.data(), text.size(), d), PF_Err_NONE);
    EXPECT_EQ(std::memcmp(&d, expected.v.data(), sizeof d), 0) << "an empty name field is the empty name";
}

TEST(GradientText, ScanStopsAtTheLastTokenAndKeepsTheRest) {
    GradientData d = fromBytes(FlatBytes::defaultValue());
    const std::string text = "00000001\tGlow\t05,1,";
    ASSERT_EQ(scanGradientText(text.data(), text.size(), d), PF_Err_NONE);
    EXPECT_EQ(d.header, 1);
    EXPECT_STREQ(d.presetName, "Glow");
    EXPECT_EQ(d.current.count, 0x105) << "bytes 264 and 265 scanned, 266 and 267 kept";
    EXPECT_EQ(d.current.flag[0].red, 0xff) << "kept from the value scanned over";
}

TEST(GradientText, HeaderAbove7fffffffReadsTheSameEverywhere) {
    GradientData d = fromBytes(FlatBytes::defaultValue());
    const std::string text = "deadbeef\t\t";
    ASSERT_EQ(scanGradientText(text.data(), text.size(), d), PF_Err_NONE);
    EXPECT_EQ(static_cast<std::uint32_t>(d.header), 0xdeadbeefu);
}

TEST(GradientText, TokensAreTruncatedToAByteAndGarbageReadsAsZero) {
    GradientData d = fromBytes(FlatBytes::defaultValue());
    const std::string text = "0\tx\t1ff zz\t-1,";
    ASSERT_EQ(scanGradientText(text.data(), text.size(), d), PF_Err_NONE);
    const auto *bytes = reinterpret_cast<const unsigned char *>(&d) + 264;
    EXPECT_EQ(bytes[0], 0xff);
    EXPECT_EQ(bytes[1], 0x00);
    EXPECT_EQ(bytes[2], 0xff);
}

TEST(GradientText, ANulEndsTheTextAndUnterminatedTextIsNotOverread) {
    GradientData d = fromBytes(FlatBytes::defaultValue());
    const char withNul[] = {'0', '\t', '\t', '0', '7', '\0', '0', '8', ','};
    ASSERT_EQ(scanGradientText(withNul, sizeof withNul, d), PF_Err_NONE);
    EXPECT_EQ(d.current.count, 7);
    // Exactly `bytes` long with no terminator: the scan must stop at the end.
    const std::vector<char> raw = {'0', '\t', '\t', '0', '9'};
    ASSERT_EQ(scanGradientText(raw.data(), raw.size(), d), PF_Err_NONE);
    EXPECT_EQ(d.current.count, 9);
}

TEST(GradientText, A259CharacterNameFitsAnd260IsRefused) {
    GradientData d = fromBytes(FlatBytes::defaultValue());
    const std::string fits = "0\t" + std::string(259, 'a') + "\t";
    ASSERT_EQ(scanGradientText(fits.data(), fits.size(), d), PF_Err_NONE);
    EXPECT_EQ(std::string(d.presetName), std::string(259, 'a'));

    const GradientData before = d;
    const std::string tooLong = "00000007\t" + std::string(260, 'b') + "\t05,";
    EXPECT_EQ(scanGradientText(tooLong.data(), tooLong.size(), d), PF_Err_CANNOT_PARSE_KEYFRAME_TEXT);
    EXPECT_EQ(std::memcmp(&before, &d, sizeof d), 0) << "a refused scan changes nothing";

    const std::string noTab = "0\t" + std::string(300, 'c');
    EXPECT_EQ(scanGradientText(noTab.data(), noTab.size(), d), PF_Err_CANNOT_PARSE_KEYFRAME_TEXT);
}

} // namespace
