#include "PrinterJson.h"

#include "win/TextConvert.h"

nlohmann::json PrinterJson::Describe(const PrinterJournal& journal)
{
    nlohmann::json annotations = nlohmann::json::array();
    for (const std::wstring& line : journal.annotations)
        annotations.push_back(win::WideToUtf8(line));
    return {{"annotations", std::move(annotations)}, {"annotationChanges", journal.annotationChanges}};
}
