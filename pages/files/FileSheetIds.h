// Control ids of the file page (template 17002) and the text lookup the
// page's source files share.
#pragma once

#include "host/TextService.h"
#include "win/Win32Types.h"

namespace file_sheet {

constexpr UINT IDD = 17002;
constexpr int IDC_STATIC_FOLDER_LABEL = 17162;
constexpr int IDC_STATIC_FOLDER = 17159;
constexpr int IDC_BUTTON_BROWSE = 17040;
constexpr int IDC_LIST_FILE = 17109;
constexpr int IDC_BUTTON_SELECT_ALL = 17043;
constexpr int IDC_BUTTON_CLEAR_ALL = 17044;
constexpr int IDC_BUTTON_MEMORY_LIST = 17030;
constexpr int IDC_BUTTON_MEMORY_SAVE = 17027;
constexpr int IDC_BUTTON_NEW_FOLDER = 17029;
constexpr int IDC_BUTTON_COPY = 17064;
constexpr int IDC_BUTTON_DELETE = 17033;
constexpr int IDC_BUTTON_LOAD = 17032;
constexpr int IDC_BUTTON_TEXT_SAVE = 17025;
constexpr int IDC_BUTTON_ENV_SAVE = 17034;
constexpr int IDC_BUTTON_CSV_SAVE = 17028;
constexpr int IDC_BUTTON_MATLAB = 17037;
constexpr int IDC_BUTTON_FAMOS = 17039;
constexpr int IDC_BUTTON_DIADEM = 17038;

constexpr int kColumnName = 0;
constexpr int kColumnSize = 1;
constexpr int kColumnDate = 2;

// The size column of a folder row.
inline constexpr const wchar_t* kDirText = L"<DIR>";

// A text of the page's own group.
inline const wchar_t* Text(DWORD item, const wchar_t* defaultText)
{
    return GetTextServiceObject()->GetText(IDD, item, defaultText);
}

inline const wchar_t* Text(DWORD group, DWORD item, const wchar_t* defaultText)
{
    return GetTextServiceObject()->GetText(group, item, defaultText);
}

}  // namespace file_sheet
