// The instrument profile as read back from host/instrument.txt.
#include "FuzzTarget.h"

#include "host/ProfileFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    InstrumentProfile profile = InstrumentProfile::Default();
    std::string error;
    if (ProfileFile::Parse(std::string(fuzz::Bytes(data, size)), profile, error)) {
        // What was read is written back and read the same.
        InstrumentProfile again = InstrumentProfile::Default();
        if (!ProfileFile::Parse(ProfileFile::Write(profile), again, error))
            fuzz::Finding("a profile written back does not read");
    }
    return 0;
}
