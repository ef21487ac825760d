// Message sequences of the "Button" class and its CButton wrapper.
#include "win/Input.h"
#include "win/Screen.h"
#include "win/controls/CButton.h"
#include "win/controls/ControlRecorder_test.h"

#include <gtest/gtest.h>

namespace win::testing {
namespace {

constexpr int kId = 1001;

class ButtonTest : public ::testing::Test {
protected:
    HWND Make(DWORD style, int id = kId) { return recorder.Create(L"Button", style, id, RECT{10, 10, 110, 40}, L"OK"); }
    ControlRecorder recorder;
};

TEST_F(ButtonTest, TapOnPushButtonSendsClickedOnRelease)
{
    HWND button = Make(BS_PUSHBUTTON);
    PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    Pump();
    EXPECT_TRUE(recorder.Matches({}));
    EXPECT_EQ(SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED, BST_PUSHED);
    EXPECT_EQ(GetCapture(), button);

    PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    Pump();
    EXPECT_TRUE(recorder.Matches({Command(kId, BN_CLICKED, button)}));
    EXPECT_EQ(SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ButtonTest, ReleaseOutsideTheButtonDoesNotClick)
{
    HWND button = Make(BS_PUSHBUTTON);
    PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(150, 5));
    Pump();
    EXPECT_TRUE(recorder.Matches({}));
    EXPECT_EQ(SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
}

TEST_F(ButtonTest, DisabledButtonNeverNotifies)
{
    HWND button = Make(BS_PUSHBUTTON);
    EnableWindow(button, FALSE);
    EXPECT_EQ(Tap(button), InputResult::Disabled);
    // Input that was already queued when the button was disabled is ignored too.
    PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    Pump();
    SendMessageW(button, BM_CLICK, 0, 0);
    EXPECT_TRUE(recorder.Matches({}));
}

TEST_F(ButtonTest, ButtonDisabledBetweenPressAndReleaseDoesNotNotify)
{
    HWND button = Make(BS_PUSHBUTTON);
    PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    Pump();
    EnableWindow(button, FALSE);
    PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    Pump();
    EXPECT_TRUE(recorder.Matches({}));
}

TEST_F(ButtonTest, GroupBoxTakesNoInput)
{
    HWND group = Make(BS_GROUPBOX);
    EXPECT_EQ(Tap(group), InputResult::Posted);
    EXPECT_EQ(DoubleTap(group), InputResult::Posted);
    Pump();
    SendMessageW(group, BM_CLICK, 0, 0);
    EXPECT_TRUE(recorder.Matches({}));
    EXPECT_EQ(SendMessageW(group, BM_GETSTATE, 0, 0), 0);
}

TEST_F(ButtonTest, SetCheckIsSilentAndClampedToTheButtonType)
{
    HWND check = Make(BS_AUTOCHECKBOX);
    HWND push = Make(BS_PUSHBUTTON, kId + 1);
    HWND three = Make(BS_AUTO3STATE, kId + 2);
    SendMessageW(check, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(push, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(three, BM_SETCHECK, BST_INDETERMINATE, 0);
    EXPECT_TRUE(recorder.Matches({}));
    EXPECT_EQ(SendMessageW(check, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(push, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageW(three, BM_GETCHECK, 0, 0), BST_INDETERMINATE);
    SendMessageW(check, BM_SETCHECK, BST_INDETERMINATE, 0);
    EXPECT_EQ(SendMessageW(check, BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(ButtonTest, AutoCheckBoxTogglesBeforeClicked)
{
    HWND check = Make(BS_AUTOCHECKBOX);
    std::vector<LRESULT> seen;
    recorder.OnCode(BN_CLICKED, [&] { seen.push_back(SendMessageW(check, BM_GETCHECK, 0, 0)); });
    Tap(check);
    Pump();
    Tap(check);
    Pump();
    EXPECT_TRUE(recorder.Matches({Command(kId, BN_CLICKED, check), Command(kId, BN_CLICKED, check)}));
    EXPECT_EQ(seen, (std::vector<LRESULT>{BST_CHECKED, BST_UNCHECKED}));
}

TEST_F(ButtonTest, PlainCheckBoxLeavesTheCheckToItsParent)
{
    HWND check = Make(BS_CHECKBOX);
    Tap(check);
    Pump();
    EXPECT_TRUE(recorder.Matches({Command(kId, BN_CLICKED, check)}));
    EXPECT_EQ(SendMessageW(check, BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(ButtonTest, AutoRadioButtonUnchecksTheOthersOfItsGroupOnly)
{
    HWND first = Make(BS_AUTORADIOBUTTON | WS_GROUP, 1);
    HWND second = Make(BS_AUTORADIOBUTTON, 2);
    HWND third = Make(BS_AUTORADIOBUTTON, 3);
    HWND nextGroup = Make(BS_AUTORADIOBUTTON | WS_GROUP, 4);
    SendMessageW(first, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(nextGroup, BM_SETCHECK, BST_CHECKED, 0);
    Tap(second);
    Pump();
    EXPECT_TRUE(recorder.Matches({Command(2, BN_CLICKED, second)}));
    EXPECT_EQ(SendMessageW(first, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageW(second, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(third, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageW(nextGroup, BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(ButtonTest, DoubleTapIsTwoClicksUnlessTheButtonNotifies)
{
    HWND plain = Make(BS_PUSHBUTTON, 1);
    HWND notifying = Make(BS_PUSHBUTTON | BS_NOTIFY, 2);
    HWND radio = Make(BS_RADIOBUTTON, 3);
    DoubleTap(plain);
    Pump();
    EXPECT_TRUE(recorder.Matches({Command(1, BN_CLICKED, plain), Command(1, BN_CLICKED, plain)}));
    recorder.Clear();
    DoubleTap(notifying);
    Pump();
    EXPECT_TRUE(recorder.Matches({Command(2, BN_CLICKED, notifying), Command(2, BN_DOUBLECLICKED, notifying)}));
    recorder.Clear();
    DoubleTap(radio);
    Pump();
    EXPECT_TRUE(recorder.Matches({Command(3, BN_CLICKED, radio), Command(3, BN_DOUBLECLICKED, radio)}));
}

TEST_F(ButtonTest, ClickMessageActsAsATap)
{
    HWND check = Make(BS_AUTOCHECKBOX);
    SendMessageW(check, BM_CLICK, 0, 0);
    EXPECT_TRUE(recorder.Matches({Command(kId, BN_CLICKED, check)}));
    EXPECT_EQ(SendMessageW(check, BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(ButtonTest, SpaceKeyPressesAndReleases)
{
    HWND button = Make(BS_PUSHBUTTON);
    SendMessageW(button, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_TRUE(recorder.Matches({}));
    SendMessageW(button, WM_KEYUP, VK_SPACE, 0);
    EXPECT_TRUE(recorder.Matches({Command(kId, BN_CLICKED, button)}));
}

TEST_F(ButtonTest, SetStyleChangesOnlyTheTypeAndIsSilent)
{
    HWND button = Make(BS_PUSHBUTTON | BS_MULTILINE);
    SendMessageW(button, BM_SETSTYLE, BS_DEFPUSHBUTTON | BS_NOTIFY, TRUE);
    DWORD style = static_cast<DWORD>(GetWindowLongPtrW(button, GWL_STYLE));
    EXPECT_EQ(style & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(style & BS_MULTILINE, BS_MULTILINE);
    EXPECT_EQ(style & BS_NOTIFY, 0u);
    EXPECT_TRUE(recorder.Matches({}));
}

TEST_F(ButtonTest, ParentMayDestroyTheButtonInItsClickHandler)
{
    HWND button = Make(BS_AUTOCHECKBOX);
    recorder.OnCode(BN_CLICKED, [&] { DestroyWindow(button); });
    Tap(button);
    Pump();
    EXPECT_FALSE(IsWindow(button));
    EXPECT_EQ(recorder.Log().size(), 1u);
}

TEST_F(ButtonTest, ScreenDescribesEachKind)
{
    HWND push = Make(BS_DEFPUSHBUTTON, 1);
    HWND check = Make(BS_AUTOCHECKBOX | BS_PUSHLIKE, 2);
    HWND radio = Make(BS_AUTORADIOBUTTON, 3);
    HWND group = Make(BS_GROUPBOX, 4);
    HWND owner = Make(BS_OWNERDRAW, 5);
    SendMessageW(check, BM_SETCHECK, BST_CHECKED, 0);

    ScreenControl described = DescribeControl(push);
    EXPECT_EQ(described.className, "button");
    EXPECT_FALSE(described.checked.has_value());
    EXPECT_NE(std::find(described.extra.begin(), described.extra.end(), std::pair<std::string, std::wstring>{"default", L"1"}),
              described.extra.end());
    described = DescribeControl(check);
    EXPECT_EQ(described.className, "checkbox");
    EXPECT_EQ(described.checked, true);
    described = DescribeControl(radio);
    EXPECT_EQ(described.className, "checkbox");
    EXPECT_EQ(described.checked, false);
    EXPECT_NE(std::find(described.extra.begin(), described.extra.end(), std::pair<std::string, std::wstring>{"kind", L"radio"}),
              described.extra.end());
    EXPECT_EQ(DescribeControl(group).className, "groupbox");
    EXPECT_EQ(DescribeControl(owner).className, "ownerdraw");
}

TEST_F(ButtonTest, WrapperReadsAndSetsThroughMessages)
{
    HWND hwnd = Make(BS_AUTOCHECKBOX);
    CButton button;
    ASSERT_TRUE(button.SubclassWindow(hwnd));
    EXPECT_STREQ(button.GetRuntimeClass()->m_lpszClassName, "CButton");
    EXPECT_TRUE(button.IsKindOf(RUNTIME_CLASS(CWnd)));
    button.SetCheck(BST_CHECKED);
    EXPECT_EQ(button.GetCheck(), BST_CHECKED);
    button.SetState(TRUE);
    EXPECT_EQ(button.GetState(), static_cast<UINT>(BST_CHECKED | BST_PUSHED));
    button.SetButtonStyle(BS_CHECKBOX);
    EXPECT_EQ(button.GetButtonStyle() & BS_TYPEMASK, BS_CHECKBOX);
    EXPECT_TRUE(recorder.Matches({}));
    Tap(hwnd);
    Pump();
    EXPECT_TRUE(recorder.Matches({Command(kId, BN_CLICKED, hwnd)}));
    button.UnsubclassWindow();
}

TEST_F(ButtonTest, WrapperCreatesItsWindow)
{
    CWnd parent;
    ASSERT_TRUE(parent.Attach(recorder.Parent()));
    CButton button;
    ASSERT_TRUE(button.Create(L"Go", WS_VISIBLE | BS_PUSHBUTTON, RECT{0, 0, 50, 20}, &parent, 77));
    EXPECT_EQ(GetDlgItem(recorder.Parent(), 77), button.m_hWnd);
    EXPECT_EQ(GetWindowTextString(button.m_hWnd), L"Go");
    parent.Detach();
}

}  // namespace
}  // namespace win::testing
