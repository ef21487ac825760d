#include "resources/TemplateRegistration.h"

#include "resources/EmbeddedTemplates.h"
#include "resources/TemplateParser.h"
#include "win/DebugLog.h"
#include "win/TextConvert.h"

#include <mutex>

namespace resources {

bool RegisterTemplateText(std::string_view text, std::string_view fileName)
{
    TemplateParseResult parsed = ParseDialogTemplate(text, fileName);
    if (!parsed.ok()) {
        OutputDebugStringW((L"dialog template " + parsed.error).c_str());
        return false;
    }
    if (!win::RegisterDialogTemplate(std::move(*parsed.dialog))) {
        OutputDebugStringW((L"dialog template " + win::Utf8ToWide(fileName) + L" was not registered").c_str());
        return false;
    }
    return true;
}

bool RegisterAllTemplates()
{
    static std::once_flag once;
    static bool allRegistered = false;
    std::call_once(once, [] {
        bool ok = true;
        for (const EmbeddedTemplateFile& file : EmbeddedTemplateFiles()) {
            if (!RegisterTemplateText(file.text, file.name))
                ok = false;
        }
        allRegistered = ok;
    });
    return allRegistered;
}

namespace {

[[maybe_unused]] const bool registeredAtLoad = RegisterAllTemplates();

}  // namespace

}  // namespace resources
