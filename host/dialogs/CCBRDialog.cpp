#include "host/dialogs/CCBRDialog.h"

#include "host/TextService.h"

IMPLEMENT_DYNAMIC(CCBRDialog, CDialog)

BEGIN_MESSAGE_MAP(CCBRDialog, CDialog)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CCBRDialog::CCBRDialog(UINT templateId, CWnd* parent, bool standAlone)
    : CDialog(templateId, parent), m_bStandAlone(standAlone)
{
}

CCBRDialog::~CCBRDialog() = default;

void CCBRDialog::SetItemTexts(DWORD group, const ItemText* texts, std::size_t count)
{
    CTextService* service = GetTextServiceObject();
    for (std::size_t index = 0; index < count; ++index)
        SetDlgItemText(texts[index].id, service->GetText(group, texts[index].item, texts[index].defaultText));
}

void CCBRDialog::OnDestroy()
{
    CDialog::OnDestroy();
}
