// The dialog framework: message maps, DoModal with nested loops, the
// PreTranslateMessage chain, Enter and Escape, data exchange, and the
// scripted operator that drives it all.
#include "tests/harness/ScriptedOperator.h"
#include "win/DebugLog.h"
#include "win/Dialog.h"
#include "win/DialogTemplate.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using testing_support::ScriptedOperator;

win::ControlTemplate Button(int id, int x, int y, const wchar_t* text)
{
    return win::ControlTemplate{.id = id, .controlClass = win::ControlClass::Button, .className = L"Button",
                                .style = WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, .x = x, .y = y, .cx = 40, .cy = 14,
                                .text = text};
}

constexpr UINT outerTemplate = 60001;
constexpr UINT innerTemplate = 60002;
constexpr UINT pageTemplate = 60003;
constexpr int idOpenInner = 100;
constexpr int idRangeFirst = 110;
constexpr int idRangeLast = 112;
constexpr int idThrow = 120;
constexpr int idPageButton = 130;

win::DialogTemplate Template(UINT id, DWORD style, int cx, int cy, std::vector<win::ControlTemplate> controls)
{
    win::DialogTemplate dialog;
    dialog.id = id;
    dialog.caption = L"dialog " + std::to_wstring(id);
    dialog.style = style;
    dialog.cx = cx;
    dialog.cy = cy;
    dialog.controls = std::move(controls);
    return dialog;
}

void RegisterTemplates()
{
    const DWORD popup = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
    const win::ControlTemplate ok = Button(IDOK, 10, 120, L"OK");
    const win::ControlTemplate cancel = Button(IDCANCEL, 60, 120, L"Cancel");
    ASSERT_TRUE(win::RegisterDialogTemplate(Template(
        outerTemplate, popup, 200, 150,
        {ok, cancel, Button(idOpenInner, 10, 10, L"open"), Button(idRangeFirst, 10, 30, L"r0"),
         Button(idRangeFirst + 1, 60, 30, L"r1"), Button(idRangeLast, 110, 30, L"r2"), Button(idThrow, 10, 50, L"throw")})));
    ASSERT_TRUE(win::RegisterDialogTemplate(Template(innerTemplate, popup, 200, 150, {ok, cancel})));
    ASSERT_TRUE(win::RegisterDialogTemplate(
        Template(pageTemplate, WS_CHILD, 100, 60, {Button(idPageButton, 5, 5, L"page button")})));
}

class InnerDialog : public CDialog {
public:
    explicit InnerDialog(CWnd* parent) : CDialog(innerTemplate, parent) {}
    bool ownerWasDisabled = false;

protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        HWND owner = GetParent() ? GetParent()->m_hWnd : nullptr;
        ownerWasDisabled = owner && !::IsWindowEnabled(owner);
        return TRUE;
    }
};

class Page : public CDialog {
public:
    Page() : CDialog(pageTemplate, nullptr) {}
    std::vector<std::string> seen;
    int clicks = 0;

protected:
    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->message == WM_KEYDOWN)
            seen.push_back("page");
        return CDialog::PreTranslateMessage(msg);
    }
    void OnPageButton() { ++clicks; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Page, CDialog)
    ON_BN_CLICKED(idPageButton, OnPageButton)
END_MESSAGE_MAP()

class OuterDialog : public CDialog {
public:
    OuterDialog() : CDialog(outerTemplate, nullptr) {}
    INT_PTR innerResult = 0;
    bool innerSawOwnerDisabled = false;
    std::vector<UINT> rangeIds;
    bool swallowKeys = false;
    bool withPage = false;
    Page page;
    std::vector<std::string>* order = nullptr;

protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        if (withPage) {
            page.Create(pageTemplate, this);
            page.ShowWindow(SW_SHOW);
        }
        return TRUE;
    }
    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->message == WM_KEYDOWN) {
            page.seen.push_back("outer");
            if (swallowKeys && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE))
                return TRUE;
        }
        return CDialog::PreTranslateMessage(msg);
    }
    void OnOpenInner()
    {
        InnerDialog inner(this);
        innerResult = inner.DoModal();
        innerSawOwnerDisabled = inner.ownerWasDisabled;
    }
    void OnRange(UINT id) { rangeIds.push_back(id); }
    void OnThrow() { throw std::runtime_error("handler failure"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(OuterDialog, CDialog)
    ON_BN_CLICKED(idOpenInner, OnOpenInner)
    ON_COMMAND_RANGE(idRangeFirst, idRangeLast, OnRange)
    ON_BN_CLICKED(idThrow, OnThrow)
END_MESSAGE_MAP()

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterTemplates(); }
    testing_support::Watchdog watchdog;
};

TEST_F(DialogTest, NestedModalDialogsDisableTheirOwnerAndReturnTheirResults)
{
    OuterDialog outer;
    ScriptedOperator script;
    script.Tap(outerTemplate, idOpenInner)
        .Tap(innerTemplate, IDCANCEL)
        .Tap(outerTemplate, IDOK);
    EXPECT_EQ(outer.DoModal(), IDOK);
    EXPECT_EQ(outer.innerResult, IDCANCEL);
    EXPECT_TRUE(outer.innerSawOwnerDisabled);
    EXPECT_EQ(script.Seen(), (std::vector<UINT>{outerTemplate, innerTemplate, outerTemplate}));
    EXPECT_EQ(outer.m_hWnd, nullptr) << "the window is gone after DoModal";
}

TEST_F(DialogTest, MissingTemplateReturnsMinusOneWithADebugLine)
{
    win::DebugLog::Clear();
    CDialog missing(59999, nullptr);
    EXPECT_EQ(missing.DoModal(), -1);
    EXPECT_TRUE(win::DebugLog::Contains(L"59999"));
}

// Enter and Escape ending a dialog (or, swallowed, not) are the number pad's,
// the popups' and the frame's stories; here the order of the chain.
TEST_F(DialogTest, KeysInAnEmbeddedPageWalkUpToTheDialogThatHoldsIt)
{
    OuterDialog outer;
    outer.withPage = true;
    outer.swallowKeys = true;
    ScriptedOperator script;
    script.Do(outerTemplate, "focus the page's button and press Enter",
              [&](HWND) {
                  SetFocus(::GetDlgItem(outer.page.m_hWnd, idPageButton));
                  win::PressKey(outer.m_hWnd, VK_RETURN);
              })
        .Tap(outerTemplate, idPageButton)
        .Tap(outerTemplate, IDOK);
    EXPECT_EQ(outer.DoModal(), IDOK);
    EXPECT_EQ(outer.page.seen, (std::vector<std::string>{"page", "outer"}))
        << "the page pre-translates first, then the dialog above it";
    EXPECT_EQ(outer.page.clicks, 1) << "the page stayed visible and operable";
}

TEST_F(DialogTest, CommandRangesAndHandlerExceptionsStayInsideDispatch)
{
    win::DebugLog::Clear();
    OuterDialog outer;
    ScriptedOperator script;
    script.Tap(outerTemplate, idRangeLast).Tap(outerTemplate, idThrow).Tap(outerTemplate, idRangeFirst).Tap(outerTemplate, IDOK);
    EXPECT_EQ(outer.DoModal(), IDOK);
    EXPECT_EQ(outer.rangeIds, (std::vector<UINT>{idRangeLast, idRangeFirst}));
    EXPECT_TRUE(win::DebugLog::Contains(L"handler failure")) << "the exception was logged and the loop went on";
}

}  // namespace
