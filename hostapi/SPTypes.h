// Scalar types of the host's plug-in component architecture (PICA).
#ifndef LUMORA_HOSTAPI_SPTYPES_H
#define LUMORA_HOSTAPI_SPTYPES_H

#include <stdint.h>

#ifndef SPAPI
#define SPAPI
#endif

typedef int32_t SPErr;
typedef unsigned char SPBoolean;

#define kSPNoError 0

// PICA error codes; the SDK spells them as four-character constants.
#define kSPUnimplementedError ((SPErr)0x21494D50)        /* '!IMP' */
#define kSPBadParameterError ((SPErr)0x5061726D)         /* 'Parm' */
#define kSPOutOfMemoryError ((SPErr)0xFFFFFF6C)          /* -148 */
#define kSPSuiteNotFoundError ((SPErr)0x53214664)        /* 'S!Fd' */
#define kSPSuiteAlreadyReleasedError ((SPErr)0x5352656C) /* 'SRel' */

#endif
