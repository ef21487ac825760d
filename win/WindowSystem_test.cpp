// The window system's own semantics: the window tree and its lifetime,
// message order, cross-thread sends, the input path and its refusals.
#include "win/DebugLog.h"
#include "win/Input.h"
#include "win/Screen.h"
#include "win/Window.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Logged {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
};

std::vector<Logged>& Log()
{
    static std::vector<Logged> log;
    return log;
}

LRESULT LoggingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_GETTEXT && message != WM_GETTEXTLENGTH)
        Log().push_back(Logged{hwnd, message, wParam});
    if (message == WM_CREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        if (create->lpszName && std::wstring(create->lpszName) == L"refuse")
            return -1;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

class WindowSystemTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        win::RegisterWindowClass(win::WindowClass{L"LoggingWindow", &LoggingProc, nullptr, "static"});
        Log().clear();
        windowsBefore = win::WindowCount();
    }
    void TearDown() override
    {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
        EXPECT_EQ(win::WindowCount(), windowsBefore) << "a test left windows behind";
    }
    HWND Make(HWND parent, int id, DWORD style = WS_VISIBLE, const wchar_t* text = L"")
    {
        return CreateWindowExW(0, L"LoggingWindow", text, style | (parent ? WS_CHILD : WS_POPUP), 10, 20, 100, 50,
                               parent, id, nullptr, nullptr);
    }
    std::vector<UINT> MessagesOf(HWND hwnd)
    {
        std::vector<UINT> messages;
        for (const auto& entry : Log())
            if (entry.hwnd == hwnd)
                messages.push_back(entry.message);
        return messages;
    }
    size_t windowsBefore = 0;
};

TEST_F(WindowSystemTest, UnknownClassAndRefusedCreationLeaveNoWindow)
{
    win::DebugLog::Clear();
    EXPECT_EQ(CreateWindowExW(0, L"NoSuchClass", L"", WS_POPUP, 0, 0, 1, 1, nullptr, 0, nullptr, nullptr), nullptr);
    EXPECT_EQ(Make(nullptr, 0, 0, L"refuse"), nullptr);
    EXPECT_FALSE(win::DebugLog::Lines().empty());
}

TEST_F(WindowSystemTest, DestroyingAParentSendsDestroyBeforeChildrenAndNcDestroyAfter)
{
    HWND parent = Make(nullptr, 0);
    HWND child = Make(parent, 5);
    HWND grandChild = Make(child, 6);
    Log().clear();
    ASSERT_TRUE(DestroyWindow(parent));
    std::vector<std::pair<HWND, UINT>> order;
    for (const auto& entry : Log())
        if (entry.message == WM_DESTROY || entry.message == WM_NCDESTROY)
            order.emplace_back(entry.hwnd, entry.message);
    std::vector<std::pair<HWND, UINT>> expected = {
        {parent, WM_DESTROY}, {child, WM_DESTROY}, {grandChild, WM_DESTROY},
        {grandChild, WM_NCDESTROY}, {child, WM_NCDESTROY}, {parent, WM_NCDESTROY}};
    EXPECT_EQ(order, expected);
    EXPECT_FALSE(IsWindow(parent));
    EXPECT_FALSE(IsWindow(child));
    EXPECT_FALSE(DestroyWindow(parent)) << "a dead window cannot die twice";
    EXPECT_EQ(SendMessageW(child, WM_USER, 0, 0), 0) << "messages to dead windows are dropped";
}

TEST_F(WindowSystemTest, TreeQueriesAndInputFollowTheAncestors)
{
    HWND dialog = Make(nullptr, 0);
    HWND control = Make(dialog, 100);
    HWND second = Make(dialog, 200);
    EXPECT_EQ(GetDlgItem(dialog, 200), second);
    EXPECT_EQ(GetDlgItem(dialog, 300), nullptr);
    EXPECT_TRUE(IsChild(dialog, second) && !IsChild(second, dialog));
    EXPECT_EQ(GetAncestorTopLevel(second), dialog);
    RECT rect;
    ASSERT_TRUE(GetWindowRect(second, &rect));
    EXPECT_EQ(std::make_pair(rect.left, rect.top), std::make_pair(LONG{20}, LONG{40})) << "child rectangles are relative to the parent";

    ShowWindow(dialog, SW_HIDE);
    EXPECT_FALSE(IsWindowVisible(control)) << "a child of a hidden window is not visible";
    EXPECT_EQ(win::CanTakeInput(control), win::InputResult::Hidden);
    ShowWindow(dialog, SW_SHOW);
    EXPECT_FALSE(EnableWindow(dialog, FALSE)) << "returns whether it was disabled before";
    EXPECT_TRUE(IsWindowEnabled(control)) << "the control's own flag is unchanged";
    EXPECT_EQ(win::Tap(control), win::InputResult::Disabled) << "but input cannot reach it";
    MSG msg;
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) << "a refused tap posts nothing";
    EXPECT_TRUE(EnableWindow(dialog, TRUE));

    // A tap is a button press, then its release, at the control's centre.
    ASSERT_EQ(win::Tap(control, MK_CONTROL), win::InputResult::Posted);
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_LBUTTONDOWN);
    EXPECT_EQ(msg.wParam, MK_LBUTTON | MK_CONTROL);
    EXPECT_EQ(GET_X_LPARAM(msg.lParam), 50);
    EXPECT_EQ(GetKeyState(VK_CONTROL) & 0x8000, 0x8000) << "key state follows the retrieved input";
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_LBUTTONUP);
    DestroyWindow(dialog);
    EXPECT_EQ(win::Tap(control), win::InputResult::NoWindow);
}

TEST_F(WindowSystemTest, PostedMessagesComeInOrderAndQuitComesLast)
{
    HWND window = Make(nullptr, 0);
    PostQuitMessage(3);
    PostMessageW(window, WM_USER + 1, 0, 0);
    PostMessageW(window, WM_USER + 2, 0, 0);
    MSG msg;
    ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_USER + 1u);
    ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_USER + 2u);
    EXPECT_FALSE(GetMessageW(&msg, nullptr, 0, 0)) << "WM_QUIT ends the loop only after the queue is empty";
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 3u);
    DestroyWindow(window);
}

TEST_F(WindowSystemTest, SendFromAnotherThreadRunsOnTheOwnerThread)
{
    HWND window = Make(nullptr, 0);
    std::atomic<bool> done{false};
    LRESULT answer = 0;
    std::thread sender([&] {
        answer = SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"from worker"));
        done = true;
    });
    // The owner serves the sent message while it pumps.
    MSG msg;
    for (int i = 0; i < 2000 && !done; ++i) {
        PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    sender.join();
    EXPECT_TRUE(answer);
    EXPECT_EQ(GetWindowTextString(window), L"from worker");
    DestroyWindow(window);
}

TEST_F(WindowSystemTest, ZOrderAndScreenSnapshot)
{
    HWND back = Make(nullptr, 0, WS_VISIBLE, L"back");
    HWND front = Make(nullptr, 0, WS_VISIBLE, L"front");
    HWND hidden = Make(nullptr, 0, 0, L"hidden");
    auto screen = win::CaptureScreen();
    std::vector<std::wstring> captions;
    for (const auto& window : screen)
        if (window.hwnd == back || window.hwnd == front || window.hwnd == hidden)
            captions.push_back(window.caption);
    EXPECT_EQ(captions, (std::vector<std::wstring>{L"front", L"back"})) << "visible windows, front to back";
    auto before = win::ChangeCounter();
    SetWindowTextW(front, L"renamed");
    EXPECT_GT(win::ChangeCounter(), before) << "a visible change moves the counter";
    DestroyWindow(back);
    DestroyWindow(front);
    DestroyWindow(hidden);
}

TEST_F(WindowSystemTest, FocusMovesWithMessagesAndLeavesHiddenWindows)
{
    HWND dialog = Make(nullptr, 0);
    HWND a = Make(dialog, 1);
    HWND b = Make(dialog, 2);
    SetFocus(a);
    Log().clear();
    SetFocus(b);
    EXPECT_EQ(MessagesOf(a), std::vector<UINT>{WM_KILLFOCUS});
    EXPECT_EQ(MessagesOf(b), std::vector<UINT>{WM_SETFOCUS});
    ShowWindow(b, SW_HIDE);
    EXPECT_EQ(GetFocus(), nullptr);
    DestroyWindow(dialog);
}

}  // namespace
