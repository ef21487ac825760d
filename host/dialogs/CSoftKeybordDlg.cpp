#include "host/dialogs/CSoftKeybordDlg.h"

#include "host/dialogs/HostTemplate.h"
#include "win/Screen.h"

#include <algorithm>
#include <cwctype>
#include <mutex>

IMPLEMENT_DYNAMIC(CSoftKeybordDlg, CCBRDialog)

BEGIN_MESSAGE_MAP(CSoftKeybordDlg, CCBRDialog)
    ON_CONTROL_RANGE(BN_CLICKED, CSoftKeybordDlg::kFirstCharKeyId, CSoftKeybordDlg::kClearId, OnKey)
    ON_MESSAGE(WM_CHAR, OnCharMessage)
END_MESSAGE_MAP()

using Result = host::KeyboardText::Result;

namespace {

const wchar_t* const kRows[CSoftKeybordDlg::kKeyRows] = {L"1234567890-", L"qwertyuiop@", L"asdfghjkl;:",
                                                         L"zxcvbnm,./_"};
const wchar_t kShiftedDigits[] = L"!\"#$%&'()~=";

}  // namespace

// The entry field: an edit control whose typing the keyboard takes over, so
// that every character passes the keyboard's limits.
class CSoftKeybordDlg::EntryField : public CWnd {
public:
    explicit EntryField(CSoftKeybordDlg& keyboard) : m_keyboard(keyboard) {}

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_CHAR:
            m_keyboard.OnCharacter(static_cast<wchar_t>(wParam));
            return 0;
        case WM_KEYDOWN:
            // The edit's own editing keys would bypass the limits.
            if (wParam == VK_BACK || wParam == VK_DELETE || wParam == VK_LEFT || wParam == VK_RIGHT ||
                wParam == VK_HOME || wParam == VK_END)
                return 0;
            break;
        default:
            break;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

private:
    CSoftKeybordDlg& m_keyboard;
};

void CSoftKeybordDlg::RegisterKeyboardTemplate(UINT templateId)
{
    // Character keys of 35 x 32 units (52 x 40 pixels), 11 to a row.
    host::TemplateBuilder builder(templateId, L"", 420, 294);
    builder.Edit(kEntryId, 6, 4, 408, 56, ES_MULTILINE)
        .Static(kStatusId, L"", 6, 62, 200, 10)
        .Static(kMessageId, L"", 210, 62, 204, 10);
    for (int row = 0; row < kKeyRows; ++row)
        for (int column = 0; column < kKeysPerRow; ++column)
            builder.Button(kFirstCharKeyId + row * kKeysPerRow + column, std::wstring(1, kRows[row][column]),
                           6 + 37 * column, 76 + 36 * row, 35, 32);
    builder.Button(kShiftId, L"Shift", 6, 220, 70, 32)
        .Button(kSpaceId, L"空白", 78, 220, 110, 32)
        .Button(kBackId, L"BS", 190, 220, 70, 32)
        .Button(kClearId, L"行消去", 262, 220, 70, 32)
        .Button(kEnterId, L"改行", 334, 220, 77, 32)
        .Button(kUpId, L"↑", 6, 256, 70, 32)
        .Button(kDownId, L"↓", 78, 256, 70, 32)
        .Button(IDOK, L"実行", 190, 256, 108, 32, BS_DEFPUSHBUTTON)
        .Button(IDCANCEL, L"キャンセル", 302, 256, 109, 32)
        .Register();
}

CSoftKeybordDlg::CSoftKeybordDlg(CWnd* parent) : CSoftKeybordDlg(host::IDD_HOST_KEYBOARD, parent)
{
    static std::once_flag once;
    std::call_once(once, [] { RegisterKeyboardTemplate(host::IDD_HOST_KEYBOARD); });
}

CSoftKeybordDlg::CSoftKeybordDlg(UINT templateId, CWnd* parent) : CCBRDialog(templateId, parent, true) {}

CSoftKeybordDlg::~CSoftKeybordDlg() = default;

void CSoftKeybordDlg::SetConfigData(LPCWSTR caption, LPCWSTR text, UINT maxLength, bool halfWidthOnly, bool masked,
                                    int lines, int charsPerLine)
{
    m_caption = caption;
    m_halfWidthOnly = halfWidthOnly;
    m_masked = masked;
    m_initial.Configure(maxLength, lines, charsPerLine);
    m_initial.SetText(text ? text : L"");
    m_confirmed = m_initial.GetText();
}

void CSoftKeybordDlg::InitFocusLine(int line) { m_initial.FocusLine(line); }

CString CSoftKeybordDlg::GetStrings() const { return CString(m_confirmed); }

const wchar_t* CSoftKeybordDlg::KeyRow(int row) const { return kRows[row]; }

bool CSoftKeybordDlg::AcceptsCharacter(wchar_t character, std::wstring& why) const
{
    if (character < 0x20 || character == 0x7F) {
        why.clear();
        return false;
    }
    if (m_halfWidthOnly && character > 0x7E) {
        why = host::HostText(host::IDD_HOST_KEYBOARD, 10, L"半角文字のみ入力できます");
        return false;
    }
    return true;
}

BOOL CSoftKeybordDlg::OnInitDialog()
{
    CCBRDialog::OnInitDialog();
    SetWindowText(m_caption);
    SetDlgItemText(IDOK, host::CommonText(2).c_str());
    SetDlgItemText(IDCANCEL, host::CommonText(3).c_str());
    SetDlgItemText(kSpaceId, host::HostText(host::IDD_HOST_KEYBOARD, 1, L"空白"));
    SetDlgItemText(kClearId, host::HostText(host::IDD_HOST_KEYBOARD, 2, L"行消去"));
    SetDlgItemText(kEnterId, host::HostText(host::IDD_HOST_KEYBOARD, 3, L"改行"));
    m_work = m_initial;
    m_shift = false;
    m_entry = std::make_unique<EntryField>(*this);
    m_entry->SubclassDlgItem(kEntryId, this);
    // The panel draws the cursor where the next character goes.
    win::SetDescribeHook(m_entry->m_hWnd, [this](win::ScreenControl& control) {
        control.extra.emplace_back("caret", std::to_wstring(m_caret));
    });
    bool multiLine = m_work.IsMultiLine();
    for (int id : {kEnterId, kUpId, kDownId})
        ::ShowWindow(::GetDlgItem(m_hWnd, id), multiLine ? SW_SHOW : SW_HIDE);
    LabelKeys();
    Refresh();
    // Typed text goes to the entry field.
    ::SetFocus(::GetDlgItem(m_hWnd, kEntryId));
    return FALSE;
}

wchar_t CSoftKeybordDlg::KeyCharacter(int index) const
{
    int row = index / kKeysPerRow;
    int column = index % kKeysPerRow;
    wchar_t character = KeyRow(row)[column];
    if (!m_shift)
        return character;
    if (row == 0 && character >= L'0' && character <= L'9')
        return kShiftedDigits[column];
    return static_cast<wchar_t>(std::towupper(character));
}

void CSoftKeybordDlg::LabelKeys()
{
    for (int index = 0; index < kKeyRows * kKeysPerRow; ++index) {
        wchar_t label[2] = {KeyCharacter(index), L'\0'};
        SetDlgItemText(kFirstCharKeyId + index, label);
    }
}

BOOL CSoftKeybordDlg::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYDOWN && (msg->hwnd == m_hWnd || ::IsChild(m_hWnd, msg->hwnd))) {
        switch (msg->wParam) {
        case VK_RETURN:
            // A one-line keyboard confirms with Enter, as the dialog does.
            if (!m_work.IsMultiLine())
                break;
            Report(m_work.NewLine());
            return TRUE;
        case VK_UP:
            Report(m_work.Up());
            return TRUE;
        case VK_DOWN:
            Report(m_work.Down());
            return TRUE;
        case VK_LEFT: Report(m_work.Left()); return TRUE;
        case VK_RIGHT: Report(m_work.Right()); return TRUE;
        case VK_HOME: Report(m_work.Home()); return TRUE;
        case VK_END: Report(m_work.End()); return TRUE;
        case VK_DELETE: Report(m_work.Delete()); return TRUE;
        default:
            break;
        }
    }
    return CCBRDialog::PreTranslateMessage(msg);
}

LRESULT CSoftKeybordDlg::OnCharMessage(WPARAM character, LPARAM)
{
    OnCharacter(static_cast<wchar_t>(character));
    return 0;
}

void CSoftKeybordDlg::OnCharacter(wchar_t character)
{
    if (character == L'\b') {
        Report(m_work.Back());
        return;
    }
    if (character == L'\r' || character == L'\n') {
        if (m_work.IsMultiLine())
            Report(m_work.NewLine());
        return;
    }
    std::wstring why;
    if (!AcceptsCharacter(character, why)) {
        SetDlgItemText(kMessageId, why.c_str());
        return;
    }
    Report(m_work.Insert(character));
}

void CSoftKeybordDlg::OnKey(UINT id)
{
    int key = static_cast<int>(id);
    if (key >= kFirstCharKeyId && key < kFirstCharKeyId + kKeyRows * kKeysPerRow) {
        OnCharacter(KeyCharacter(key - kFirstCharKeyId));
    } else {
        switch (key) {
        case kShiftId:
            m_shift = !m_shift;
            LabelKeys();
            break;
        case kSpaceId: OnCharacter(L' '); break;
        case kBackId: Report(m_work.Back()); break;
        case kEnterId: Report(m_work.NewLine()); break;
        case kUpId: Report(m_work.Up()); break;
        case kDownId: Report(m_work.Down()); break;
        case kClearId: Report(m_work.ClearLine()); break;
        default: break;
        }
    }
    // A key button must not keep the typing target.
    if (m_hWnd)
        ::SetFocus(::GetDlgItem(m_hWnd, kEntryId));
}

void CSoftKeybordDlg::Report(Result result)
{
    const wchar_t* message = L"";
    switch (result) {
    case Result::TooLong: message = host::HostText(host::IDD_HOST_KEYBOARD, 11, L"文字数の上限です"); break;
    case Result::LineFull: message = host::HostText(host::IDD_HOST_KEYBOARD, 12, L"1行の文字数の上限です"); break;
    case Result::NoMoreLines: message = host::HostText(host::IDD_HOST_KEYBOARD, 13, L"行数の上限です"); break;
    case Result::Done:
    case Result::Nothing: break;
    }
    SetDlgItemText(kMessageId, message);
    Refresh();
}

void CSoftKeybordDlg::Refresh()
{
    // The entry field has room for a few lines: a long text shows the ones
    // up to the cursor's, so the line being edited is always in view.
    std::wstring shown;
    const auto& lines = m_work.Lines();
    const int cursor = m_work.CursorLine();
    const size_t first = static_cast<size_t>(std::clamp(cursor - (kShownLines - 1), 0,
                                                        std::max(0, static_cast<int>(lines.size()) - kShownLines)));
    for (size_t index = first; index < lines.size() && index < first + kShownLines; ++index) {
        if (index > first)
            shown += L"\r\n";
        if (index == static_cast<size_t>(cursor))
            m_caret = shown.size() + static_cast<size_t>(m_work.CursorColumn());
        shown += m_masked ? std::wstring(lines[index].size(), L'＊') : lines[index];
    }
    SetDlgItemText(kEntryId, shown.c_str());
    // A move of the cursor alone changes no text, but what the entry shows.
    ::InvalidateRect(::GetDlgItem(m_hWnd, kEntryId), nullptr, FALSE);

    std::wstring status = std::to_wstring(m_work.Length());
    if (m_work.MaxLength() != host::KeyboardText::kUnlimited)
        status += L"/" + std::to_wstring(m_work.MaxLength());
    status += host::HostText(host::IDD_HOST_KEYBOARD, 14, L" 文字");
    if (m_work.IsMultiLine())
        status += host::HostText(host::IDD_HOST_KEYBOARD, 15, L"  行 ") + std::to_wstring(m_work.CursorLine() + 1) + L"/" + std::to_wstring(m_work.MaxLines());
    if (m_work.MaxLineLength() > 0)
        status += L"  (" + std::to_wstring(lines[static_cast<size_t>(m_work.CursorLine())].size()) + L"/" +
                  std::to_wstring(m_work.MaxLineLength()) + L")";
    SetDlgItemText(kStatusId, status.c_str());
}

void CSoftKeybordDlg::OnOK()
{
    m_confirmed = m_work.GetText();
    EndDialog(IDOK);
}
