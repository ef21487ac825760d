#include "LanguageChoice.h"

#include "host/TextService.h"
#include "host/TextTables.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

bool LanguageChoice::IsKnown(const std::string& language)
{
    const std::vector<std::string> languages = TextTableLanguages();
    return std::find(languages.begin(), languages.end(), language) != languages.end();
}

std::string LanguageChoice::KnownList()
{
    std::string list;
    const std::vector<std::string> languages = TextTableLanguages();
    for (std::size_t index = 0; index < languages.size(); ++index)
        list += (index == 0 ? "" : index + 1 == languages.size() ? " or " : ", ") + languages[index];
    return list;
}

bool LanguageChoice::Start(const std::string& language, std::string& error)
{
    if (!language.empty())
        return Switch(language, error);
    std::string kept;
    std::ifstream file(m_keptPath);
    if (file && std::getline(file, kept) && IsKnown(kept))
        return Apply(kept, error);
    return Apply("ja", error);
}

bool LanguageChoice::Switch(const std::string& language, std::string& error)
{
    if (!Apply(language, error))
        return false;
    // Written aside and renamed, so a simulator killed meanwhile keeps the
    // old choice or the new one, never half a name.
    const std::string saving = m_keptPath + ".saving";
    std::ofstream file(saving, std::ios::trunc);
    file << language << '\n';
    file.close();
    if (!file || std::rename(saving.c_str(), m_keptPath.c_str()) != 0) {
        // The dialogs speak the language all the same; only the next start will not.
        std::remove(saving.c_str());
        std::fprintf(stderr, "sysdlg-sim: cannot keep the language in %s\n", m_keptPath.c_str());
    }
    return true;
}

bool LanguageChoice::Apply(const std::string& language, std::string& error)
{
    if (!IsKnown(language)) {
        error = "no such language: " + language;
        return false;
    }
    CTextService* texts = GetTextServiceObject();
    if (const std::optional<std::string_view> table = FindTextTable(language)) {
        if (!texts->LoadTableText(*table, &error))
            return false;
    } else {
        texts->ClearTable();
    }
    m_current = language;
    return true;
}
