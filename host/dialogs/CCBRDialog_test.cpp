#include "host/dialogs/CCBRDialog.h"
#include "host/dialogs/CPopupDlg.h"
#include "host/widgets/WidgetHost_test.h"

#include <gtest/gtest.h>

namespace {

// A page that chains the base's destroy handler from its own, as the
// auxiliary page does.
class DestroyCountingPage : public CCBRDialog {
public:
    DestroyCountingPage() : CCBRDialog(widget_tests::kHostTemplate, nullptr, true) {}
    int destroyed = 0;

protected:
    void OnDestroy()
    {
        ++destroyed;
        CCBRDialog::OnDestroy();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DestroyCountingPage, CCBRDialog)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

}  // namespace

TEST(CCBRDialog, KeepsItsRuntimeClassAndCarriesTheChangeReportMixins)
{
    const std::size_t before = IMRRec::GetLiveCount();
    CCBRDialog page(17001, nullptr, false);
    CPopupDlg popup;
    EXPECT_STREQ("CCBRDialog", page.GetRuntimeClass()->m_lpszClassName);
    EXPECT_TRUE(page.IsKindOf(RUNTIME_CLASS(CDialog)) && popup.IsKindOf(RUNTIME_CLASS(CCBRDialog)));
    EXPECT_FALSE(page.IsKindOf(RUNTIME_CLASS(CPopupDlg)));
    EXPECT_EQ(before + 2, IMRRec::GetLiveCount());
    EXPECT_EQ(static_cast<IMRToolBar*>(&page), page.IMRToolBar::MRGetMang());
}

TEST(CCBRDialog, DestroyHandlerChainsThroughTheBase)
{
    widget_tests::RegisterHostTemplate();
    DestroyCountingPage page;
    ASSERT_TRUE(page.Create(widget_tests::kHostTemplate, nullptr));
    HWND hwnd = page.m_hWnd;
    page.DestroyWindow();
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(1, page.destroyed);
    EXPECT_EQ(nullptr, page.m_hWnd);
}
