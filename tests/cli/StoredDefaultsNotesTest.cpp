// Which hand-edited settings entries the command notes as ignored, and how it shows them.
#include "cli/StoredDefaultsNotes.h"

#include <gtest/gtest.h>

using namespace lumora::cli;

TEST(StoredDefaultsNotes, EntriesThePlugInIgnoresAreNamed) {
    ParamOption view, opacity, depth, tint;
    view.name = "View";
    view.type = PF_Param_POPUP;
    view.choices = {{"normal", 1}, {"extract", 3}, {"threshold", 4}}; // 2 is a separator line
    opacity.name = "Opacity";
    opacity.type = PF_Param_FLOAT_SLIDER;
    opacity.validMax = 100;
    depth.name = "Enable Depth Effects";
    depth.type = PF_Param_CHECKBOX;
    tint.name = "Depth Tint";
    tint.type = PF_Param_COLOR;
    const std::vector<std::string> entries = {"View=2",           "view=3",         "Opacity=0x40",
                                              "Opacity= 50.5 ",   "Opacity=100.5",  "Enable Depth Effects=7",
                                              "Depth Tint.r=300", "Depth Tint.g=7", "Foreign=x",
                                              "View=\x1b[31m"};
    const std::vector<std::string> expected = {
        "'View=2' is not one of the menu's entries; the built-in default is used",
        "'Opacity=0x40' is not a plain decimal number; the built-in default is used",
        "'Opacity=100.5' is outside the parameter's range; the built-in default is used",
        "'Enable Depth Effects=7' is neither 0 nor 1; the built-in default is used",
        "'Depth Tint.r=300' is outside 0 to 255; the built-in default is used",
        "'View=?[31m' is not a whole number; the built-in default is used",
    };
    EXPECT_EQ(storedDefaultNotes(entries, {view, opacity, depth, tint}), expected);
}
