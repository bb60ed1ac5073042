// A project saved with the built module and loaded into a fresh instance restores every value:
// each parameter by its disk id, the gradient through the plug-in's flatten and unflatten, and
// the sequence data through its flatten and re-set-up.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "embedhost/Host.h"
#include "embedhost/Project.h"
#include "tests/support/TestFolders.h"

namespace {

using embedhost::Host;
using embedhost::ParamValue;
using embedhost::Plugin;

struct Expected {
    A_long id;
    ParamValue value;
};

std::vector<Expected> editedValues() {
    return {
        {1, ParamValue::popup(4)},            // View: Threshold
        {2, ParamValue::popup(13)},           // Blend Mode: Difference
        {3, ParamValue::floatSlider(42.5)},   // Opacity
        {51, ParamValue::popup(2)},           // Glow Type: Angle Map
        {100, ParamValue::popup(2)},          // Input Channel: Alpha
        {101, ParamValue::floatSlider(33.3)}, // Threshold
        {102, ParamValue::floatSlider(7.25)}, // Threshold Soft
        {103, ParamValue::floatSlider(640)},  // Glow Radius, past the slider's end
        {104, ParamValue::floatSlider(-12.5)},
        {105, ParamValue::floatSlider(150)},
        {201, ParamValue::checkbox(true)},
        {204, ParamValue::floatSlider(80)}, // Center Position, past the slider's end
        {205, ParamValue::floatSlider(12)},
        {206, ParamValue::colorChoice(PF_Pixel{255, 10, 20, 30})},
        {207, ParamValue::floatSlider(55.5)},
        {208, ParamValue::floatSlider(3)},
    };
}

TEST(ProjectRoundTrip, EveryValueComesBackByDiskId) {
    lumora::test::ScratchFolder appdata("project-roundtrip-appdata");
    lumora::test::ScopedEnv redirect("LUMORA_APPDATA_DIR", appdata.path());
    const std::string file = appdata / "glow.lumoraproj";

    std::vector<std::uint8_t> gradient;
    {
        Host host(Plugin::loadFreshCopy(LUMORA_MODULE_PATH, LUMORA_TEST_TMPDIR));
        ASSERT_EQ(host.setUp().err, PF_Err_NONE);
        for (const Expected &e : editedValues())
            host.params().setValueById(e.id, e.value);

        // The gradient: flag 1 recoloured (50, 248, 255 -> 77, 1, 2) and a preset name set.
        const PF_ParamIndex bar = *host.params().indexOfId(52);
        ASSERT_EQ(host.params().flattenArbitrary(bar, &gradient), PF_Err_NONE);
        ASSERT_EQ(gradient.size(), 1320u);
        std::memcpy(&gradient[4], "Sunset", 7);
        const std::size_t flag1 = 264 + 16 + 16; // current list, then flag 1
        gradient[flag1 + 1] = 77;
        gradient[flag1 + 2] = 1;
        gradient[flag1 + 3] = 2;
        ASSERT_EQ(host.params().unflattenArbitrary(bar, gradient), PF_Err_NONE);

        embedhost::saveProject(host, file);
        ASSERT_EQ(host.tearDown().err, PF_Err_NONE);
        EXPECT_EQ(host.handles().live(), 0u);
    }

    Host host(Plugin::loadFreshCopy(LUMORA_MODULE_PATH, LUMORA_TEST_TMPDIR));
    const embedhost::LoadReport report = embedhost::loadProject(host, file);
    EXPECT_TRUE(report.unknownIds.empty());
    EXPECT_TRUE(report.missingIds.empty());
    for (const Expected &e : editedValues()) {
        const PF_ParamIndex index = *host.params().indexOfId(e.id);
        EXPECT_TRUE(host.params().value(index).sameAs(e.value)) << "id " << e.id;
    }
    std::vector<std::uint8_t> restored;
    ASSERT_EQ(host.params().flattenArbitrary(*host.params().indexOfId(52), &restored), PF_Err_NONE);
    EXPECT_EQ(restored, gradient);
    ASSERT_NE(host.effect().sequenceData, nullptr) << "sequence data is re-set-up from the project";
    EXPECT_EQ(host.tearDown().err, PF_Err_NONE);
    EXPECT_EQ(host.handles().live(), 0u);
    EXPECT_EQ(host.handles().misuseCount(), 0u);
}

} // namespace
