// The host's own main screen: a small window with a "システム" button that
// opens the system dialog, as the instrument's main screen does. The system
// dialog runs with this window as its owner, so the window is disabled (and
// drawn dimmed) while the dialog is open.
#pragma once

#include "win/Dialog.h"

class HostMainWindow : public CDialog {
public:
    static constexpr UINT IDD = 31000;          // template, registered in code
    static constexpr int IDC_SYSTEM = 31001;    // the "システム" button
    static constexpr int IDC_MESSAGE = 31002;

    HostMainWindow();

    // Registers the template (idempotent) and creates the window, shown.
    BOOL CreateMainScreen();

    // True once after the operator pressed "システム".
    bool TakeOpenRequest();
    // Sets the texts in the language in force (at creation, after a switch).
    void ShowTexts();

protected:
    void OnBnClickedSystem();
    // The main screen is never closed by Enter or Escape.
    void OnOK() override {}
    void OnCancel() override {}

    DECLARE_MESSAGE_MAP()

private:
    static void RegisterTemplate();

    bool m_openRequested = false;
};
