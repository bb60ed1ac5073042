// Scalar types and error codes of the host's plug-in component architecture (PICA).
#ifndef LUMORA_HOSTAPI_SPTYPES_H
#define LUMORA_HOSTAPI_SPTYPES_H

#include <stdint.h>

// Calling convention of suite functions; empty on 64-bit Windows and elsewhere.
#ifndef SPAPI
#define SPAPI
#endif

typedef int32_t SPErr;
typedef int32_t SPBoolean;

// The SDK spells the non-zero codes as four-character constants.
#define kSPNoError 0
#define kSPUnimplementedError ((SPErr)0x21494D50)        /* '!IMP' */
#define kSPBadParameterError ((SPErr)0x5061726D)         /* 'Parm' */
#define kSPOutOfMemoryError ((SPErr)-148)
#define kSPSuiteNotFoundError ((SPErr)0x53214664)        /* 'S!Fd' */
#define kSPSuiteAlreadyReleasedError ((SPErr)0x5352656C) /* 'SRel' */

#endif
