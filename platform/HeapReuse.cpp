#include "platform/HeapReuse.h"

#include <malloc.h>

namespace platform {

void HeapReuse::enable()
{
    // A refused setting leaves the allocator as it was, which is only slower.
    constexpr int kLarge = 1 << 30;
    mallopt(M_MMAP_THRESHOLD, kLarge);
    mallopt(M_TRIM_THRESHOLD, kLarge);
}

}  // namespace platform
