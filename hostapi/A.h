// Basic scalar types of the host's effects API, as its SDK names them.
#ifndef LUMORA_HOSTAPI_A_H
#define LUMORA_HOSTAPI_A_H

#include <stdint.h>

typedef char A_char;
typedef uint8_t A_u_char;
typedef int16_t A_short;
typedef uint16_t A_u_short;
typedef int32_t A_long;
typedef uint32_t A_u_long;
typedef uint64_t A_u_longlong;
typedef double A_FpLong;
typedef float A_FpShort;
typedef A_long A_Err;
typedef uint8_t A_Boolean;
typedef A_u_longlong A_HandleSize;
typedef intptr_t A_intptr_t;
typedef A_u_short A_UTF16Char;

typedef struct {
    A_long value;
    A_u_long scale;
} A_Time;

#endif
