// Frames allocate and free the same large buffers (images handed in and out, working copies)
// again and again. glibc maps and unmaps each one above its mmap threshold, so every frame
// faults in fresh zeroed pages; a process that renders frames asks the heap to keep them.
#pragma once

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace embedhost {

inline void keepFrameBuffersInHeap() {
#if defined(__GLIBC__)
    // glibc caps the mmap threshold at 32 MiB, below a frame's larger buffers: no mmap at all.
    mallopt(M_MMAP_MAX, 0);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
#endif
}

} // namespace embedhost
