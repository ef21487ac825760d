// A small dialog with one control of each kind the touch-panel API must
// handle, run modally on a UI thread of its own with a TouchPanel as the
// input driver: the API's and the HTTP server's tests drive it.
#pragma once

#include "ScreenJson.h"
#include "TouchPanel.h"
#include "resources/TemplateParser.h"
#include "win/Dialog.h"
#include "win/Input.h"
#include "win/TextConvert.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

// One control of each kind the API must handle.
constexpr const char* kTemplate = R"(dialog 31900
caption "試験"
font "ＭＳ ゴシック" 9
style popup caption modalframe
size 200 170
100  button            10    5  80  16  "押す"
101  checkbox          10   25  80  16  "確認"
102  button disabled   10   45  80  16  "無効"
103  button hidden     10   65  80  16  "隠れ"
104  listbox notify    10   85  80  16  ""
105  edit              10  125  80  16  ""
106  button            10  145  80  16  "遅い"
)";

class PanelTestDialog : public CDialog {
public:
    static constexpr UINT IDD = 31900;
    static constexpr int IDC_BUTTON = 100;
    static constexpr int IDC_CHECK = 101;
    static constexpr int IDC_DISABLED = 102;
    static constexpr int IDC_HIDDEN = 103;
    static constexpr int IDC_LIST = 104;
    static constexpr int IDC_EDIT = 105;
    static constexpr int IDC_SLOW = 106;

    PanelTestDialog() : CDialog(IDD, nullptr) {}

    std::atomic<int> buttonTaps{0};
    std::atomic<int> disabledTaps{0};
    std::atomic<int> hiddenTaps{0};
    std::chrono::milliseconds slowFor{0};

    static void RegisterTemplate()
    {
        resources::TemplateParseResult parsed = resources::ParseDialogTemplate(kTemplate, "panel-test.dlg");
        ASSERT_TRUE(parsed.ok()) << win::WideToUtf8(parsed.error);
        win::RegisterDialogTemplate(*parsed.dialog);
    }

protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        for (const wchar_t* row : {L"一", L"二", L"三"})
            ::SendMessageW(::GetDlgItem(m_hWnd, IDC_LIST), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row));
        return TRUE;
    }
    void OnButton() { ++buttonTaps; }
    void OnDisabled() { ++disabledTaps; }
    void OnHidden() { ++hiddenTaps; }
    // An action that keeps the UI busy, then shows that it is done.
    void OnSlow()
    {
        std::this_thread::sleep_for(slowFor);
        SetDlgItemText(IDC_SLOW, L"済");
    }

    DECLARE_MESSAGE_MAP()
};


// Runs a PanelTestDialog modally on a thread of its own, with a TouchPanel
// installed as the input driver, until destroyed.
class PanelTestUi {
public:
    PanelTestUi()
    {
        PanelTestDialog::RegisterTemplate();
        m_thread = std::thread([this] {
            while (!m_start)
                std::this_thread::yield();
            m_dialog.DoModal();
        });
        m_panel = std::make_unique<TouchPanel>(m_thread.get_id(), [] { return std::string("{\"test\":true}"); });
        win::SetInputDriver(m_panel.get());
        m_start = true;
        // The dialog is up once the first screen is published.
        m_panel->WaitForVersionAfter(0, std::chrono::seconds(20));
        m_panel->Run(
            [this] {
                m_window = m_dialog.m_hWnd;
                return TouchPanel::CommandResult{};
            },
            std::chrono::seconds(20));
    }
    ~PanelTestUi()
    {
        m_panel->Run(
            [this] {
                m_dialog.EndDialog(IDCANCEL);
                return TouchPanel::CommandResult{};
            },
            std::chrono::seconds(20), false);
        m_thread.join();
        win::SetInputDriver(nullptr);
        m_panel->Close();
    }

    TouchPanel& Panel() { return *m_panel; }
    PanelTestDialog& Dialog() { return m_dialog; }
    HWND DialogWindow() const { return m_window.load(); }
    std::uint64_t DialogHandle() const { return ScreenJson::HandleNumber(DialogWindow()); }

private:
    PanelTestDialog m_dialog;
    std::unique_ptr<TouchPanel> m_panel;
    std::atomic<bool> m_start{false};
    std::atomic<HWND> m_window{nullptr};
    std::thread m_thread;
};

