// Each render stage alone, at the render's working size (the enlarged area, twice the input
// frame each way), timed per megapixel of the input frame so the stages add up to a render.
#pragma once

namespace lumora::bench {

void registerStageBenchmarks();

} // namespace lumora::bench
