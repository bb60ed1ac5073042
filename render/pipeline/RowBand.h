// The band of rows one iterate_generic call processes: contiguous, the first R mod N calls
// one row longer, so every worker streams through memory and the bands cover all rows once.
#pragma once

#include <cstdint>

namespace AEUtil {

struct RowBand {
    int32_t begin = 0;
    int32_t end = 0; // exclusive
};

// rows R, call count N (> 0), call index t in [0, N).
inline RowBand rowBand(int32_t rows, int32_t calls, int32_t index) {
    if (rows <= 0 || calls <= 0)
        return {};
    const int32_t q = rows / calls;
    const int32_t r = rows % calls;
    RowBand b;
    if (index < r) {
        b.begin = index * (q + 1);
        b.end = b.begin + q + 1;
    } else {
        b.begin = r + index * q;
        b.end = b.begin + q;
    }
    if (b.begin >= rows)
        return {};
    return b;
}

} // namespace AEUtil
