// The API's JSON input for taps, keys and typed text.
#include "FuzzTarget.h"

#include "PanelInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    static const char* const routes[] = {"tap", "key", "type"};
    PanelInput input;
    std::string error;
    PanelInput::Parse(routes[data[0] % 3], std::string(fuzz::Bytes(data + 1, size - 1)), input, error);
    return 0;
}
