#include "host/IMRRec.h"
#include "host/IMRToolBar.h"
#include "host/IModifiedReport.h"

#include "win/Window.h"

#include <gtest/gtest.h>

namespace {

// A dialog class as the host has them: both mixins.
class Mixed : public IMRRec, public IMRToolBar {};

LRESULT PlainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND MakeWindow()
{
    win::RegisterWindowClass(win::WindowClass{L"ReportTarget", &PlainProc, nullptr, "static"});
    return CreateWindowExW(0, L"ReportTarget", L"", WS_POPUP, 0, 0, 10, 10, nullptr, 0, nullptr, nullptr);
}

std::vector<MSG> DrainQueue()
{
    std::vector<MSG> messages;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        messages.push_back(msg);
    return messages;
}

} // namespace

TEST(IMRRec, LiveObjectsAreListedUntilTheyGo)
{
    const std::size_t before = IMRRec::GetLiveCount();
    const bool lockedBefore = IMRToolBar::IsToolBarLocked();
    {
        Mixed first;
        Mixed second = first;
        EXPECT_EQ(IMRRec::GetLiveCount(), before + 2);
        const auto list = first.MRGetListIMRRec();
        EXPECT_EQ(list.size(), before + 2);
        EXPECT_EQ(list[list.size() - 2], static_cast<IMRRec*>(&first));
        EXPECT_EQ(list.back(), static_cast<IMRRec*>(&second));
        EXPECT_EQ(second.IMRToolBar::MRGetListIMRToolBar().back(), static_cast<IMRToolBar*>(&second));
        EXPECT_EQ(first.IMRRec::MRGetMang(), static_cast<IMRRec*>(&first));
        EXPECT_TRUE(IMRToolBar::IsToolBarLocked());
    }
    EXPECT_EQ(IMRRec::GetLiveCount(), before);
    EXPECT_EQ(IMRToolBar::IsToolBarLocked(), lockedBefore);
}

TEST(IMRRec, ReportsAreJournalledAndPostedToRegisteredWindows)
{
    IMRRec::ClearReportedCodes();
    DrainQueue();
    HWND registered = MakeWindow();
    HWND other = MakeWindow();
    ASSERT_NE(registered, nullptr);
    EXPECT_TRUE(IModifiedReport::MRInit(registered, 1122));
    EXPECT_FALSE(IModifiedReport::MRInit(nullptr, 1122));

    IMRRec::MReport(256);
    const auto messages = DrainQueue();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].hwnd == registered && messages[0].message == 1122u && messages[0].wParam == 256u);
    EXPECT_EQ(IMRRec::GetReportedCodes(), std::vector<UINT>{256});
    Mixed dialog;
    EXPECT_EQ(dialog.IMRRec::MRGetArray(), std::vector<UINT>{256});

    // A destroyed window is dropped; a re-registration changes the message.
    EXPECT_TRUE(IModifiedReport::MRInit(other, 1000));
    EXPECT_TRUE(IModifiedReport::MRInit(other, 1001));
    DestroyWindow(registered);
    DrainQueue();
    EXPECT_EQ(IModifiedReport::Broadcast(7), 1);
    const auto second = DrainQueue();
    ASSERT_EQ(second.size(), 1u);
    EXPECT_TRUE(second[0].hwnd == other && second[0].message == 1001u);

    IModifiedReport::MRTerm(other);
    EXPECT_EQ(IModifiedReport::Broadcast(7), 0);
    DestroyWindow(other);
    DrainQueue();
}
