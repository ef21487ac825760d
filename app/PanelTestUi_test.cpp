#include "PanelTestUi_test.h"

BEGIN_MESSAGE_MAP(PanelTestDialog, CDialog)
    ON_BN_CLICKED(PanelTestDialog::IDC_BUTTON, OnButton)
    ON_BN_CLICKED(PanelTestDialog::IDC_DISABLED, OnDisabled)
    ON_BN_CLICKED(PanelTestDialog::IDC_HIDDEN, OnHidden)
    ON_BN_CLICKED(PanelTestDialog::IDC_SLOW, OnSlow)
END_MESSAGE_MAP()
