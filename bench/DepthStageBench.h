// The depth branch's stages alone, at the render's working size, timed per megapixel of the
// input frame like the other stage cases.
#pragma once

namespace lumora::bench {

void registerDepthStageBenchmarks();

} // namespace lumora::bench
