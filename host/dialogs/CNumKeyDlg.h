// The host's number pad. The operator enters a number with the keys (or
// types digits, '.', '-', '+', backspace) and confirms with "実行" (IDOK).
// A value outside [minimum, maximum], or a text that is no number, is
// refused: the pad says why in its message line and stays open.
//
// Entry: the display starts with the current value in the caller's format;
// the first digit or point replaces it, the sign key and backspace edit it.
// Confirming without any key keeps the current value.
//
// SetConfigData's last argument: 1 accepts whole numbers only (the point key
// is disabled), anything else accepts decimals. The constructor's flag: true
// puts the pad in the middle of the panel, false over its parent's window.
#pragma once

#include "host/dialogs/CCBRDialog.h"
#include "win/CString.h"

#include <string>

class CNumKeyDlg : public CCBRDialog {
public:
    DECLARE_DYNAMIC(CNumKeyDlg)

    explicit CNumKeyDlg(CWnd* parent = nullptr, bool centreOnPanel = true);
    ~CNumKeyDlg() override;

    void SetConfigData(LPCWSTR unit, LPCWSTR format, double value, double maximum, double minimum, int inputMode);
    void SetCaptionMessage(LPCWSTR caption);
    // The confirmed number; the initial value until the pad was confirmed.
    double GetValue() const { return m_value; }

    static constexpr int kCaptionId = 30010;
    static constexpr int kDisplayId = 30011;
    static constexpr int kUnitId = 30012;
    static constexpr int kRangeId = 30013;
    static constexpr int kMessageId = 30014;
    static constexpr int kDigitId = 30100;  // 30100 + digit
    static constexpr int kPointId = 30110;
    static constexpr int kSignId = 30111;
    static constexpr int kClearId = 30112;
    static constexpr int kBackId = 30113;
    static constexpr size_t kMaxEntryLength = 16;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnKey(UINT id);
    LRESULT OnCharMessage(WPARAM character, LPARAM);

    DECLARE_MESSAGE_MAP()

private:
    void Digit(wchar_t digit);
    void Point();
    void ToggleSign();
    void Clear();
    void Back();
    // The entry starts from the shown value when the operator edits it.
    void StartEditing(bool fromShownValue);
    std::wstring ShownValue() const;
    std::wstring FormatNumber(double value) const;
    // "min ～ max"
    std::wstring RangeText() const;
    void ShowEntry();
    void ShowMessage(const std::wstring& message);

    CString m_caption;
    std::wstring m_unit;
    std::wstring m_format = L"%g";
    double m_value = 0.0;
    double m_maximum = 0.0;
    double m_minimum = 0.0;
    int m_inputMode = 0;
    bool m_centreOnPanel;
    bool m_fresh = true;  // no key yet: the display shows the current value
    std::wstring m_entry;
};
