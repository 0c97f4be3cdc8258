#include "platform/HeapTrim.h"

#include <malloc.h>

namespace platform {

void HeapTrim::returnFreePages()
{
    malloc_trim(0);
}

}  // namespace platform
