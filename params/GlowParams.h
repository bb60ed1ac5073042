// Disk ids and names of the glow effect's parameters. Ids identify parameters in saved
// projects and never change; host indices follow from the table's order.
#pragma once

#include "A.h"

namespace AEUtil {

enum GlowParamId : A_long {
    kIdView = 1,
    kIdBlendMode = 2,
    kIdOpacity = 3,
    kIdGlowColorGroup = 50,
    kIdGlowType = 51,
    kIdGlowColorBar = 52,
    kIdGlowColorGroupEnd = 53,
    kIdInputChannel = 100,
    kIdThreshold = 101,
    kIdThresholdSoft = 102,
    kIdGlowRadius = 103,
    kIdGlowAspect = 104,
    kIdGlowIntensity = 105,
    kIdDepthGroup = 200,
    kIdEnableDepth = 201,
    kIdDepthLayer = 202,
    kIdCenterPosition = 204,
    kIdDepthBias = 205,
    kIdDepthTint = 206,
    kIdDepthRadius = 207,
    kIdDepthIntensity = 208,
    kIdDepthGroupEnd = 209
};

// "Glow Type" value that colours the glow with the source's own colours.
inline constexpr A_long kGlowTypeOriginalColors = 3;

inline constexpr const char *kGlowColorBarName = "Glow Color Bar";

} // namespace AEUtil
