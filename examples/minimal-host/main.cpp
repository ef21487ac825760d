// minimal-host: the smallest host application of the system dialog. It owns
// the instrument's configuration (the record and everything it points to),
// receives the dialog's requests, runs the dialog modally on its own thread
// and, having no touch panel, lets a scripted operator work it: open the
// recording page, type a new data number on the number pad, tick the buzzer
// on the auxiliary page and close. Then it checks what it was told and what
// its configuration now holds, and exits 0 when both are right, 1 otherwise.
//
//   minimal-host [--texts TABLE] [--profile PROFILE]
#include "OperatorScript.h"
#include "PrintingReceiver.h"

#include "core/SystemDlg.h"
#include "host/ConfigSysMeas.h"
#include "host/ConfigSysRec.h"
#include "host/InstrumentProfile.h"
#include "host/TextService.h"
#include "host/dialogs/HostTemplate.h"
#include "win/Drives.h"
#include "win/TextConvert.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

namespace {

// Template and control ids of the dialog, as its templates number them.
constexpr UINT IDD_SYSTEM = 17000;
constexpr UINT IDD_NUMBER_PAD = host::IDD_HOST_NUMKEY;
constexpr int IDC_TAB = 17000;
constexpr int IDC_BUTTON_CLOSE = 17045;
constexpr int IDC_HAND_DATA_NO = 17119;    // recording page: "手" beside the data number
constexpr int IDC_STATIC_DATA_NO = 17132;  // recording page: the data number shown
constexpr int IDC_CHECK_BUZZER = 17068;    // auxiliary page
constexpr int TAB_RECORDING = 2, TAB_MISC = 4;

// The instrument's configuration as this host keeps it. The record holds
// pointers only; the host owns what they point to for as long as the dialog
// lives. The blocks start with values the pages can show (a display-off
// delay of 0 minutes is not one of them).
struct InstrumentConfiguration {
    InstrumentConfiguration()
    {
        std::strcpy(currentFolder, "D:\\");
        misc.dwAutoOffDelay = 10;
        record = T_CONFIG_SYSTEM{&sysMeas, currentFolder, sysRec1.get(), sysRec2.get(), &comm, &misc};
    }

    CONFIG_SYSMEAS sysMeas;
    char currentFolder[CURRENT_FOLDER_SIZE] = {};
    std::unique_ptr<CONFIG_SYSREC> sysRec1 = std::make_unique<CONFIG_SYSREC>();  // 85 kB each
    std::unique_ptr<CONFIG_SYSREC> sysRec2 = std::make_unique<CONFIG_SYSREC>();
    T_CONFIG_COMM comm{};
    T_CONFIG_MISC misc{};
    T_CONFIG_SYSTEM record{};
};

// The instrument's drives C:, D: and E: as folders of a fresh data root.
class DataRoot {
public:
    DataRoot()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "minimal-host-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            return;
        m_path = pattern;
        for (const char* drive : {"C", "D", "E"})
            std::filesystem::create_directory(m_path / drive);
        // The file page opens in the process's current directory, which
        // mapping a root sets to C:\; the host's folder is D:\.
        m_mapped = win::Drives::SetDataRoot(m_path.string()) && win::Drives::SetCurrentDirectory(L"D:\\");
    }
    ~DataRoot()
    {
        win::Drives::SetDataRoot("");
        std::error_code ignored;
        if (!m_path.empty())
            std::filesystem::remove_all(m_path, ignored);
    }
    bool Mapped() const { return m_mapped; }

private:
    std::filesystem::path m_path;
    bool m_mapped = false;
};

bool LoadOptions(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (i + 1 >= argc || (option != "--texts" && option != "--profile")) {
            std::fprintf(stderr, "usage: minimal-host [--texts TABLE] [--profile PROFILE]\n");
            return false;
        }
        const std::string path = argv[++i];
        std::string error;
        if (option == "--texts" && !GetTextServiceObject()->LoadTable(path, &error)) {
            std::fprintf(stderr, "minimal-host: text table %s: %s\n", path.c_str(), error.c_str());
            return false;
        }
        if (option == "--profile") {
            InstrumentProfile profile = InstrumentProfile::Default();
            if (!InstrumentProfile::LoadFromFile(path, profile, error)) {
                std::fprintf(stderr, "minimal-host: profile %s: %s\n", path.c_str(), error.c_str());
                return false;
            }
            InstrumentProfile::SetCurrent(std::move(profile));
        }
    }
    return true;
}

// One check of the outcome: prints it and counts a failure.
int Check(bool ok, const std::string& what)
{
    std::printf("%s %s\n", ok ? "ok  " : "FAIL", what.c_str());
    return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (!LoadOptions(argc, argv))
        return 2;
    DataRoot root;
    if (!root.Mapped()) {
        std::fprintf(stderr, "minimal-host: cannot make a data root\n");
        return 1;
    }

    InstrumentConfiguration config;
    PrintingReceiver receiver(stdout);
    std::wstring dataNumberShown, closeText;

    OperatorScript script;
    script.TapTab(IDD_SYSTEM, IDC_TAB, TAB_RECORDING)
        .Tap(IDD_SYSTEM, IDC_HAND_DATA_NO)
        .Type(IDD_NUMBER_PAD, L"42")
        .Tap(IDD_NUMBER_PAD, IDOK)
        .Do(IDD_SYSTEM, "read the page",
            [&](HWND window, std::string&) {
                dataNumberShown = GetWindowTextString(OperatorScript::FindControl(window, IDC_STATIC_DATA_NO));
                closeText = GetWindowTextString(OperatorScript::FindControl(window, IDC_BUTTON_CLOSE));
                return true;
            })
        .TapTab(IDD_SYSTEM, IDC_TAB, TAB_MISC)
        .Tap(IDD_SYSTEM, IDC_CHECK_BUZZER)
        .Tap(IDD_SYSTEM, IDC_BUTTON_CLOSE);

    INT_PTR result = 0;
    {
        CSystemDlg dialog(nullptr);
        if (!dialog.SetupConfigData(&config.record, false)) {
            std::fprintf(stderr, "minimal-host: the dialog refused the configuration\n");
            return 1;
        }
        dialog.SetDLGCallback(&receiver, 1);
        result = dialog.DoModal();
    }
    std::printf("dialog returned %ld; data number shown \"%s\"; close button \"%s\"\n", static_cast<long>(result),
                win::WideToUtf8(dataNumberShown).c_str(), win::WideToUtf8(closeText).c_str());

    int failures = 0;
    failures += Check(script.Finished(), "the operator did every step" +
                                             (script.Failure().empty() ? "" : " (" + script.Failure() + ")"));
    failures += Check(result == IDOK, "the close button ended the dialog with IDOK");
    failures += Check(dataNumberShown == L"0042", "the page shows data number 0042");
    // The pad shows the stored number plus one, so 42 is stored as 41.
    failures += Check(config.sysRec1->GetDataNo() == 41, "the recording configuration holds data number 41");
    failures += Check(config.misc.bBuzzer, "the auxiliary block has the buzzer on");
    failures += Check(receiver.ChangeFlags() == std::vector<DWORD>{CHG_DATA_NO, CHG_SOUND},
                      "the host was told CHG_DATA_NO, then CHG_SOUND");
    failures += Check(receiver.Kinds().size() == receiver.ChangeFlags().size(),
                      "no request other than the two setting changes");
    std::printf("minimal-host: %s\n", failures ? "FAILED" : "passed");
    return failures ? 1 : 0;
}
