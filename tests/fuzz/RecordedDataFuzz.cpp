// The recorded-data container and the MAT reader.
#include "FuzzTarget.h"

#include "host/formats/DataFile.h"
#include "host/formats/MatFile4.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::string_view bytes = fuzz::Bytes(data + 1, size - 1);
    if (data[0] % 2 == 0) {
        formats::RecordedData recorded;
        formats::DecodeDataFile(bytes, recorded);
    } else {
        std::vector<formats::Mat4Matrix> matrices;
        formats::DecodeMat4(bytes, matrices);
    }
    return 0;
}
