// Shared by the measurement-mode tests: a host with a data root and a
// recording receiver, reading controls, answering popups, saved-setup paths.
#pragma once

#include "core/SystemDlg.h"
#include "tests/harness/SystemDialogTest.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace mode_test {

using namespace testing_support;

inline constexpr UINT IDD_INIT = 17009, IDD_MY_SETUP = 17018, IDD_KEYBOARD = 30003;
inline constexpr int IDC_CLOSE_SYSTEM = 17045;

inline const std::wstring kFolder = L"D:\\_KQ58SYSTEM.$$$";
inline const std::wstring kRestartQuestion = L"設定を反映するためにプログラムを再起動します。";

inline std::wstring CommentPath(int slot) { return kFolder + L"\\No." + std::to_wstring(slot) + L".cmt"; }
inline std::wstring ConfigPath(int slot) { return kFolder + L"\\No." + std::to_wstring(slot) + L".cfg"; }

// UTF-16LE bytes, zero-filled to `size` when given (a comment file as the
// dialog writes it has 40).
inline std::string Utf16Le(const std::u16string& text, std::size_t size = 0)
{
    std::string bytes;
    for (char16_t unit : text)
        bytes += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    bytes.resize(std::max(size, bytes.size()), '\0');
    return bytes;
}

using ModeTest = SystemDialogTest;

}  // namespace mode_test
