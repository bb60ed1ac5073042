// Whole frames through the embedded host and the plug-in's entry point: smart pre-render and
// smart render of the 1920 x 1080 frame per iteration, for each depth, Glow Type and radius, and
// with the depth branch on beside the same case without it.
#pragma once

namespace lumora::bench {

void registerFullRenderBenchmarks();

} // namespace lumora::bench
