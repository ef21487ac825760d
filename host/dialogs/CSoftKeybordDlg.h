// The host's soft keyboard. The operator types on the key buttons (or with
// WM_CHAR to the entry field, which has the focus) and confirms with "実行"
// (IDOK); GetStrings then returns the text, lines joined by CR LF.
//
// SetConfigData(caption, text, maxLength, halfWidthOnly, masked, lines,
// charsPerLine):
//   maxLength     characters in all; 0xFFFFFFFF = unlimited.
//   halfWidthOnly only half-width characters (U+0020..U+007E) are taken.
//   masked        the entry shows "＊" for every character (passwords).
//   lines         the most lines; below 2 (the -1 of one-line entries) one line.
//   charsPerLine  characters per line; 0 or less (-1) = no limit per line.
// The status line shows the count against the limits; a key that would pass
// a limit is refused and the message line says which limit. See KeyboardText
// for the line keys; on a one-line keyboard Enter confirms. The computer's
// arrow, Home, End, Delete and Backspace keys edit the entry as its keys do;
// the screen shows the entry's cursor as the extra "caret" (a character
// offset into its text).
#pragma once

#include "host/dialogs/CCBRDialog.h"
#include "host/dialogs/KeyboardText.h"
#include "win/CString.h"

#include <memory>
#include <string>

class CSoftKeybordDlg : public CCBRDialog {
public:
    DECLARE_DYNAMIC(CSoftKeybordDlg)

    explicit CSoftKeybordDlg(CWnd* parent = nullptr);
    ~CSoftKeybordDlg() override;

    void SetConfigData(LPCWSTR caption, LPCWSTR text, UINT maxLength, bool halfWidthOnly, bool masked, int lines,
                       int charsPerLine);
    // The line the cursor starts on (0 = first).
    void InitFocusLine(int line);
    // The confirmed text; before a confirmation, the initial text within the limits.
    CString GetStrings() const;

    static constexpr int kEntryId = 30011;
    static constexpr int kStatusId = 30012;
    static constexpr int kMessageId = 30013;
    static constexpr int kFirstCharKeyId = 30100;  // 4 rows of 11 keys
    static constexpr int kKeyRows = 4;
    static constexpr int kKeysPerRow = 11;
    static constexpr int kShiftId = 30150;
    static constexpr int kSpaceId = 30151;
    static constexpr int kBackId = 30152;
    static constexpr int kEnterId = 30153;
    static constexpr int kUpId = 30154;
    static constexpr int kDownId = 30155;
    static constexpr int kClearId = 30156;
    // Lines the entry field shows at once.
    static constexpr int kShownLines = 4;

    // Typed characters arriving at the entry field or the dialog.
    void OnCharacter(wchar_t character);

protected:
    CSoftKeybordDlg(UINT templateId, CWnd* parent);

    // Whether this keyboard takes `character`; `why` is shown when not.
    virtual bool AcceptsCharacter(wchar_t character, std::wstring& why) const;
    // The characters of the key rows, unshifted (kKeyRows strings of kKeysPerRow).
    virtual const wchar_t* KeyRow(int row) const;

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    void OnOK() override;
    void OnKey(UINT id);
    LRESULT OnCharMessage(WPARAM character, LPARAM);

    DECLARE_MESSAGE_MAP()

    static void RegisterKeyboardTemplate(UINT templateId);

private:
    class EntryField;

    wchar_t KeyCharacter(int index) const;
    void LabelKeys();
    void Report(host::KeyboardText::Result result);
    void Refresh();

    CString m_caption;
    bool m_halfWidthOnly = false;
    bool m_masked = false;
    host::KeyboardText m_initial;  // as configured
    host::KeyboardText m_work;     // while the keyboard runs
    std::wstring m_confirmed;
    size_t m_caret = 0;  // where the cursor is in the entry field's text
    bool m_shift = false;
    std::unique_ptr<EntryField> m_entry;
};
