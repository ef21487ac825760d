// The language of the dialogs: Japanese, whose texts are the dialogs' own
// defaults, or a language with a built-in text table (host/TextTables.h).
// The operator's choice is kept in a small file of the data root, so it
// survives a restart of the simulator; the --lang flag overrides it.
#pragma once

#include <string>

class LanguageChoice {
public:
    explicit LanguageChoice(std::string keptPath) : m_keptPath(std::move(keptPath)) {}

    // At start: `language` when given, else the kept choice, else "ja".
    // A kept choice that cannot be read or names no table counts as "ja".
    bool Start(const std::string& language, std::string& error);
    // Applies the language to the text service and keeps it (a choice that
    // cannot be kept is reported on stderr). An unknown language changes nothing.
    bool Switch(const std::string& language, std::string& error);
    const std::string& Current() const { return m_current; }

    static bool IsKnown(const std::string& language);
    // "ja or en", for messages.
    static std::string KnownList();

private:
    bool Apply(const std::string& language, std::string& error);

    std::string m_keptPath;
    std::string m_current = "ja";
};
