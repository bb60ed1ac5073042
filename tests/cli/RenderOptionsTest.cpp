// The options of `lumora render` / `demo`: derived from the built-in plug-in's registered
// parameters, parsed into values, and refused with a clear message when wrong.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "cli/CommandLine.h"
#include "cli/RenderOptions.h"
#include "cli/RenderSession.h"

namespace {

using namespace lumora::cli;

// Built once: registering needs the one embedded host a process may hold.
const std::vector<ParamOption> &table() {
    static const std::vector<ParamOption> options = [] {
        // No user defaults: the folder they would live in does not exist.
        const std::string none = LUMORA_TEST_TMPDIR "/cli-options-no-appdata";
#ifdef _WIN32
        _putenv_s("LUMORA_APPDATA_DIR", none.c_str());
#else
        setenv("LUMORA_APPDATA_DIR", none.c_str(), 1);
#endif
        return loadParamOptions("");
    }();
    return options;
}

RenderRequest parse(std::vector<std::string> args, RenderVerb verb = RenderVerb::Render) {
    if (verb == RenderVerb::Render) {
        args.insert(args.begin(), {"in.png", "out.png"});
    } else {
        args.insert(args.begin(), "out.png");
    }
    return parseRenderArgs(args, table(), verb);
}

// The message of the UsageError the arguments raise; empty (and a failure) when none.
std::string usageError(std::vector<std::string> args, RenderVerb verb = RenderVerb::Render) {
    try {
        parse(std::move(args), verb);
    } catch (const UsageError &e) {
        return e.what();
    }
    ADD_FAILURE() << "no usage error";
    return {};
}

const ParamSetting &only(const RenderRequest &r) {
    EXPECT_EQ(r.settings.size(), 1u);
    return r.settings.at(0);
}

TEST(RenderOptionNames, LabelsBecomeLowerCaseWordsWithHyphens) {
    EXPECT_EQ(optionWord("Glow Radius"), "glow-radius");
    EXPECT_EQ(optionWord("Enable Depth Effects"), "enable-depth-effects");
    EXPECT_EQ(optionWord("Original Colors"), "original-colors");
    EXPECT_EQ(optionWord("  Hard   Light "), "hard-light");
    EXPECT_EQ(optionWord("(-"), "");
}

TEST(RenderOptionNames, PopupItemsKeepTheirPositionsAcrossSeparators) {
    PF_ParamDef def{};
    def.param_type = PF_Param_POPUP;
    std::snprintf(def.name, sizeof def.name, "Blend Mode");
    const std::optional<ParamOption> p = paramOption(2, def, "Normal|(-|Add|Substract|Multiply|Screen|(-|Darken");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->option, "--blend-mode");
    const std::vector<std::pair<std::string, A_long>> expected = {{"normal", 1},   {"add", 3},    {"substract", 4},
                                                                  {"multiply", 5}, {"screen", 6}, {"darken", 8}};
    EXPECT_EQ(p->choices, expected);
}

TEST(RenderOptionNames, GroupsArbitraryDataAndTheInputGetNoOption) {
    PF_ParamDef def{};
    std::snprintf(def.name, sizeof def.name, "Glow Color");
    def.param_type = PF_Param_GROUP_START;
    EXPECT_FALSE(paramOption(4, def, ""));
    def.param_type = PF_Param_ARBITRARY_DATA;
    EXPECT_FALSE(paramOption(6, def, ""));
    def.param_type = PF_Param_LAYER;
    EXPECT_FALSE(paramOption(0, def, ""));
    EXPECT_TRUE(paramOption(16, def, ""));
}

TEST(RenderOptionTable, OneOptionPerValueParameterOfTheEffect) {
    std::vector<std::string> names;
    for (const ParamOption &p : table())
        names.push_back(p.option);
    const std::vector<std::string> expected = {"--view",
                                               "--blend-mode",
                                               "--opacity",
                                               "--glow-type",
                                               "--input-channel",
                                               "--threshold",
                                               "--threshold-soft",
                                               "--glow-radius",
                                               "--glow-aspect",
                                               "--glow-intensity",
                                               "--enable-depth-effects",
                                               "--depth-layer",
                                               "--center-position",
                                               "--depth-bias",
                                               "--depth-tint",
                                               "--depth-radius",
                                               "--depth-intensity"};
    EXPECT_EQ(names, expected);
}

TEST(RenderOptionValues, NumbersPopupsSwitchesColorsAndLayers) {
    ParamSetting s = only(parse({"--glow-radius", "40"}));
    EXPECT_EQ(s.index, 11);
    EXPECT_EQ(s.value.type, PF_Param_FLOAT_SLIDER);
    EXPECT_EQ(s.value.number, 40.0);
    EXPECT_EQ(only(parse({"--glow-intensity=1.5"})).value.number, 1.5);
    EXPECT_EQ(only(parse({"--glow-aspect", "-100"})).value.number, -100.0);

    s = only(parse({"--blend-mode", "screen"}));
    EXPECT_EQ(s.index, 2);
    EXPECT_EQ(s.value.whole(), 6);
    EXPECT_EQ(only(parse({"--view", "extract"})).value.whole(), 3);
    EXPECT_EQ(only(parse({"--view", "Threshold"})).value.whole(), 4);
    EXPECT_EQ(only(parse({"--glow-type", "angle-map"})).value.whole(), 2);
    EXPECT_EQ(only(parse({"--glow-type", "original-colors"})).value.whole(), 3);
    EXPECT_EQ(only(parse({"--input-channel", "alpha"})).value.whole(), 2);

    // A switch alone is on; a following on/off word is its value, anything else is not.
    EXPECT_EQ(only(parse({"--enable-depth-effects"})).value.whole(), 1);
    EXPECT_EQ(only(parse({"--enable-depth-effects", "off"})).value.whole(), 0);
    EXPECT_EQ(only(parse({"--enable-depth-effects=on"})).value.whole(), 1);
    const RenderRequest r = parseRenderArgs(std::vector<std::string>{"--enable-depth-effects", "in.png", "out.png"},
                                            table(), RenderVerb::Render);
    EXPECT_EQ(r.positionals, (std::vector<std::string>{"in.png", "out.png"}));

    const PF_Pixel tint = only(parse({"--depth-tint", "#ff8001"})).value.color;
    EXPECT_EQ(tint.alpha, 255);
    EXPECT_EQ(tint.red, 255);
    EXPECT_EQ(tint.green, 128);
    EXPECT_EQ(tint.blue, 1);
    EXPECT_EQ(only(parse({"--depth-tint", "0a0B0c"})).value.color.green, 11);

    const RenderRequest layered = parse({"--depth-layer", "depth.png"});
    ASSERT_EQ(layered.layers.size(), 1u);
    EXPECT_EQ(layered.layers[0].index, 16);
    EXPECT_EQ(layered.layers[0].path, "depth.png");
    EXPECT_EQ(layered.layers[0].option, "--depth-layer");
    EXPECT_TRUE(layered.settings.empty());
}

TEST(RenderOptionValues, OutOfRangeAndMalformedValuesNameTheOptionAndTheRange) {
    EXPECT_EQ(usageError({"--glow-radius", "1000.5"}),
              "option '--glow-radius': 1000.5 is outside the range 0 to 1000 of \"Glow Radius\"");
    EXPECT_EQ(usageError({"--glow-aspect", "-101"}),
              "option '--glow-aspect': -101 is outside the range -100 to 100 of \"Glow Aspect\"");
    EXPECT_NE(usageError({"--opacity", "half"}).find("'half' is not a number (from 0 to 100)"), std::string::npos);
    EXPECT_NE(usageError({"--opacity", "nan"}).find("is not a number"), std::string::npos);
    EXPECT_NE(usageError({"--blend-mode", "scren"}).find("did you mean 'screen'?"), std::string::npos);
    EXPECT_NE(usageError({"--view", "(-"}).find("one of normal|extract|threshold"), std::string::npos);
    EXPECT_NE(usageError({"--enable-depth-effects=maybe"}).find("is not on or off"), std::string::npos);
    EXPECT_NE(usageError({"--depth-tint", "#ff80"}).find("is not a colour #RRGGBB"), std::string::npos);
    EXPECT_EQ(usageError({"--glow-radius"}), "option '--glow-radius' needs a value NUMBER");
}

TEST(RenderOptionValues, UnknownOptionsHintAtTheClosest) {
    EXPECT_EQ(usageError({"--glow-radus", "4"}),
              "unknown option '--glow-radus'; did you mean '--glow-radius'? ('--list-options' lists the "
              "parameter options)");
    EXPECT_NE(usageError({"--treshold", "4"}).find("did you mean '--threshold'?"), std::string::npos);
    EXPECT_NE(usageError({"--keep-aera"}).find("did you mean '--keep-area'?"), std::string::npos);
    EXPECT_EQ(usageError({"--zzzzzzzzzz"}).find("did you mean"), std::string::npos);
    // Options of the other verb are unknown here.
    EXPECT_NE(usageError({"--width", "10"}).find("unknown option '--width'"), std::string::npos);
    EXPECT_NE(usageError({"--frames", "1-2"}, RenderVerb::Demo).find("unknown option '--frames'"), std::string::npos);
}

TEST(RenderOptionValues, ClosestNameNeedsAPlausibleTypo) {
    const std::vector<std::string> words = {"screen", "add", "multiply"};
    EXPECT_EQ(closestName("scrn", words), "screen");
    EXPECT_EQ(closestName("ad", words), "add");
    EXPECT_EQ(closestName("lighten", words), std::nullopt);
    EXPECT_EQ(closestName("x", {}), std::nullopt);
}

TEST(RenderRunOptions, ValuesAndTheirLimits) {
    const RenderRequest r = parse({"--downsample", "2", "--threads", "3", "--quality", "lo", "--depth", "16",
                                   "--keep-area", "--classic", "--frames", "4-9", "--module", "x.so"});
    EXPECT_EQ(r.downsample, 2);
    EXPECT_EQ(r.threads, 3u);
    EXPECT_EQ(r.quality, PF_Quality_LO);
    EXPECT_EQ(r.depth, 16);
    EXPECT_TRUE(r.keepArea);
    EXPECT_TRUE(r.classic);
    ASSERT_TRUE(r.frames);
    EXPECT_EQ(r.frames->first, 4);
    EXPECT_EQ(r.frames->last, 9);
    EXPECT_EQ(r.module, "x.so");

    const RenderRequest d = parse({"--width", "64", "--height", "48"}, RenderVerb::Demo);
    EXPECT_EQ(d.width, 64);
    EXPECT_EQ(d.height, 48);

    EXPECT_NE(usageError({"--depth", "12"}).find("is not 8, 16 or 32"), std::string::npos);
    EXPECT_NE(usageError({"--quality", "best"}).find("is not hi or lo"), std::string::npos);
    EXPECT_NE(usageError({"--threads", "0"}).find("a whole number from 1 to 256"), std::string::npos);
    EXPECT_NE(usageError({"--downsample", "1.5"}).find("a whole number from 1 to 64"), std::string::npos);
    EXPECT_EQ(usageError({"--keep-area=yes"}), "option '--keep-area' takes no value");
    EXPECT_EQ(usageError({"--glow-radius", "4", "--glow-radius", "5"}), "option '--glow-radius' given twice");
    EXPECT_EQ(usageError({"--gradient", "0:#000000", "--gradient-preset", "Soft"}),
              "options '--gradient' and '--gradient-preset' exclude each other");
}

TEST(RenderRunOptions, PositionalsAndTheModulePrescan) {
    EXPECT_THROW(parseRenderArgs(std::vector<std::string>{"in.png"}, table(), RenderVerb::Render), UsageError);
    EXPECT_THROW(parseRenderArgs(std::vector<std::string>{"a", "b", "c"}, table(), RenderVerb::Render), UsageError);
    EXPECT_THROW(parseRenderArgs(std::vector<std::string>{}, table(), RenderVerb::Demo), UsageError);
    const RenderRequest r =
        parseRenderArgs(std::vector<std::string>{"--", "-in.png", "--out.png"}, table(), RenderVerb::Render);
    EXPECT_EQ(r.positionals, (std::vector<std::string>{"-in.png", "--out.png"}));
    // --list-options needs no files.
    EXPECT_TRUE(parseRenderArgs(std::vector<std::string>{"--list-options"}, table(), RenderVerb::Render).listOptions);

    EXPECT_EQ(moduleOption(std::vector<std::string>{"a", "--module", "m.so", "b"}), "m.so");
    EXPECT_EQ(moduleOption(std::vector<std::string>{"--module=m.aex"}), "m.aex");
    EXPECT_EQ(moduleOption(std::vector<std::string>{"--", "--module", "m.so"}), "");
}

TEST(RenderOptionTable, DescriptionShowsRangesChoicesAndDefaults) {
    const std::string text = describeParamOptions(table());
    EXPECT_NE(text.find("--glow-radius NUMBER"), std::string::npos) << text;
    EXPECT_NE(text.find("\"Glow Radius\": 0 to 1000, default 10\n"), std::string::npos) << text;
    EXPECT_NE(text.find("--blend-mode normal|add|substract|multiply|screen|overlay|hard-light|soft-light|darken|"
                        "lighten|difference|exclusion"),
              std::string::npos);
    EXPECT_NE(text.find("\"Blend Mode\": default add\n"), std::string::npos);
    EXPECT_NE(text.find("\"Depth Tint\": default #ffffff\n"), std::string::npos);
    EXPECT_NE(text.find("\"Enable Depth Effects\": default off\n"), std::string::npos);
}

} // namespace
