#include "pages/comm/CommIds.h"

#include "host/dialogs/CNumKeyDlg.h"
#include "win/Afx.h"

#include <cmath>

namespace comm_ids {

CString TimeoutText(DWORD milliseconds)
{
    CString text;
    text.Format(L"%ds", static_cast<int>(milliseconds / 1000));
    return text;
}

bool EnterTimeout(CWnd* parent, const wchar_t* caption, DWORD startMilliseconds, DWORD& milliseconds)
{
    CNumKeyDlg pad(parent, true);
    pad.SetConfigData(L"s", L"%.4g", static_cast<double>(startMilliseconds / 1000), 60.0, 0.0, 0);
    pad.SetCaptionMessage(caption);
    if (pad.DoModal() != 1)
        return false;
    // Whole milliseconds, truncated; 4.1 s is 4099.999... ms in binary, so
    // the product is nudged past such noise before it is cut.
    milliseconds = static_cast<DWORD>(std::floor(pad.GetValue() * 1000.0 + 1e-6));
    return true;
}

HBRUSH PaintValueField(CDC* dc)
{
    dc->SetTextColor(RGB(0, 0, 0));
    dc->SetBkMode(TRANSPARENT);
    return GetStockObject(WHITE_BRUSH);
}

}  // namespace comm_ids
