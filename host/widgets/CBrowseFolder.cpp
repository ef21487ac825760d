#include "host/widgets/CBrowseFolder.h"

#include "host/dialogs/FolderChooserDialog.h"

CBrowseFolder::CBrowseFolder(CWnd* parent, LPCWSTR prompt, UINT)
    : m_pParent(parent), m_prompt(prompt ? prompt : L"")
{
}

BOOL CBrowseFolder::Open(LPCWSTR startFolder, UINT, UINT)
{
    FolderChooserDialog chooser(m_pParent, m_prompt, startFolder ? startFolder : L"");
    if (chooser.DoModal() != IDOK)
        return FALSE;
    m_path = chooser.GetChosenFolder();
    return TRUE;
}
