#include "freed_memory.h"

#include <malloc.h>

namespace keldoran {

void returnFreedMemory() {
    ::malloc_trim(0);
}

} // namespace keldoran
