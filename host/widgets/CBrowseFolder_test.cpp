#include "host/dialogs/FolderChooserDialog.h"
#include "host/dialogs/HostTemplate.h"
#include "host/widgets/CBrowseFolder.h"
#include "tests/harness/DialogTestHelpers.h"
#include "win/TempDataRoot_test.h"

#include <gtest/gtest.h>

using host::IDD_HOST_BROWSE_FOLDER;
using testing_support::ScriptedOperator;

namespace {

constexpr int kList = FolderChooserDialog::kListId;

// D: holds data\logs, data\.hidden, data\file.txt and empty; C: holds only a file.
struct Drives {
    win::testing::TempDataRoot root{"CD"};
    Drives()
    {
        root.MakeDir("D/data");
        root.MakeDir("D/data/logs");
        root.MakeDir("D/data/.hidden");
        root.MakeDir("D/empty");
        root.WriteFile("D/data/file.txt");
        root.WriteFile("C/readme.txt");
    }
};

ScriptedOperator::Action ExpectRows(std::vector<std::wstring> expected, std::wstring path)
{
    return [expected, path](HWND dialog) {
        EXPECT_EQ(expected, testing_support::ListColumn(dialog, kList));
        EXPECT_EQ(path, GetWindowTextString(GetDlgItem(dialog, FolderChooserDialog::kPathId)));
    };
}

}  // namespace

TEST(CBrowseFolder, UpAndDotDotClimbToTheDrivesAndOkNeedsAFolder)
{
    testing_support::Watchdog watchdog;
    Drives drives;
    ScriptedOperator script;
    script.Do(IDD_HOST_BROWSE_FOLDER, "start", ExpectRows({L".."}, L"D:\\data\\logs\\"));
    script.Tap(IDD_HOST_BROWSE_FOLDER, FolderChooserDialog::kUpId);
    script.Do(IDD_HOST_BROWSE_FOLDER, "up", ExpectRows({L"..", L"logs"}, L"D:\\data\\"));
    script.TapPart(IDD_HOST_BROWSE_FOLDER, kList, "row", 0, 0, true);
    script.Do(IDD_HOST_BROWSE_FOLDER, "root", ExpectRows({L"..", L"data", L"empty"}, L"D:\\"));
    script.TapPart(IDD_HOST_BROWSE_FOLDER, kList, "row", 0, 0, true);
    script.Do(IDD_HOST_BROWSE_FOLDER, "drives", [](HWND dialog) {
        ExpectRows({L"C:\\", L"D:\\"}, L"ドライブ")(dialog);
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, FolderChooserDialog::kUpId))) << "nothing above the drives";
    });
    script.Answer(IDOK);
    script.Do(IDD_HOST_BROWSE_FOLDER, "refused", [](HWND dialog) {
        EXPECT_EQ(L"フォルダを選択してください",
                  GetWindowTextString(GetDlgItem(dialog, FolderChooserDialog::kMessageId)));
    });
    script.Tap(IDD_HOST_BROWSE_FOLDER, FolderChooserDialog::kOpenId);
    script.Do(IDD_HOST_BROWSE_FOLDER, "still the drives", ExpectRows({L"C:\\", L"D:\\"}, L"ドライブ"));
    script.TapPart(IDD_HOST_BROWSE_FOLDER, kList, "row", 0);
    script.Answer(IDOK);
    CBrowseFolder chooser(nullptr, L"", 5);
    EXPECT_TRUE(chooser.Open(L"d:/DATA/logs", 0x11, 0));
    EXPECT_EQ(CString(L"C:\\"), chooser.GetPathName()) << "a drive's root keeps its backslash";
}

TEST(CBrowseFolder, CancelChoosesNothingAndBadStartsShowTheDrives)
{
    testing_support::Watchdog watchdog;
    Drives drives;
    for (const wchar_t* start : {L"D:\\nothing", L"D:\\data\\file.txt", L"D:\\..\\..\\etc", L"Q:\\"}) {
        ScriptedOperator script;
        script.Do(IDD_HOST_BROWSE_FOLDER, "drives", ExpectRows({L"C:\\", L"D:\\"}, L"ドライブ"));
        script.Answer(IDCANCEL);
        CBrowseFolder chooser(nullptr, L"", 5);
        EXPECT_FALSE(chooser.Open(start, 0x11, 0)) << "start " << testing::PrintToString(std::wstring(start));
        EXPECT_TRUE(chooser.GetPathName().IsEmpty());
    }
}
