// Pixel-format codes of the host's image buffers.
#ifndef LUMORA_HOSTAPI_AE_EFFECTPIXELFORMAT_H
#define LUMORA_HOSTAPI_AE_EFFECTPIXELFORMAT_H

#include "A.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef A_long PF_PixelFormat;
enum {
    PF_PixelFormat_ARGB32 = 0x62677261,
    PF_PixelFormat_ARGB64 = 0x36316561,
    PF_PixelFormat_ARGB128 = 0x32336561,
    PF_PixelFormat_INVALID = 0x66646162
};

#ifdef __cplusplus
}
#endif

#endif
