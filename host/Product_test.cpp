#include "host/Product.h"

#include "host/CurrentProfileScope_test.h"
#include "host/devices/UsbEject.h"
#include "host/FileIO.h"

#include <gtest/gtest.h>

TEST(Product, AnswersComeFromTheCurrentProfile)
{
    CurrentProfileScope scope([](InstrumentProfile& p) {
        p.productId = 1234;
        p.mainProgram = {3, 1, 101, 25, L"abc"};
        p.pw7200 = true;
        p.optionKQ58_751 = 2;
    });
    EXPECT_EQ(GetMachineID(), 1234u);
    int major = 0, minor = 0, revision = 0, build = 0;
    CString text;
    GetMainProgramVersion(&major, &minor, &revision, &build, &text);
    EXPECT_EQ(major, 3);
    EXPECT_EQ(minor, 1);
    EXPECT_EQ(revision, 101);
    EXPECT_EQ(build, 25);
    EXPECT_EQ(text, L"abc");
    // Null out-parameters are allowed.
    GetMainProgramVersion(nullptr, &minor, nullptr, nullptr, nullptr);
    EXPECT_TRUE(IsPW7200());
    // Not 1, so a caller testing "== 1" sees no option although it is non-zero.
    EXPECT_EQ(IsOptionKQ58_751(), 2);
}

TEST(Product, AmplifierNamesForEmptyKnownAndUnknownCodes)
{
    CurrentProfileScope scope([](InstrumentProfile& p) { p.ampTypeNames = {{1, L"DC AMP"}}; });
    EXPECT_STREQ(GetAmpTypeName(0), L"----");
    EXPECT_STREQ(GetAmpTypeName(1), L"DC AMP");
    EXPECT_STREQ(GetAmpTypeName(0xAB), L"AMP(AB)");
}

TEST(Product, NamesStayValidWhenTheProfileChanges)
{
    const wchar_t* name = nullptr;
    {
        CurrentProfileScope scope([](InstrumentProfile& p) { p.ampTypeNames = {{9, L"温度"}}; });
        name = GetAmpTypeName(9);
    }
    CurrentProfileScope other([](InstrumentProfile& p) { p.ampTypeNames = {{9, L"other"}}; });
    EXPECT_STREQ(GetAmpTypeName(9), L"other");
    EXPECT_STREQ(name, L"温度");
}

TEST(Product, ExportLibraryPresentOrNot)
{
    {
        CurrentProfileScope scope([](InstrumentProfile& p) { p.exportLibrary = true; });
        EXPECT_NE(GetExportDLL(), nullptr);
        EXPECT_EQ(GetExportDLL(), GetExportDLL());
    }
    CurrentProfileScope scope([](InstrumentProfile& p) { p.exportLibrary = false; });
    EXPECT_EQ(GetExportDLL(), nullptr);
}

TEST(UsbEject, ResultFromTheProfileAndTheCallIsRecorded)
{
    const int before = UsbEject::GetCallCount();
    {
        CurrentProfileScope scope([](InstrumentProfile& p) { p.usbEjectResult = 0; });
        EXPECT_EQ(EjectUSBDrives(), 0);
        EXPECT_FALSE(UsbEject::WasFileActivitySuspendedAtLastCall());
    }
    FileIO::AllSuspend();
    EXPECT_NE(EjectUSBDrives(), 0);
    FileIO::AllResume();
    EXPECT_TRUE(UsbEject::WasFileActivitySuspendedAtLastCall());
    EXPECT_EQ(UsbEject::GetCallCount(), before + 2);
}
