// The print settings dialog: chart grid, amplitude-axis scale, the seven
// print switches and the three sets of texts printed on the chart (signal
// names, user annotation, measurement information), edited through the
// host's soft keyboard. Every change is written at once; the dialog has no
// cancel, and the recording page reports the change after it closes.
#pragma once

#include "host/dialogs/CCBRDialog.h"
#include "host/widgets/CPushSwitch.h"
#include "win/controls/CButton.h"
#include "win/controls/CListCtrl.h"

#include <functional>
#include <string>

class CONFIG_SYSREC;

class CSystemPrintDlg : public CCBRDialog {
public:
    DECLARE_DYNAMIC(CSystemPrintDlg)

    explicit CSystemPrintDlg(CWnd* parent = nullptr);
    ~CSystemPrintDlg() override;

    // 1 and stored; 0 and nothing stored for a null pointer.
    int SetConfig(CONFIG_SYSREC* config);

    // Cuts a soft keyboard's text into lines (separated by CR LF) and stores
    // each as soon as it is cut, at most `lines` of them. Where no line break
    // is left, the rest of the text is the last line stored: the lines after
    // it keep their texts.
    using LineStore = std::function<void(int line, const std::wstring& text)>;
    static void SplitLines(const std::wstring& text, int lines, const LineStore& store);

    static constexpr int kGridButtons = 5;
    static constexpr int kScaleButtons = 3;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnInitDialog() override;

    void OnBnClickedGrid(UINT id);
    void OnBnClickedScale(UINT id);
    void OnBnClickedPrintSwitch(UINT id);
    void OnNMClickSigLabel(NMHDR* header, LRESULT* result);
    void OnNMClickAnnotation(NMHDR* header, LRESULT* result);
    void OnNMClickMeasInfo(NMHDR* header, LRESULT* result);

    DECLARE_MESSAGE_MAP()

private:
    // One of the three lists: how many lines of how many characters an edit
    // takes, and how a line is read and stored.
    struct TextSet {
        int lines;
        int width;
        std::function<CString(int line)> get;
        std::function<void(int line, const wchar_t* text)> set;
    };

    void SetTexts();
    void CreateColumns();
    void FillRows();
    void ShowSigLabels(int channel);
    void ShowAnnotations();
    void ShowMeasInfo();
    void ShowButtons();
    void EnableLists();
    // Runs the soft keyboard on the set's stored lines and stores what the
    // operator confirmed. False when the keyboard was not confirmed.
    bool EditLines(const TextSet& set, const wchar_t* caption, int focusLine);
    static int ClickedRow(const NMHDR* header);

    CButton m_checkSwitch[7];
    CListCtrl m_listSigLabel;
    CListCtrl m_listAnnotation;
    CListCtrl m_listMeasInfo;
    CPushSwitch m_gridButton[kGridButtons];
    CPushSwitch m_scaleButton[kScaleButtons];
    int m_nGridIndex = 0;
    int m_nScaleIndex = 0;
    CONFIG_SYSREC* m_pConfig = nullptr;
};
