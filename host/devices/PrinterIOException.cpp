#include "host/devices/PrinterIOException.h"

#include "host/TextService.h"

#include <iterator>

LPCWSTR PrinterIOException::GetErrorMessage() const
{
    static const wchar_t* const kDefaults[] = {
        L"プリンタエラーが発生しました。",
        L"プリンタは使用中です。",
        L"記録紙がありません。\n記録紙をセットしてください。",
        L"プリンタヘッドが上がっています。",
        L"プリンタヘッドの温度が異常です。",
        L"プリンタが応答しません。",
        L"プリンタの準備ができていません。",
    };
    const DWORD index = m_code < std::size(kDefaults) ? m_code : 0;
    return GetTextServiceObject()->GetText(kTextGroup, index, kDefaults[index]);
}
