// Message sequences of the "Button" class and its CButton wrapper.
#include "win/Input.h"
#include "win/Screen.h"
#include "win/controls/CButton.h"
#include "win/controls/ControlRecorder_test.h"

#include <gtest/gtest.h>

#include <optional>

namespace win::testing {
namespace {

constexpr int kId = 1001;

class ButtonTest : public ::testing::Test {
protected:
    HWND Make(DWORD style, int id = kId) { return recorder.Create(L"Button", style, id, RECT{10, 10, 110, 40}, L"OK"); }
    static LRESULT Check(HWND button) { return SendMessageW(button, BM_GETCHECK, 0, 0); }
    static LRESULT Pushed(HWND button) { return SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED; }
    static void Post(HWND button, UINT message, int x)
    {
        PostMessageW(button, message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(x, 5));
    }
    ControlRecorder recorder;
};

TEST_F(ButtonTest, PressSendsNothingAndReleaseClicks)
{
    HWND button = Make(BS_PUSHBUTTON);
    Post(button, WM_LBUTTONDOWN, 5);
    Pump();
    EXPECT_TRUE(recorder.Matches({}));
    EXPECT_EQ(Pushed(button), BST_PUSHED);
    EXPECT_EQ(GetCapture(), button);
    Post(button, WM_LBUTTONUP, 5);
    Pump();
    EXPECT_TRUE(recorder.Matches({Command(kId, BN_CLICKED, button)}));
    EXPECT_EQ(Pushed(button), 0);
    EXPECT_EQ(GetCapture(), nullptr);

    recorder.Clear();
    SendMessageW(button, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_TRUE(recorder.Matches({}));
    SendMessageW(button, WM_KEYUP, VK_SPACE, 0);
    EXPECT_TRUE(recorder.Matches({Command(kId, BN_CLICKED, button)}));
}

// What the parent hears, and the check left behind, by kind of button and input.
TEST_F(ButtonTest, NotificationsByKindOfButtonAndInput)
{
    auto tap = [](HWND button) { Tap(button), Pump(); };
    auto doubleTap = [](HWND button) { DoubleTap(button), Pump(); };
    auto click = [](HWND button) { SendMessageW(button, BM_CLICK, 0, 0); };
    const struct {
        const char* name;
        DWORD style;
        std::function<void(HWND)> act;
        std::vector<UINT> heard;
        LRESULT check;
    } cases[] = {
        {"plain check box: the parent sets the check", BS_CHECKBOX, tap, {BN_CLICKED}, BST_UNCHECKED},
        {"click message acts as a tap", BS_AUTOCHECKBOX, click, {BN_CLICKED}, BST_CHECKED},
        {"double tap is two clicks", BS_PUSHBUTTON, doubleTap, {BN_CLICKED, BN_CLICKED}, BST_UNCHECKED},
        {"notifying button double-clicks", BS_PUSHBUTTON | BS_NOTIFY, doubleTap, {BN_CLICKED, BN_DOUBLECLICKED}, 0},
        {"radio button double-clicks", BS_RADIOBUTTON, doubleTap, {BN_CLICKED, BN_DOUBLECLICKED}, BST_UNCHECKED},
        {"release outside the button", BS_AUTOCHECKBOX,
         [](HWND button) { Post(button, WM_LBUTTONDOWN, 5), Post(button, WM_LBUTTONUP, 150), Pump(); }, {}, 0},
        {"group box takes no input", BS_GROUPBOX,
         [&](HWND button) { EXPECT_EQ(Tap(button), InputResult::Posted), doubleTap(button), click(button); }, {}, 0},
        {"disabled button, input queued before too", BS_AUTOCHECKBOX,
         [&](HWND button) {
             Post(button, WM_LBUTTONDOWN, 5), Post(button, WM_LBUTTONUP, 5);  // queued before disabling
             EnableWindow(button, FALSE);
             EXPECT_EQ(Tap(button), InputResult::Disabled);
             Pump(), click(button);
         },
         {}, BST_UNCHECKED},
        {"disabled between press and release", BS_AUTOCHECKBOX,
         [](HWND button) {
             Post(button, WM_LBUTTONDOWN, 5), Pump(), EnableWindow(button, FALSE);
             Post(button, WM_LBUTTONUP, 5), Pump();
         },
         {}, BST_UNCHECKED},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HWND button = Make(c.style);
        recorder.Clear();
        c.act(button);
        std::vector<Logged> expected;
        for (UINT code : c.heard)
            expected.push_back(Command(kId, code, button));
        EXPECT_TRUE(recorder.Matches(expected));
        EXPECT_EQ(Check(button), c.check);
        EXPECT_EQ(Pushed(button), 0);
        DestroyWindow(button);
    }
}

TEST_F(ButtonTest, SetCheckIsSilentAndClampedToTheButtonType)
{
    HWND check = Make(BS_AUTOCHECKBOX);
    HWND push = Make(BS_PUSHBUTTON, kId + 1);
    SendMessageW(check, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(push, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(check, BM_SETCHECK, BST_INDETERMINATE, 0);  // not a three-state box
    EXPECT_TRUE(recorder.Matches({}));
    EXPECT_EQ(std::make_pair(Check(check), Check(push)), std::make_pair(LRESULT{BST_CHECKED}, LRESULT{BST_UNCHECKED}));
}

TEST_F(ButtonTest, AutoCheckBoxTogglesBeforeClicked)
{
    HWND check = Make(BS_AUTOCHECKBOX);
    std::vector<LRESULT> seen;
    recorder.OnCode(BN_CLICKED, [&] { seen.push_back(Check(check)); });
    Tap(check);
    Pump();
    Tap(check);
    Pump();
    EXPECT_TRUE(recorder.Matches({Command(kId, BN_CLICKED, check), Command(kId, BN_CLICKED, check)}));
    EXPECT_EQ(seen, (std::vector<LRESULT>{BST_CHECKED, BST_UNCHECKED}));
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
    const std::pair<std::string, std::wstring> isDefault{"default", L"1"}, isRadio{"kind", L"radio"};
    const struct {
        DWORD style;
        const char* className;
        std::optional<bool> checked;
        std::optional<std::pair<std::string, std::wstring>> extra;
    } cases[] = {
        {BS_DEFPUSHBUTTON, "button", {}, isDefault},
        {BS_AUTOCHECKBOX | BS_PUSHLIKE, "checkbox", true, {}},
        {BS_AUTORADIOBUTTON, "checkbox", false, isRadio},
        {BS_GROUPBOX, "groupbox", {}, {}},
        {BS_OWNERDRAW, "ownerdraw", {}, {}},
    };
    for (const auto& c : cases) {
        HWND button = Make(c.style);
        if (c.checked == true)
            SendMessageW(button, BM_SETCHECK, BST_CHECKED, 0);
        ScreenControl described = DescribeControl(button);
        EXPECT_EQ(described.className, c.className);
        EXPECT_EQ(described.checked, c.checked) << c.className;
        EXPECT_TRUE(!c.extra || std::count(described.extra.begin(), described.extra.end(), *c.extra) == 1);
        DestroyWindow(button);
    }
}

// The page code reads and sets the check through the wrapper.
TEST_F(ButtonTest, WrapperCreatesAndDrivesItsWindowSilently)
{
    CWnd parent;
    ASSERT_TRUE(parent.Attach(recorder.Parent()));
    CButton button;
    ASSERT_TRUE(button.Create(L"Go", WS_VISIBLE | BS_CHECKBOX, RECT{0, 0, 50, 20}, &parent, 77));
    parent.Detach();
    EXPECT_EQ(GetDlgItem(recorder.Parent(), 77), button.m_hWnd);
    button.SetCheck(BST_CHECKED);
    EXPECT_TRUE(recorder.Matches({}));
    Tap(button.m_hWnd);
    Pump();
    EXPECT_TRUE(recorder.Matches({Command(77, BN_CLICKED, button.m_hWnd)}));
    EXPECT_EQ(button.GetCheck(), BST_CHECKED) << "a plain check box leaves the check to its parent";
}

}  // namespace
}  // namespace win::testing
