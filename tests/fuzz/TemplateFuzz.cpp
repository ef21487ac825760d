// The dialog template parser.
#include "FuzzTarget.h"

#include "resources/TemplateParser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const resources::TemplateParseResult parsed = resources::ParseDialogTemplate(fuzz::Bytes(data, size), "fuzz.dlg");
    if (parsed.ok() != parsed.error.empty())
        fuzz::Finding("a template is both read and refused");
    return 0;
}
