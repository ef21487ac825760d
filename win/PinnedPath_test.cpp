// Code outside the platform opens a pinned path by its ordinary name and
// still reaches only what was checked: a folder or file swapped for a link
// out of the drive afterwards changes nothing.
#include "win/PinnedPath.h"

#include "win/TempDataRoot_test.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>

namespace {

using win::PinnedPath;

class PinnedPathTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* folder : {"outside", "D/out", "D/in"})
            root.MakeDir(folder);
        root.WriteFile("D/in/data.txt", "mine");
        root.WriteFile("outside/data.txt", "secret");
    }

    // Puts a link out of the data root where `relative` was, keeping the
    // original beside it.
    void SwapForLinkOut(const std::string& relative) const
    {
        ASSERT_EQ(std::rename((root / relative).c_str(), (root / (relative + ".old")).c_str()), 0);
        ASSERT_EQ(::symlink((root / "outside").c_str(), (root / relative).c_str()), 0);
    }

    win::testing::TempDataRoot root;
};

TEST_F(PinnedPathTest, ALinkSwappedInAfterThePinLeadsNowhere)
{
    std::string error;
    std::optional<PinnedPath> written = PinnedPath::Make(L"D:\\out\\new.csv", PinnedPath::Use::Write, error);
    std::optional<PinnedPath> read = PinnedPath::Make(L"D:\\in\\data.txt", PinnedPath::Use::Read, error);
    ASSERT_TRUE(written && read) << error;
    SwapForLinkOut("D/out");
    SwapForLinkOut("D/in");

    std::ofstream(written->Path(), std::ios::binary) << "new";
    std::ifstream in(read->Path(), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "mine");
    EXPECT_EQ(root.ReadFile("D/out.old/new.csv"), "new");
    EXPECT_FALSE(root.Exists("outside/new.csv"));
    // Messages name the file as the file system knows it, not the descriptor.
    EXPECT_EQ(written->Shown("cannot write " + written->Path()), "cannot write " + (root / "D/out/new.csv"));
}

TEST_F(PinnedPathTest, WhatCannotBeReadOrWrittenIsRefusedWithItsReason)
{
    ASSERT_EQ(::mkfifo((root / "D/in/fifo").c_str(), 0600), 0);
    ASSERT_EQ(::symlink("../../outside/data.txt", (root / "D/in/out.txt").c_str()), 0);
    const struct {
        const wchar_t* path;
        PinnedPath::Use use;
        const char* reason;
    } refusals[] = {
        {L"D:\\in\\fifo", PinnedPath::Use::Read, "is not a regular file"},
        {L"D:\\in\\missing.txt", PinnedPath::Use::Read, "no such file"},
        {L"D:\\in\\out.txt", PinnedPath::Use::Read, "leads off the drive"},
        {L"D:\\in", PinnedPath::Use::Write, "a folder is in the way"},
        {L"D:\\", PinnedPath::Use::Write, "a folder is in the way"},
        {L"D:\\none\\new.csv", PinnedPath::Use::Write, "no such folder"},
        {L"Q:\\new.csv", PinnedPath::Use::Write, "no such place"},
    };
    for (const auto& refusal : refusals) {
        std::string error;
        EXPECT_FALSE(PinnedPath::Make(refusal.path, refusal.use, error));
        EXPECT_NE(error.find(refusal.reason), std::string::npos) << error;
    }
}

}  // namespace
