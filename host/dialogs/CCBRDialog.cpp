#include "host/dialogs/CCBRDialog.h"

IMPLEMENT_DYNAMIC(CCBRDialog, CDialog)

BEGIN_MESSAGE_MAP(CCBRDialog, CDialog)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CCBRDialog::CCBRDialog(UINT templateId, CWnd* parent, bool standAlone)
    : CDialog(templateId, parent), m_bStandAlone(standAlone)
{
}

CCBRDialog::~CCBRDialog() = default;

void CCBRDialog::OnDestroy()
{
    CDialog::OnDestroy();
}
