// The version report, read off its popup after a tap on "バージョン表示".
#include "pages/maintenance/MaintenanceTestSupport.h"

#include "win/Registry.h"

namespace {

using namespace maintenance_test;

const wchar_t* const kVersionKey = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";

std::vector<std::wstring> Lines(const std::wstring& text)
{
    std::vector<std::wstring> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(L'\n', start)) != std::wstring::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    lines.push_back(text.substr(start));
    return lines;
}

// The registry of a machine without a service pack.
void PlainWindows()
{
    win::Registry::Clear();
    win::Registry::SetValue(HKEY_LOCAL_MACHINE, kVersionKey, L"ProductName", L"Debian GNU/Linux 12 (bookworm)");
    win::Registry::SetValue(HKEY_LOCAL_MACHINE, kVersionKey, L"CurrentVersion", L"12");
    win::Registry::SetValue(HKEY_LOCAL_MACHINE, kVersionKey, L"CurrentBuildNumber", L"6.1.0");
}

class VersionReportTest : public MaintenanceTest {
protected:
    VersionReportTest() { PlainWindows(); }
    ~VersionReportTest() override { win::Registry::Clear(); }

    // Taps the button and hands the report's text to `check`, then closes it.
    static void ReadReport(ScriptedOperator& script, std::function<void(const std::wstring&)> check)
    {
        script.Tap(IDD_SYSTEM, IDC_BUTTON_VERSION);
        script.Do(IDD_POPUP, "read the report", [check](HWND window) {
            EXPECT_EQ(GetWindowTextString(window), L"バージョン表示");
            EXPECT_FALSE(Visible(window, IDCANCEL)) << "a notice has one button";
            check(ControlText(window, IDC_POPUP_MESSAGE));
            win::Tap(FindControl(window, IDOK));
        });
    }
};

TEST_F(VersionReportTest, TheDefaultInstrumentsReportLineByLine)
{
    ScriptedOperator script;
    OpenTab(script);
    ReadReport(script, [](const std::wstring& report) {
        EXPECT_EQ(report, L"製品ID          : 5801234\n"
                          L"メインプログラム: V1.12b build 345 2024/04/01\n"
                          L"ドライバ (MLCU) : V1.05\n"
                          L"         (FLCU) : V1.03\n"
                          L"         (PRMP) : V2.10 (KP:V1.02)\n"
                          L"         (AMP)  : V1.21 (H/W:0201)\n"
                          L"         (BRAM) : V1.00\n"
                          L"         (COMM) : V3.0A\n"
                          L"サブCPU (MLCU)  : V2.01 (H/W:0102) RAM 256MB\n"
                          L"        (FLCU)  : V2.00 (H/W:0101) RAM 64MB\n"
                          L"プリンタCPU     : V2.10 (BOOT V1.02)\n"
                          L"OS              : Debian GNU/Linux 12 (bookworm)\n"
                          L"                  12 build 6.1.0\n"
                          L"                  \n"
                          L"Option          : None\n"
                          L"H/W Option      : REMOTE  RS232C  EVENT  \n");
    });
    Run(script);
    EXPECT_TRUE(receiver.Requests().empty());
}

TEST_F(VersionReportTest, EachLineFollowsTheInstrumentAndTheRegistry)
{
    struct Case {
        const char* name;
        std::function<void(InstrumentProfile&)> instrument;
        std::function<void()> registry;
        std::size_t line;
        std::wstring shown;
    };
    const auto nothing = [](InstrumentProfile&) {};
    const auto interfaces = [](bool remote, bool clock, bool rs232c, bool gps, bool event) {
        return [=](InstrumentProfile& p) { p.interfaces = {rs232c, event, gps, clock, remote}; };
    };
    const auto version = [](const wchar_t* name, std::wstring value) {
        return [=] { win::Registry::SetValue(HKEY_LOCAL_MACHINE, kVersionKey, name, value); };
    };
    const auto without = [](const wchar_t* name) {
        return [=] { win::Registry::RemoveValue(HKEY_LOCAL_MACHINE, kVersionKey, name); };
    };
    const Case cases[] = {
        {"no letter", [](InstrumentProfile& p) { p.mainProgram = {3, 1, 0, 25, L"abc"}; }, PlainWindows, 1,
         L"メインプログラム: V3.1 build 25 abc"},
        {"small letter", [](InstrumentProfile& p) { p.mainProgram = {3, 1, 2, 25, L"abc"}; }, PlainWindows, 1,
         L"メインプログラム: V3.1b build 25 abc"},
        {"capital letter", [](InstrumentProfile& p) { p.mainProgram = {3, 1, 101, 25, L"abc"}; }, PlainWindows, 1,
         L"メインプログラム: V3.1B build 25 abc"},
        {"board driver", [](InstrumentProfile& p) { p.mlcuDriver = {0x10, 0x0A}; }, PlainWindows, 2,
         L"ドライバ (MLCU) : V10.0A"},
        {"product id", [](InstrumentProfile& p) { p.productId = 1234; }, PlainWindows, 0,
         L"製品ID          : 0001234"},
        {"option fitted", [](InstrumentProfile& p) { p.optionKQ58_751 = 1; }, PlainWindows, 14,
         L"Option          : KQ58-751"},
        {"only 1 is fitted", [](InstrumentProfile& p) { p.optionKQ58_751 = 2; }, PlainWindows, 14,
         L"Option          : None"},
        {"no interfaces", interfaces(false, false, false, false, false), PlainWindows, 15, L"H/W Option      : "},
        {"remote and RS-232C", interfaces(true, false, true, false, false), PlainWindows, 15,
         L"H/W Option      : REMOTE  RS232C  "},
        {"every interface", interfaces(true, true, true, true, true), PlainWindows, 15,
         L"H/W Option      : REMOTE  CLKSYNC  RS232C  GPS  EVENT  "},
        {"service pack", nothing, version(L"CSDVersion", L"Service Pack 2"), 13, L"                  Service Pack 2"},
        {"no build number", nothing, without(L"CurrentBuildNumber"), 12, L"                  "},
        {"no product name", nothing, without(L"ProductName"), 11, L"OS              : "},
        {"a name too long for the buffer", nothing, version(L"ProductName", std::wstring(127, L'x')), 11,
         L"OS              : "},
        {"the longest name it takes", nothing, version(L"ProductName", std::wstring(126, L'x')), 11,
         L"OS              : " + std::wstring(126, L'x')},
        {"no key", nothing, [] { win::Registry::Clear(); }, 12, L"                  "},
    };
    ScriptedOperator script;
    OpenTab(script);
    for (const Case& c : cases) {
        script.Do(IDD_SYSTEM, c.name, [&](HWND) {
            InstrumentProfile::SetCurrent(InstrumentProfile::Default());
            InstrumentProfile::Modify(c.instrument);
            PlainWindows();
            c.registry();
        });
        ReadReport(script, [&](const std::wstring& report) {
            const std::vector<std::wstring> lines = Lines(report);
            ASSERT_EQ(lines.size(), 17u) << c.name << ": sixteen lines and the end";
            EXPECT_EQ(lines[c.line], c.shown) << c.name;
        });
    }
    Run(script);
}

}  // namespace
