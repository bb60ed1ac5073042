// The OpenCV peer: the textbook glow on the same frame (luminance threshold, Gaussian blur of
// the bright parts, saturating add onto the image), blurring as far as the Lumora glow does.
#pragma once

#include <opencv2/core.hpp>

namespace lumora::bench {

// The Gaussian that matches the colour blur of a Glow Radius at Glow Aspect 0: Lumora blurs
// with radius r = Glow Radius + 3, a kernel of half width K = ceil(r) (taps -(K-1) ... K-1)
// and variance r^2 / 8; so ksize = 2K - 1 and sigma = r / sqrt(8).
struct PeerBlur {
    int ksize = 1;
    double sigma = 0.0;
};
PeerBlur peerBlurFor(int glowRadius);

// Reused buffers of one peer case, so the timed loop allocates nothing.
struct PeerBuffers {
    cv::Mat luminance, mask, bright, glow, result;
};

// src is 4-channel alpha, red, green, blue (CV_8UC4, CV_16UC4 or CV_32FC4) with channel maximum
// `channelMax`; pixels whose luminance exceeds threshold * channelMax glow.
void runOpenCvGlow(const cv::Mat &src, double channelMax, double threshold, const PeerBlur &blur, PeerBuffers &buffers);

void registerOpenCvPeerBenchmarks();

} // namespace lumora::bench
