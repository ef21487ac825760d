// The version report, read off its popup after a tap on "バージョン表示".
#include "pages/maintenance/MaintenanceTestSupport.h"

#include "win/Registry.h"

#include <algorithm>

namespace {

using namespace maintenance_test;

void SetVersionValue(const wchar_t* name, const std::wstring& value)
{
    win::Registry::SetValue(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", name, value);
}

// Each row changes the default instrument, or the registry of a Windows
// without a service pack, and shows one line.
TEST_F(MaintenanceTest, VersionReportLinesFollowTheInstrumentAndTheRegistry)
{
    struct Row {
        std::function<void(InstrumentProfile&)> instrument;
        std::function<void()> registry;
        std::size_t line;
        std::wstring shown;
    };
    const auto main = [](int letter) { return [=](InstrumentProfile& p) { p.mainProgram = {3, 1, letter, 25, L"abc"}; }; };
    const auto fitted = [](bool on) { return [=](InstrumentProfile& p) { p.interfaces = {on, false, false, false, on}; }; };
    const Row rows[] = {
        {main(0), {}, 1, L"メインプログラム: V3.1 build 25 abc"},
        {main(2), {}, 1, L"メインプログラム: V3.1b build 25 abc"},
        {main(101), {}, 1, L"メインプログラム: V3.1B build 25 abc"},
        {main(100), {}, 1, L"メインプログラム: V3.1A build 25 abc"},
        {[](InstrumentProfile& p) { p.mlcuDriver = {1, 5}; }, {}, 2, L"ドライバ (MLCU) : V1.05"},
        {[](InstrumentProfile& p) { p.flcuDriver = {0x10, 0x0A}; }, {}, 3, L"         (FLCU) : V10.0A"},
        {{}, {}, 5, L"         (AMP)  : V1.21 (H/W:0201)"},
        {{}, {}, 8, L"サブCPU (MLCU)  : V2.01 (H/W:0102) RAM 256MB"},
        {[](InstrumentProfile& p) { p.productId = 1234; }, {}, 0, L"製品ID          : 0001234"},
        {{}, {}, 14, L"Option          : None"},
        {[](InstrumentProfile& p) { p.optionKQ58_751 = 1; }, {}, 14, L"Option          : KQ58-751"},
        {fitted(false), {}, 15, L"H/W Option      : "},
        {fitted(true), {}, 15, L"H/W Option      : REMOTE  RS232C  "},
        {{}, {}, 11, L"OS              : Debian"},
        {{}, {}, 12, L"                  12 build 6.1.0"},
        {{}, {}, 13, L"                  "},
        {{}, [] { SetVersionValue(L"CSDVersion", L"SP2"); }, 13, L"                  SP2"},
        {{}, [] { SetVersionValue(L"ProductName", std::wstring(127, L'x')); }, 11, L"OS              : "},
    };
    ScriptedOperator script;
    OpenTab(script);
    for (const Row& row : rows) {
        script.Do(IDD_SYSTEM, "set up", [&row](HWND) {
            InstrumentProfile::SetCurrent(InstrumentProfile::Default());
            if (row.instrument)
                InstrumentProfile::Modify(row.instrument);
            win::Registry::Clear();
            SetVersionValue(L"ProductName", L"Debian");
            SetVersionValue(L"CurrentVersion", L"12");
            SetVersionValue(L"CurrentBuildNumber", L"6.1.0");
            if (row.registry)
                row.registry();
        });
        script.Tap(IDD_SYSTEM, IDC_BUTTON_VERSION);
        script.Do(IDD_POPUP, "read the report", [&row](HWND popup) {
            EXPECT_EQ(GetWindowTextString(popup), L"バージョン表示");
            const std::wstring report = ControlText(popup, IDC_POPUP_MESSAGE);
            EXPECT_EQ(std::count(report.begin(), report.end(), L'\n'), 16) << "sixteen lines, each ended";
            std::size_t start = 0;
            for (std::size_t line = 0; line < row.line; ++line)
                start = report.find(L'\n', start) + 1;
            EXPECT_EQ(report.substr(start, report.find(L'\n', start) - start), row.shown);
            win::Tap(FindControl(popup, IDOK));
        });
    }
    Run(script);
    win::Registry::Clear();
}

}  // namespace
