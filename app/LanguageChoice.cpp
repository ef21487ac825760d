#include "LanguageChoice.h"

#include "host/TextService.h"
#include "host/TextTables.h"
#include "host/formats/AtomicFile.h"
#include "win/WholeFile.h"

#include <algorithm>
#include <cstdio>

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
    // Read as every host file is: a regular file only, never through a link,
    // and small, so that nothing put in its place can stall the start.
    std::string kept, ignored;
    if (win::ReadWholeFile(m_keptPath, 64, "language file", kept, ignored, win::FollowLinks::No)) {
        kept = kept.substr(0, kept.find('\n'));
        if (IsKnown(kept))
            return Apply(kept, error);
    }
    return Apply("ja", error);
}

bool LanguageChoice::Switch(const std::string& language, std::string& error)
{
    if (!Apply(language, error))
        return false;
    // Written aside and renamed, so a simulator killed meanwhile keeps the
    // old choice or the new one, never half a name.
    std::string why;
    if (!formats::WriteFileAtomically(m_keptPath, language + "\n", &why)) {
        // The dialogs speak the language all the same; only the next start will not.
        std::fprintf(stderr, "sysdlg-sim: cannot keep the language: %s\n", why.c_str());
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
