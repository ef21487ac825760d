#include "FuzzTarget.h"

#include "win/TextConvert.h"

#include <cstdio>
#include <cstdlib>

namespace fuzz {

std::wstring Wide(const std::uint8_t* data, std::size_t size) { return win::Utf8ToWide(std::string(Bytes(data, size))); }

void Finding(const char* what)
{
    std::fprintf(stderr, "fuzz finding: %s\n", what);
    std::abort();
}

}  // namespace fuzz
