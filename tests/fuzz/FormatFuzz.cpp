// The Windows wide-format conventions translated to glibc's: any format,
// with arguments that every conversion can read (pointers to an empty text
// serve as numbers, wide and narrow strings alike).
#include "FuzzTarget.h"

#include "win/WideFormat.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::wstring format = fuzz::Wide(data, size);
    // More conversions than arguments would read past them.
    if (std::count(format.begin(), format.end(), L'%') > 8 || format.find(L'*') != std::wstring::npos)
        return 0;
    static const wchar_t empty[64] = {};
    const void* text = empty;
    win::FormatWideArgs(format.c_str(), text, text, text, text, text, text, text, text, 1.5, 2.5, 3.5, 4.5, 5.5, 6.5,
                        7.5, 8.5);
    return 0;
}
