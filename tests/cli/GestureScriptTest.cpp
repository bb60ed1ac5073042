// The gesture script of `lumora panel`: what each line asks for, and the lines refused.
#include <gtest/gtest.h>

#include "cli/CommandLine.h"
#include "cli/GestureScript.h"

namespace {

using namespace lumora::cli;
using Kind = Gesture::Kind;

TEST(GestureScript, EachLineBecomesOneGesture) {
    const std::vector<Gesture> g = parseGestures("# a comment\n"
                                                 "click 20,70 ctrl shift\n"
                                                 "\n"
                                                 "drag 20,70 60,100 80,70\n"
                                                 "pick #ff8000\n"
                                                 "pick cancel\n"
                                                 "choose Warm & soft\n"
                                                 "dismiss\n"
                                                 "type  Blue #2 \n"
                                                 "cancel\n",
                                                 "g.txt");
    ASSERT_EQ(g.size(), 8u);
    EXPECT_EQ(g[0].kind, Kind::Click);
    EXPECT_EQ(g[0].modifiers, PF_Mod_CMD_CTRL_KEY | PF_Mod_SHIFT_KEY);
    EXPECT_EQ(g[0].line, 2);
    EXPECT_EQ(g[1].points.size(), 3u);
    EXPECT_EQ(g[1].points[2].h, 80);
    ASSERT_TRUE(g[2].color);
    EXPECT_EQ(g[2].color->green, 0x80);
    EXPECT_FALSE(g[3].color) << "cancel";
    EXPECT_EQ(g[4].text, "Warm & soft");
    EXPECT_EQ(g[5].kind, Kind::Choose);
    EXPECT_FALSE(g[5].text) << "dismiss";
    EXPECT_EQ(g[6].text, "Blue #2") << "a name keeps its spaces and '#' inside";
    EXPECT_FALSE(g[7].text);
}

TEST(GestureScript, MistakesNameTheLine) {
    for (const char *bad : {"click 20", "click 20,70 30,70", "drag 20,70", "hover 1,2 ctrl", "click 1,2 meta",
                            "pick red", "choose", "dismiss now", "wave 1,2"}) {
        try {
            parseGestures(std::string("\n") + bad, "g.txt");
            ADD_FAILURE() << bad;
        } catch (const UsageError &e) {
            EXPECT_NE(std::string(e.what()).find("g.txt:2: "), std::string::npos) << e.what();
        }
    }
}

} // namespace
