#include "win/FreedMemory.h"

#include <malloc.h>

namespace win {

void ReturnFreedMemory(std::size_t items, std::size_t threshold)
{
    if (items >= threshold)
        ::malloc_trim(0);
}

}  // namespace win
