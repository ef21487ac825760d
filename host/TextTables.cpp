#include "host/TextTables.h"

std::optional<std::string_view> FindTextTable(std::string_view language)
{
    for (const TextTableFile* file = kTextTableFiles; file->language; ++file)
        if (language == file->language)
            return file->text;
    return std::nullopt;
}

std::vector<std::string> TextTableLanguages()
{
    std::vector<std::string> languages{"ja"};
    for (const TextTableFile* file = kTextTableFiles; file->language; ++file)
        languages.emplace_back(file->language);
    return languages;
}
