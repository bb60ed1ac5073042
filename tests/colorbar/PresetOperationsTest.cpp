// The colour bar's preset operations on a value in a host handle and the shared preset file.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/support/TestFolders.h"
#include "colorbar/GradColorPresetUI.h"
#include "colorbar/data/PresetFile.h"
#include "embedhost/Host.h"

namespace {

using namespace AEUtil;
using lumora::test::ScopedEnv;
using lumora::test::ScratchFolder;

ColorFlagList flags(std::initializer_list<std::pair<A_u_char, float>> greys) {
    ColorFlagList list;
    initColorFlagList(list);
    for (const auto &[grey, position] : greys)
        appendColorFlag(list, ColorFlag{255, grey, grey, grey, position, -1, 0});
    return list;
}

PresetRecord preset(const char *name, const ColorFlagList &list) {
    PresetRecord r{};
    std::strncpy(r.name, name, sizeof r.name - 1);
    r.list = list;
    return r;
}

class PresetOperations : public ::testing::Test {
protected:
    struct Bar : GradColorPresetUI {
        Bar() { text_ = kPresetFileName; }
    };

    void SetUp() override {
        handle_ = host_.handles().newHandle(kGradientDataSize);
        GradientData value;
        initEmptyGradient(value);
        write(value);
        param_.param_type = PF_Param_ARBITRARY_DATA;
        param_.u.arb_d.value = handle_;
        param_.u.arb_d.refconPV = reinterpret_cast<void *>(kGradientRefcon);
        event_.effect_win.index = 0;
    }
    void TearDown() override {
        host_.handles().dispose(handle_);
        EXPECT_EQ(host_.handles().misuseCount(), 0u);
    }

    void write(const GradientData &value) {
        std::memcpy(host_.handles().lock(handle_), &value, sizeof value);
        host_.handles().unlock(handle_);
    }
    GradientData value() {
        GradientData v;
        std::memcpy(&v, host_.handles().lock(handle_), sizeof v);
        host_.handles().unlock(handle_);
        return v;
    }
    void setValue(const char *name, const ColorFlagList &current) {
        GradientData v;
        initEmptyGradient(v);
        std::strncpy(v.presetName, name, sizeof v.presetName - 1);
        v.current = current;
        write(v);
    }
    std::string path() const {
        char p[kPresetPathSize];
        EXPECT_TRUE(presetFilePath(kPresetFileName, p));
        return p;
    }
    std::vector<std::string> fileNames() {
        std::vector<std::string> names;
        for (const PresetRecord &r : readPresetFile(path().c_str()))
            names.emplace_back(r.name);
        return names;
    }
    template <class Op>
    PF_Err run(Op op) {
        PF_InData in = host_.inData();
        PF_ParamDef *params[] = {&param_};
        param_.uu.change_flags = 0;
        return (bar_.*op)(&in, &out_, params, &event_);
    }
    bool changed() const { return param_.uu.change_flags & PF_ChangeFlag_CHANGED_VALUE; }

    // One folder a test: ctest runs the cases side by side.
    ScratchFolder folder_{std::string("presets-") + ::testing::UnitTest::GetInstance()->current_test_info()->name()};
    ScopedEnv shared_{"LUMORA_SHARED_DOCUMENTS_DIR", folder_.path()};
    embedhost::Host host_;
    Bar bar_;
    PF_Handle handle_ = nullptr;
    PF_ParamDef param_{};
    PF_EventExtra event_{};
    PF_OutData out_{};
};

TEST_F(PresetOperations, SavingANewNameSortsTheFileAndAnExistingOneStaysInPlace) {
    ASSERT_TRUE(writePresetFile(path().c_str(), {preset("c", flags({{1, 0}})), preset("a", flags({{2, 0}}))}));
    setValue("b", flags({{9, 1.0f}, {8, 0.0f}}));
    ASSERT_EQ(run(&PresetUI::savePreset), PF_Err_NONE);
    EXPECT_TRUE(changed());
    EXPECT_EQ(fileNames(), (std::vector<std::string>{"a", "b", "c"}));
    const GradientData v = value();
    EXPECT_EQ(v.current.flag[0].red, 8) << "the current list is sorted in place";
    EXPECT_EQ(std::memcmp(&v.current, &v.preset, sizeof v.current), 0);

    setValue("c", flags({{7, 0.5f}}));
    ASSERT_EQ(run(&PresetUI::savePreset), PF_Err_NONE);
    EXPECT_EQ(fileNames(), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(findPreset(readPresetFile(path().c_str()), "c")->list.flag[0].red, 7);
}

TEST_F(PresetOperations, ApplyLoadsBothListsAndAnEmptyPresetEmptiesTheGradient) {
    ASSERT_TRUE(writePresetFile(path().c_str(), {preset("warm", flags({{200, 0}, {100, 1}}))}));
    std::ofstream(path(), std::ios::app) << "\n[outside]\ncolor = (1, 2, 3), 1.5\ncolor = (1, 2, 3), -0.1\n";
    setValue("warm", flags({{5, 0.5f}}));
    ASSERT_EQ(run(&PresetUI::applyPreset), PF_Err_NONE);
    EXPECT_TRUE(changed());
    EXPECT_EQ(value().current.count, 2);
    EXPECT_EQ(value().preset.flag[1].red, 100);

    setValue("outside", flags({{5, 0.5f}}));
    ASSERT_EQ(run(&PresetUI::applyPreset), PF_Err_NONE);
    EXPECT_EQ(value().current.count, 0) << "positions outside 0..1 leave the preset without flags";

    setValue("missing", flags({{5, 0.5f}}));
    ASSERT_EQ(run(&PresetUI::applyPreset), PF_Err_NONE);
    EXPECT_TRUE(changed()) << "reported changed even when no preset has the name";
    EXPECT_EQ(value().current.count, 1);
}

TEST_F(PresetOperations, DeleteRemovesOnlyANamedPreset) {
    ASSERT_TRUE(writePresetFile(path().c_str(), {preset("a", flags({{1, 0}})), preset("b", flags({{2, 0}}))}));
    // Read and closed: on Windows an open reader keeps the file from being replaced.
    const std::string text = [&] {
        std::ifstream before(path(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(before), {});
    }();
    for (const char *name : {"", "zzz"}) {
        setValue(name, flags({}));
        ASSERT_EQ(run(&PresetUI::deletePreset), PF_Err_NONE);
        std::ifstream after(path(), std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(after), {}), text) << "'" << name << "'";
    }
    setValue("a", flags({}));
    ASSERT_EQ(run(&PresetUI::deletePreset), PF_Err_NONE);
    EXPECT_EQ(fileNames(), (std::vector<std::string>{"b"}));
}

TEST_F(PresetOperations, AFileThatCannotBeWrittenIsReportedAndTheValueStillChanges) {
    // A file where the preset folder should be: the folders cannot be made.
    std::ofstream(folder_ / "NORIK") << "in the way";
    setValue("b", flags({{9, 1.0f}, {8, 0.0f}}));
    ASSERT_EQ(run(&PresetUI::savePreset), PF_Err_NONE);
    EXPECT_TRUE(changed());
    EXPECT_NE(std::string(out_.return_msg).find("could not be written"), std::string::npos) << out_.return_msg;
    EXPECT_TRUE(out_.out_flags & PF_OutFlag_DISPLAY_ERROR_MESSAGE);
    EXPECT_EQ(value().preset.flag[0].red, 8);
}

} // namespace
