// `lumora params` and `lumora about`: the table's pieces from hand-made definitions, and both
// verbs driving the built module through the embedded host.
#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "cli/HostText.h"
#include "cli/ParamTable.h"
#include "cli/ParamsCommand.h"
#include "tests/support/TestFolders.h"

namespace {

using namespace lumora::cli;

std::vector<std::string> linesOf(const std::string &text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The words of a table line, runs of blanks collapsed.
std::string squeezed(const std::string &line) {
    std::string out;
    for (char c : line)
        if (c != ' ' || (!out.empty() && out.back() != ' '))
            out.push_back(c);
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

TEST(ParamTable, FlagNames) {
    EXPECT_EQ(paramFlagNames(0), "-");
    EXPECT_EQ(paramFlagNames(PF_ParamFlag_COLLAPSE_TWIRLY), "COLLAPSE_TWIRLY");
    EXPECT_EQ(paramFlagNames(PF_ParamFlag_CANNOT_TIME_VARY | PF_ParamFlag_SUPERVISE), "CANNOT_TIME_VARY|SUPERVISE");
    EXPECT_EQ(paramFlagNames(1 << 20), "0x100000") << "unknown bits in hex";
    EXPECT_EQ(uiFlagNames(PF_PUI_CONTROL | PF_PUI_DISABLED), "CONTROL|DISABLED");
    EXPECT_EQ(uiFlagNames(0), "-");
}

TEST(ParamTable, NumbersIgnoreTheLocale) {
    EXPECT_EQ(formatNumber(100.0f), "100");
    EXPECT_EQ(formatNumber(-12.5f), "-12.5");
    EXPECT_EQ(formatNumber(0.05f), "0.05");
    EXPECT_EQ(formatNumber(62.25), "62.25");
}

TEST(ParamTable, RowsOfEachKind) {
    std::vector<ParamRow> rows(5);
    rows[0].index = 0;
    rows[1].index = 1;
    rows[1].def.param_type = PF_Param_POPUP;
    rows[1].def.uu.id = 7;
    std::strcpy(rows[1].def.name, "Mode");
    rows[1].def.u.pd.num_choices = 3;
    rows[1].def.u.pd.dephault = 3;
    rows[1].choices = "One|(-|Three";
    rows[2].index = 2;
    rows[2].def.param_type = PF_Param_FLOAT_SLIDER;
    rows[2].def.uu.id = 8;
    std::strcpy(rows[2].def.name, "Size");
    rows[2].def.flags = PF_ParamFlag_COLLAPSE_TWIRLY;
    rows[2].def.u.fs_d = PF_FloatSliderDef{};
    rows[2].def.u.fs_d.valid_min = -1.5f;
    rows[2].def.u.fs_d.valid_max = 1000;
    rows[2].def.u.fs_d.slider_max = 100;
    rows[2].def.u.fs_d.dephault = 2.5f;
    rows[2].def.u.fs_d.precision = 2;
    rows[2].def.u.fs_d.display_flags = PF_ValueDisplayFlag_PERCENT;
    rows[3].index = 3;
    rows[3].def.param_type = PF_Param_COLOR;
    rows[3].def.uu.id = 9;
    std::strcpy(rows[3].def.name, "Tint");
    rows[3].def.u.cd.dephault = PF_Pixel{255, 1, 2, 3};
    rows[4].index = 4;
    rows[4].def.param_type = PF_Param_GROUP_END;
    rows[4].def.uu.id = 10;

    const std::vector<std::string> lines = linesOf(formatParamTable(rows));
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(squeezed(lines[0]), "idx id type name valid / slider range default display flags ui flags");
    EXPECT_EQ(squeezed(lines[1]), "0 - layer (input layer) - - - - -");
    EXPECT_EQ(squeezed(lines[2]), "1 7 popup Mode 3 choices 3 (Three) menu (below) - -");
    EXPECT_EQ(squeezed(lines[3]), "menu: One|(-|Three");
    EXPECT_EQ(squeezed(lines[4]), "2 8 float slider Size -1.5 to 1000 / 0 to 100 2.5 precision 2, percent "
                                  "COLLAPSE_TWIRLY -");
    EXPECT_EQ(squeezed(lines[5]), "3 9 color Tint - ARGB 255 1 2 3 - - -");
    EXPECT_EQ(squeezed(lines[6]), "4 10 group end (end of group) - - - - -");
}

TEST(HostText, LineBreaksAndJapaneseCodePage) {
    EXPECT_EQ(hostTextForDisplay("a\r\rb"), "a\n\nb");
    // "不明なエラー" in code page 932, as the entry point reports an unknown failure.
    const std::string sjis = "\x95\x73\x96\xBE\x82\xC8\x83\x47\x83\x89\x81\x5B";
    EXPECT_EQ(hostTextForDisplay(sjis), "\xE4\xB8\x8D\xE6\x98\x8E\xE3\x81\xAA\xE3\x82\xA8\xE3\x83\xA9\xE3\x83\xBC");
}

class VerbTest : public ::testing::Test {
protected:
    std::string run(const Command &command, std::vector<std::string> args) {
        args.push_back(LUMORA_MODULE_PATH);
        std::ostringstream out;
        EXPECT_EQ(command.run(args, out), 0);
        return out.str();
    }

    lumora::test::ScratchFolder appData{"params-cli"};
    lumora::test::ScopedEnv noUserDefaults{"LUMORA_APPDATA_DIR", appData.path()};
};

TEST_F(VerbTest, ParamsListsTheGlowTable) {
    // After the header, index i is on line i + 1 plus one line for each popup menu above it
    // (popups at indices 1, 2, 5 and 8).
    const std::vector<std::string> lines = linesOf(run(paramsCommand(), {}));
    ASSERT_EQ(lines.size(), 1u + 23u + 4u) << "header, input layer and 22 parameters, four menus";
    EXPECT_EQ(squeezed(lines[1]), "0 - layer (input layer) - - - - -");
    EXPECT_EQ(squeezed(lines[2]), "1 1 popup View 4 choices 1 (Normal) menu (below) COLLAPSE_TWIRLY -");
    EXPECT_EQ(squeezed(lines[3]), "menu: Normal|(-|Extract|Threshold");
    EXPECT_EQ(squeezed(lines[4]), "2 2 popup Blend Mode 14 choices 3 (Add) menu (below) COLLAPSE_TWIRLY -");
    EXPECT_EQ(squeezed(lines[10]), "6 52 arbitrary Glow Color Bar - data custom UI 0 x 88 - CONTROL");
    EXPECT_EQ(squeezed(lines[11]), "7 53 group end (end of group) - - - - -");
    EXPECT_EQ(squeezed(lines[16]),
              "11 103 float slider Glow Radius 0 to 1000 / 0 to 100 10 precision 1 COLLAPSE_TWIRLY -");
    EXPECT_EQ(squeezed(lines[22]),
              "17 204 float slider Center Position 0 to 100 / 0 to 50 50 precision 1, percent COLLAPSE_TWIRLY -");
    EXPECT_EQ(squeezed(lines[24]), "19 206 color Depth Tint - ARGB 255 255 255 255 - COLLAPSE_TWIRLY -");
    EXPECT_EQ(squeezed(lines.back()), "22 209 group end (end of group) - - - - -");
}

TEST_F(VerbTest, AboutWithAndWithoutShift) {
    lumora::test::ScopedEnv shift("LUMORA_SHIFT_HELD", "0");
    const std::string plain = run(aboutCommand(), {});
    EXPECT_EQ(plain.rfind("Lumora 1.1.1 Release\n\n", 0), 0u) << plain;
    EXPECT_EQ(plain.find("build:"), std::string::npos);
    EXPECT_EQ(plain.back(), '\n');
    const std::string held = run(aboutCommand(), {"--shift"});
    EXPECT_EQ(held.rfind("Lumora 1.1.1 Release build:13\n\n", 0), 0u) << held;
}

} // namespace
