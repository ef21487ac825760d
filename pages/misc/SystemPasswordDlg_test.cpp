// The key-lock password dialog, opened from the auxiliary page.
#include "pages/misc/MiscTestSupport.h"

namespace {

using namespace misc_test;

TEST_F(MiscTest, OnlyAChangedConfirmedPasswordIsStoredAndReported)
{
    const std::wstring faces7 = L"\U0001F600\U0001F600\U0001F600\U0001F600\U0001F600\U0001F600\U0001F600";
    enum Hand { Entry = IDC_HAND_ENTRY, Confirm = IDC_HAND_CONFIRM };
    struct Typing { Hand hand; std::wstring text; bool refused = false; };
    // What is typed, the masks and OK then, the button pressed, the password kept.
    struct Case { std::wstring stored; std::vector<Typing> typed; std::size_t stars1, stars2; bool ok;
                  int button; std::wstring kept; bool reported; };
    const Case cases[] = {
        {L"abcd", {}, 4, 4, true, IDOK, L"abcd", false},
        {L"abcd", {{Entry, L"wxyz1"}}, 5, 4, false, IDCANCEL, L"abcd", false},
        {L"abcd", {{Entry, L"wxyz1"}, {Confirm, L"WXYZ1"}}, 5, 5, false, IDCANCEL, L"abcd", false},
        {L"abcd", {{Entry, L"wxyz1"}, {Confirm, L"wxyz1"}}, 5, 5, true, IDOK, L"wxyz1", true},
        {L"abcd", {{Entry, L"abcd"}, {Confirm, L"abcd"}}, 4, 4, true, IDOK, L"abcd", false},
        {L"abcd", {{Entry, L"new"}, {Entry, L"abcd"}}, 4, 4, true, IDOK, L"abcd", true},
        {L"abcd", {{Entry, L""}, {Confirm, L""}}, 0, 0, true, IDOK, L"", true},
        {L"", {{Entry, L"ABCDEFGHIJKLMNOP"}, {Confirm, L"ABCDEFGHIJKLMNO"}}, 15, 15, true, IDOK, L"ABCDEFGHIJKLMNO", true},
        // Eight faces are sixteen UTF-16 units: refused with a notice.
        {L"abcd", {{Entry, faces7 + L"\U0001F600", true}, {Entry, faces7 + L"a"}, {Confirm, faces7 + L"a"}}, 8, 8,
         true, IDOK, faces7 + L"a", true},
    };
    for (const Case& c : cases) {
        win::CopyToUtf16Buffer(c.stored, host.misc.szPassword);
        ScriptedOperator script;
        OpenTab(script);
        script.Tap(IDD_SYSTEM, IDC_BUTTON_PASSWORD);
        for (const Typing& typing : c.typed) {
            TypePassword(script, typing.hand, typing.text);
            if (typing.refused)
                AnswerPopup(script, L"パスワード入力", L"パスワードが長すぎます。", IDOK);
        }
        script.Do(IDD_PASSWORD, "masked entries", [&](HWND window) {
            EXPECT_EQ(GetWindowTextString(window), L"パスワード設定");
            EXPECT_EQ(ControlText(window, IDC_STATIC_ENTRY), Stars(c.stars1));
            EXPECT_EQ(ControlText(window, IDC_STATIC_CONFIRM), Stars(c.stars2));
            EXPECT_EQ(Enabled(window, IDOK), c.ok);
        });
        script.Tap(IDD_PASSWORD, c.button);
        Run(script);
        EXPECT_EQ(win::Utf16FieldToWide(host.misc.szPassword, 16), c.kept) << win::WideToUtf8(c.kept);
        EXPECT_EQ(receiver.ChangeFlags(), c.reported ? Flags{CHG_PASSWORD} : Flags{}) << win::WideToUtf8(c.kept);
    }
}

}  // namespace
