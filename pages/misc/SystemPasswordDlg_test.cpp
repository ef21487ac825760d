// The key-lock password dialog, opened from the auxiliary page.
#include "pages/misc/MiscTestSupport.h"

#include "core/DlgRequest.h"

namespace {

using namespace misc_test;

const std::wstring kFace = L"\U0001F600";  // two UTF-16 units

std::wstring Repeat(const std::wstring& text, int times)
{
    std::wstring repeated;
    for (int i = 0; i < times; ++i)
        repeated += text;
    return repeated;
}

std::wstring Stars(std::size_t count) { return std::wstring(count, L'＊'); }

TEST_F(MiscTest, EntriesAreMaskedAndOkWaitsForTheConfirmation)
{
    SetPassword(L"abcd");
    ScriptedOperator script;
    OpenTab(script);
    script.Tap(IDD_SYSTEM, IDC_BUTTON_PASSWORD);
    script.Do(IDD_PASSWORD, "the stored password, masked", [](HWND window) {
        EXPECT_EQ(GetWindowTextString(window), L"パスワード設定");
        EXPECT_EQ(ControlText(window, 17151) + ControlText(window, 17152), L"パスワード入力パスワード入力(確認)");
        EXPECT_EQ(ControlText(window, IDC_STATIC_ENTRY), Stars(4));
        EXPECT_EQ(ControlText(window, IDC_STATIC_CONFIRM), Stars(4));
        EXPECT_TRUE(Enabled(window, IDOK));
    });
    script.Tap(IDD_PASSWORD, IDC_HAND_ENTRY);
    script.Do(IDD_KEYBOARD, "an empty keyboard", [](HWND window) {
        EXPECT_EQ(GetWindowTextString(window), L"パスワード入力");
        EXPECT_EQ(ControlText(window, CSoftKeybordDlg::kEntryId), L"");
    });
    script.Type(IDD_KEYBOARD, L"wxyz1");
    script.Do(IDD_KEYBOARD, "typed, masked", [](HWND window) {
        EXPECT_EQ(ControlText(window, CSoftKeybordDlg::kEntryId), Stars(5));
    });
    script.Tap(IDD_KEYBOARD, IDOK);
    script.Do(IDD_PASSWORD, "the entries differ", [](HWND window) {
        EXPECT_EQ(ControlText(window, IDC_STATIC_ENTRY), Stars(5));
        EXPECT_EQ(ControlText(window, IDC_STATIC_CONFIRM), Stars(4));
        EXPECT_FALSE(Enabled(window, IDOK));
    });
    script.Tap(IDD_PASSWORD, IDC_HAND_CONFIRM);
    script.Do(IDD_KEYBOARD, "the confirmation's keyboard", [](HWND window) {
        EXPECT_EQ(GetWindowTextString(window), L"パスワード入力(確認)");
    });
    script.Type(IDD_KEYBOARD, L"WXYZ1").Tap(IDD_KEYBOARD, IDOK);
    script.Do(IDD_PASSWORD, "case counts", [](HWND window) { EXPECT_FALSE(Enabled(window, IDOK)); });
    TypePassword(script, IDC_HAND_CONFIRM, L"wxyz1");
    script.Do(IDD_PASSWORD, "confirmed", [](HWND window) { EXPECT_TRUE(Enabled(window, IDOK)); });
    script.Tap(IDD_PASSWORD, IDOK);
    Run(script);
    EXPECT_EQ(Password(), L"wxyz1");
    EXPECT_EQ(receiver.ChangeFlags(), std::vector<DWORD>{CHG_PASSWORD});
}

TEST_F(MiscTest, OnlyAChangedConfirmedPasswordIsStoredAndReported)
{
    enum Hand { Entry = IDC_HAND_ENTRY, Confirm = IDC_HAND_CONFIRM };
    struct Typing { Hand hand; std::wstring text; bool refused = false; };
    struct Case { const char* what; std::wstring stored; std::vector<Typing> typed; int button; std::wstring kept; bool reported; };
    const Case cases[] = {
        {"OK alone", L"abcd", {}, IDOK, L"abcd", false},
        {"the stored password again", L"abcd", {{Entry, L"abcd"}, {Confirm, L"abcd"}}, IDOK, L"abcd", false},
        {"changed and typed back", L"abcd", {{Entry, L"new"}, {Entry, L"abcd"}}, IDOK, L"abcd", true},
        {"both emptied", L"abcd", {{Entry, L""}, {Confirm, L""}}, IDOK, L"", true},
        {"cancelled", L"abcd", {{Entry, L"zz"}, {Confirm, L"zz"}}, IDCANCEL, L"abcd", false},
        {"sixteen typed, fifteen taken", L"", {{Entry, L"ABCDEFGHIJKLMNOP"}, {Confirm, L"ABCDEFGHIJKLMNO"}}, IDOK,
         L"ABCDEFGHIJKLMNO", true},
        {"sixteen units refused, fifteen fit", L"abcd",
         {{Entry, Repeat(kFace, 8), true}, {Entry, Repeat(kFace, 7) + L"a"}, {Confirm, Repeat(kFace, 7) + L"a"}},
         IDOK, Repeat(kFace, 7) + L"a", true},
    };
    for (const Case& c : cases) {
        SetPassword(c.stored);
        ScriptedOperator script;
        OpenTab(script);
        script.Tap(IDD_SYSTEM, IDC_BUTTON_PASSWORD);
        for (const Typing& typing : c.typed) {
            TypePassword(script, typing.hand, typing.text);
            if (typing.refused)
                AnswerPopup(script, L"パスワード入力", L"パスワードが長すぎます。", IDOK);
        }
        script.Tap(IDD_PASSWORD, c.button);
        Run(script);
        EXPECT_EQ(Password(), c.kept) << c.what;
        EXPECT_EQ(receiver.ChangeFlags(), c.reported ? std::vector<DWORD>{CHG_PASSWORD} : std::vector<DWORD>{})
            << c.what;
    }
}

}  // namespace
