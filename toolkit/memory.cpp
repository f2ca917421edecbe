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

} // namespace

void returnFreedMemoryPromptly()
{
#if defined(__GLIBC__)
    [[maybe_unused]] static const bool done = [] {
        mallopt(M_TRIM_THRESHOLD, TrimThresholdBytes);
        mallopt(M_MMAP_THRESHOLD, MapThresholdBytes);
        return true;
    }();
#endif
}

} // namespace toolkit
