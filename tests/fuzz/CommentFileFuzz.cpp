// The saved setups' comment files as read back.
#include "FuzzTarget.h"

#include "pages/mode/SetupCommentFile.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    setup_comment::FileBytes bytes{};
    std::copy_n(data, std::min(size, bytes.size()), bytes.begin());
    const std::wstring comment = setup_comment::Decode(bytes);
    if (comment.size() > setup_comment::kMaxReadUnits)
        fuzz::Finding("a comment longer than its file");
    // Written again, a comment keeps at most its 16 units.
    setup_comment::Decode(setup_comment::Encode(comment));
    return 0;
}
