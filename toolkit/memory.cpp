#include "toolkit/memory.h"

#include <cstdlib> // defines __GLIBC__ on glibc

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace toolkit {

namespace {

// glibc's own starting values, held fixed.
constexpr int TrimThresholdBytes = 128 * 1024;
constexpr int MapThresholdBytes = 128 * 1024;
// Grown or trimmed, a heap keeps no spare above what is in use: the
// default 128 KiB, kept by each thread's heap, is most of what stays
// resident after a burst.
constexpr int TopPadBytes = 0;

} // namespace

void returnFreedMemoryPromptly()
{
#if defined(__GLIBC__)
    [[maybe_unused]] static const bool done = [] {
        mallopt(M_TRIM_THRESHOLD, TrimThresholdBytes);
        mallopt(M_MMAP_THRESHOLD, MapThresholdBytes);
        mallopt(M_TOP_PAD, TopPadBytes);
        return true;
    }();
#endif
}

} // namespace toolkit
