// Showing the global flag words by the host's flag names.
#include <gtest/gtest.h>

#include <bit>
#include <set>
#include <string>
#include <vector>

#include "embedhost/pipl/FlagNames.h"

namespace {

using lumora::pipl::outFlag2Names;
using lumora::pipl::outFlagNames;
using lumora::pipl::setFlagNames;
using Names = std::vector<std::string>;

TEST(FlagNames, EffectOutFlags) {
    EXPECT_EQ(setFlagNames(0x06008270, outFlagNames()),
              (Names{"PF_OutFlag_SEQUENCE_DATA_NEEDS_FLATTENING", "PF_OutFlag_I_DO_DIALOG",
                     "PF_OutFlag_USE_OUTPUT_EXTENT", "PF_OutFlag_I_EXPAND_BUFFER", "PF_OutFlag_CUSTOM_UI",
                     "PF_OutFlag_DEEP_COLOR_AWARE", "PF_OutFlag_SEND_UPDATE_PARAMS_UI"}));
}

TEST(FlagNames, EffectOutFlags2) {
    EXPECT_EQ(setFlagNames(0x08801499, outFlag2Names()),
              (Names{"PF_OutFlag2_SUPPORTS_QUERY_DYNAMIC_FLAGS", "PF_OutFlag2_PARAM_GROUP_START_COLLAPSED_FLAG",
                     "PF_OutFlag2_I_AM_THREADSAFE", "PF_OutFlag2_REVEALS_ZERO_ALPHA",
                     "PF_OutFlag2_SUPPORTS_SMART_RENDER", "PF_OutFlag2_FLOAT_COLOR_AWARE",
                     "PF_OutFlag2_SUPPORTS_GET_FLATTENED_SEQUENCE_DATA", "PF_OutFlag2_SUPPORTS_THREADED_RENDERING"}));
}

TEST(FlagNames, HighestBitAndUnnamedBits) {
    EXPECT_EQ(setFlagNames(0x80000000u, outFlagNames()), (Names{"PF_OutFlag_AUDIO_EFFECT_ONLY"}));
    // Out flags 2 has no name for bit 9 nor for bits 29 and up.
    EXPECT_EQ(setFlagNames(0x20000200u, outFlag2Names()), (Names{"bit 9", "bit 29"}));
    EXPECT_TRUE(setFlagNames(0, outFlagNames()).empty());
}

TEST(FlagNames, TablesHoldDistinctSingleBits) {
    for (const auto table : {outFlagNames(), outFlag2Names()}) {
        std::set<std::uint32_t> masks;
        for (const auto &flag : table) {
            EXPECT_EQ(std::popcount(flag.mask), 1) << flag.name;
            EXPECT_TRUE(masks.insert(flag.mask).second) << flag.name;
        }
    }
    EXPECT_EQ(outFlagNames().size(), 32u);
    EXPECT_EQ(outFlag2Names().size(), 28u);
}

} // namespace
