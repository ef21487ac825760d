// Freed memory back to the system. The C library keeps freed blocks for
// reuse, so after a list of a hundred thousand rows (or the names of a
// folder that large) is gone the process would stay at its largest size;
// code that has just freed that much asks for the pages to go back.
#pragma once

#include <cstddef>

namespace win {

// Returns the free pages when at least `items` of `threshold` were freed.
void ReturnFreedMemory(std::size_t items, std::size_t threshold = 4096);

}  // namespace win
