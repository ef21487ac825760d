// The host's selector: a title and a grid of choices, one of which the
// operator picks and confirms with "実行" (IDOK); "キャンセル" (IDCANCEL)
// leaves the choice as it was.
//
// Initialize(count, labels, columns, rows, itemWidth, itemHeight): the
// choices are latching switches of itemWidth x itemHeight pixels, `columns`
// to a row, and the grid keeps room for at least `rows` rows. Values outside
// sensible touch sizes are brought into range (columns 1..8, rows 1..8,
// width 40..300, height 32..120; zero or negative values take 3, 1, 80, 40).
#pragma once

#include "host/dialogs/CCBRDialog.h"
#include "host/widgets/CPushSwitch.h"
#include "win/CString.h"

#include <memory>
#include <string>
#include <vector>

class CSelectorDlg : public CCBRDialog {
public:
    DECLARE_DYNAMIC(CSelectorDlg)

    explicit CSelectorDlg(CWnd* parent = nullptr);
    ~CSelectorDlg() override;

    void Initialize(int count, const wchar_t* const* labels, int columns, int rows, int itemWidth, int itemHeight);
    void SetTitleText(LPCWSTR title);
    // Preselects a choice (-1 or out of range: none).
    void SetSelect(int index);
    // The chosen index; after a cancelled run, the preselection.
    int GetSelectedValue() const { return m_confirmed; }

    static constexpr int kTitleId = 30010;
    static constexpr int kFirstItemId = 30300;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnItem(UINT id);

    DECLARE_MESSAGE_MAP()

private:
    void ShowSelection();
    void LayOut();

    std::vector<std::wstring> m_labels;
    std::vector<std::unique_ptr<CPushSwitch>> m_switches;
    CString m_title;
    int m_columns = 3;
    int m_rows = 1;
    int m_itemWidth = 80;
    int m_itemHeight = 40;
    int m_selected = -1;   // while the dialog runs
    int m_confirmed = -1;  // what GetSelectedValue reports
};
