// Memory save and CSV save of memory blocks: the file actions of the page
// in memory mode, with a recording host and an instrument with two blocks.
#include "pages/files/FilesTestSupport.h"

#include "host/CurrentProfileScope_test.h"

namespace files_test {
namespace {

class MemoryActionsTest : public FileActionsTest {
protected:
    CurrentProfileScope profile{[](InstrumentProfile& instrument) {
        instrument.memoryBlocks.assign(2, MemoryBlockProfile{});
        for (MemoryBlockProfile& block : instrument.memoryBlocks) {
            block.enabled = true;
            block.sampleCount = 10;
            block.channels.push_back({0, WaveformChannel::Shape::Sine, 50.0, 1000, 0});
        }
    }};
};

TEST_F(MemoryActionsTest, SavesStopAtAFailureAskBeforeOverwritingAndCsvSaveWritesFormatZero)
{
    StartIn("D:\\mem");
    const std::wstring caption = L"メモリ保存";
    script.Tap(IDD_SYSTEM, IDC_MEMORY_LIST);
    script.Tap(IDD_SYSTEM, IDC_SELECT_ALL);
    script.Tap(IDD_SYSTEM, IDC_MEMORY_SAVE);
    script.Do(IDD_PROC, "destination", [&](HWND window) {
        EXPECT_EQ(GetWindowTextString(window), caption);
        EXPECT_EQ(ControlText(window, IDC_PROC_LABEL), L"保存先");
    });
    script.Tap(IDD_PROC, IDOK);
    AnswerPopup(script, caption, L"[D:\\mem\\001.FSD]メモリ保存処理に失敗しました。", kYes);
    script.Do(IDD_SYSTEM, "stopped at the first block; now the host writes", [&](HWND) {
        EXPECT_EQ(receiver.Count(DLGREQ_SAVE_MEMORY_BLOCK), 1u);
        receiver.AnswerYes(DLGREQ_SAVE_MEMORY_BLOCK);
        root.WriteFile(L"D:\\mem\\001.FSD", "old");
    });
    script.Tap(IDD_SYSTEM, IDC_MEMORY_SAVE);
    script.Tap(IDD_PROC, IDOK);
    AnswerPopup(script, caption, L"[D:\\mem\\001.FSD]ファイルが存在します。上書きしてもよろしいですか？", kNo);
    AnswerPopup(script, caption, L"メモリ保存処理終了しました。", kYes);
    script.Do(IDD_SYSTEM, "the other block written; no refresh", [&](HWND window) {
        EXPECT_EQ(SelectedNames(window), (Names{L"#001", L"#002"}));
        const auto& request = receiver.Last(DLGREQ_SAVE_MEMORY_BLOCK);
        EXPECT_EQ(request.received.Word(12), 1u);
        EXPECT_EQ(request.Field(L"destination"), L"D:\\mem\\002.FSD");
        EXPECT_EQ(std::make_pair(request.received.Byte(24), request.received.Byte(28)), std::make_pair(BYTE{1}, BYTE{1}));
    });
    Select(script, {L"#001"});  // leaves #002
    script.Tap(IDD_SYSTEM, IDC_CSV_SAVE);
    script.Tap(IDD_PROC, IDOK);
    script.Do(IDD_SYSTEM, "memory list rebuilt", [&](HWND window) {
        EXPECT_EQ(Column(window), (Names{L"#001", L"#002"}));
        EXPECT_TRUE(SelectedNames(window).empty());
    });
    Finish();
    EXPECT_EQ(receiver.Count(DLGREQ_SAVE_MEMORY_BLOCK), 3u);
    const auto& request = receiver.Last(DLGREQ_SAVE_MEMORY_BLOCK);
    EXPECT_EQ(request.received.Word(12), 1u);
    EXPECT_EQ(request.Field(L"destination"), L"D:\\mem\\002.csv");
    EXPECT_EQ(request.received.Byte(24), 0);
}

}  // namespace
}  // namespace files_test
