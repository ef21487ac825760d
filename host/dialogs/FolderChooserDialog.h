// The folder chooser's dialog (run by CBrowseFolder). It lists the mapped
// drives, or the folders of the folder it shows with ".." first; a
// double tap or "開く" on a row enters it ("..", and "上へ", go up; above
// a drive's root are the drives). "実行" (IDOK) chooses the selected folder,
// or the folder shown when no folder row is selected; with nothing to
// choose it says so and stays open. Hidden folders (names starting with a
// dot) are not listed.
#pragma once

#include "host/dialogs/CCBRDialog.h"

#include <string>
#include <vector>

class FolderChooserDialog : public CCBRDialog {
public:
    DECLARE_DYNAMIC(FolderChooserDialog)

    // `startFolder`: a Windows path; the drives are shown when it is empty
    // or no existing folder.
    FolderChooserDialog(CWnd* parent, std::wstring prompt, std::wstring startFolder);

    // "D:\data" (no trailing backslash) or a drive's root "D:\".
    const std::wstring& GetChosenFolder() const { return m_chosen; }
    // The folder shown ("D:\data\"), empty while the drives are shown.
    const std::wstring& GetShownFolder() const { return m_current; }

    static constexpr int kPromptId = 30010;
    static constexpr int kPathId = 30011;
    static constexpr int kListId = 30012;
    static constexpr int kOpenId = 30013;
    static constexpr int kUpId = 30014;
    static constexpr int kMessageId = 30015;

    // The folder above `folder` ("D:\a\b\" -> "D:\a\", "D:\" -> ""), and
    // `path` as a folder to show ("D:\a" -> "D:\a\"; "" when it is no folder).
    static std::wstring ParentFolder(const std::wstring& folder);
    static std::wstring ExistingFolder(const std::wstring& path);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnOpen();
    void OnUp();

    DECLARE_MESSAGE_MAP()

private:
    struct Entry {
        std::wstring label;
        std::wstring path;  // folder to enter; for ".." the folder above
        bool up = false;
    };

    // Shows a folder (empty: the drives). False (with a message) when it cannot be listed.
    bool ShowFolder(const std::wstring& folder);
    const Entry* SelectedEntry() const;
    void Say(const wchar_t* message);

    std::wstring m_prompt;
    std::wstring m_start;
    std::wstring m_current;
    std::wstring m_chosen;
    std::vector<Entry> m_entries;
};
