// The auxiliary page's tests: the system dialog on a recording host that
// records the feed lengths its recording configuration is given.
#pragma once

#include "core/DlgRequest.h"
#include "host/CurrentProfileScope_test.h"
#include "host/dialogs/CSoftKeybordDlg.h"
#include "host/dialogs/HostTemplate.h"
#include "host/widgets/JogWidget.h"
#include "pages/misc/MiscIds.h"
#include "tests/harness/SystemDialogTest.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace misc_test {

using namespace misc_ids;
using namespace testing_support;
using Zone = JogWidget::Zone;
using Flags = std::vector<DWORD>;

inline constexpr UINT IDD_KEYBOARD = host::IDD_HOST_KEYBOARD, IDD_BROWSE = host::IDD_HOST_BROWSE_FOLDER;

inline std::wstring Stars(std::size_t count) { return std::wstring(count, L'＊'); }

class MiscTest : public SystemDialogTest {
protected:
    MiscTest()
    {
        std::strcpy(host.misc.szScreenCopyFolder, "D:\\");
        previousHook = CONFIG_BASE::SetChangeHook([this](CONFIG_BASE& object, DWORD changes) {
            if (&object == host.sysRec1.get() && (changes & CONFIG_SYSREC::CHANGE_FEED))
                feedLengths.push_back(host.sysRec1->GetFeedLen());
        });
    }
    ~MiscTest() override { CONFIG_BASE::SetChangeHook(previousHook); }

    static void OpenTab(ScriptedOperator& script) { SystemDialogTest::OpenTab(script, 4); }

    static void TapJog(ScriptedOperator& script, int id, Zone zone)
    {
        script.Do(IDD_SYSTEM, "step jog", [id, zone](HWND window) { TapJogZone(window, id, zone); });
    }

    // The keyboard behind a hand button of the password dialog: it opens
    // empty under the entry's caption and masks what is typed.
    static void TypePassword(ScriptedOperator& script, int hand, const std::wstring& text)
    {
        script.Tap(IDD_PASSWORD, hand).Type(IDD_KEYBOARD, text);
        script.Do(IDD_KEYBOARD, "masked", [hand, text](HWND window) {
            EXPECT_EQ(GetWindowTextString(window), hand == IDC_HAND_ENTRY ? L"パスワード入力" : L"パスワード入力(確認)");
            EXPECT_EQ(ControlText(window, CSoftKeybordDlg::kEntryId), Stars(std::min<std::size_t>(text.size(), 15)));
            win::Tap(FindControl(window, IDOK));
        });
    }

    CurrentProfileScope profile{[](InstrumentProfile&) {}};  // the default instrument
    std::vector<DWORD> feedLengths;
    CONFIG_BASE::ChangeHook previousHook;
};

}  // namespace misc_test
