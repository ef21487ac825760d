#include "host/TextTables.h"

std::optional<std::string_view> FindTextTable(std::string_view language)
{
    for (const TextTableFile& file : TextTableFiles())
        if (language == file.language)
            return file.text;
    return std::nullopt;
}

std::vector<std::string> TextTableLanguages()
{
    std::vector<std::string> languages{"ja"};
    for (const TextTableFile& file : TextTableFiles())
        languages.emplace_back(file.language);
    return languages;
}
