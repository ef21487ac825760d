// The dialog framework's string class in its Unicode build: a wide string
// with value semantics. Indexes and counts are ints as in the framework;
// out-of-range arguments are clamped the way the framework clamps them and
// never reach outside the text.
//
// Format/AppendFormat/FormatV take the Windows wide formats (see
// WideFormat.h). A CString cannot itself be passed through "..." here (the
// compiler refuses it); pass GetString() or (LPCWSTR)text.
//
// MakeUpper, MakeLower and CompareNoCase fold ASCII letters only, as the C
// runtime does in the "C" locale; Trim* without arguments removes ASCII
// white space.
#pragma once

#include "win/Win32Types.h"

#include <cstdarg>
#include <string>
#include <string_view>

class CString {
public:
    CString() = default;
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;

    CString(const wchar_t* text);  // null gives an empty string
    CString(const wchar_t* text, int length);
    CString(wchar_t character, int repeat = 1);
    CString(const std::wstring& text) : m_text(text) {}
    CString(std::wstring&& text) noexcept : m_text(std::move(text)) {}
    explicit CString(std::wstring_view text) : m_text(text) {}
    // The Unicode build converts narrow text from the ANSI code page, which
    // is UTF-8 in this port.
    CString(const char* text);

    CString& operator=(const wchar_t* text);
    CString& operator=(wchar_t character);
    CString& operator=(const std::wstring& text);

    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }

    wchar_t GetAt(int index) const;
    void SetAt(int index, wchar_t character);
    wchar_t operator[](int index) const { return GetAt(index); }

    operator LPCWSTR() const { return m_text.c_str(); }
    LPCWSTR GetString() const { return m_text.c_str(); }
    const std::wstring& GetStdString() const { return m_text; }

    // The buffer holds at least minLength characters plus a terminator and
    // starts with the current text. ReleaseBuffer(-1) takes the text up to
    // the first terminator written into it.
    LPWSTR GetBuffer(int minLength = 0);
    LPWSTR GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);

    CString Left(int count) const;
    CString Right(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;

    int Find(wchar_t character, int start = 0) const;
    int Find(const wchar_t* text, int start = 0) const;
    int FindOneOf(const wchar_t* characters) const;
    int ReverseFind(wchar_t character) const;

    int Replace(wchar_t oldCharacter, wchar_t newCharacter);
    int Replace(const wchar_t* oldText, const wchar_t* newText);
    int Remove(wchar_t character);
    int Insert(int index, wchar_t character);
    int Insert(int index, const wchar_t* text);
    int Delete(int index, int count = 1);

    CString& MakeUpper();
    CString& MakeLower();
    CString& Trim();
    CString& Trim(wchar_t target);
    CString& Trim(const wchar_t* targets);
    CString& TrimLeft();
    CString& TrimLeft(wchar_t target);
    CString& TrimLeft(const wchar_t* targets);
    CString& TrimRight();
    CString& TrimRight(wchar_t target);
    CString& TrimRight(const wchar_t* targets);

    // Negative, zero or positive, by code unit values.
    int Compare(const wchar_t* text) const;
    int CompareNoCase(const wchar_t* text) const;

    CString& operator+=(const CString& text);
    CString& operator+=(const wchar_t* text);
    CString& operator+=(wchar_t character);

    void Format(const wchar_t* format, ...);
    void AppendFormat(const wchar_t* format, ...);
    void FormatV(const wchar_t* format, va_list args);
    void AppendFormatV(const wchar_t* format, va_list args);

private:
    std::wstring m_text;
};

using CStringW = CString;

CString operator+(const CString& left, const CString& right);
CString operator+(const CString& left, const wchar_t* right);
CString operator+(const wchar_t* left, const CString& right);
CString operator+(const CString& left, wchar_t right);
CString operator+(wchar_t left, const CString& right);

bool operator==(const CString& left, const CString& right);
bool operator==(const CString& left, const wchar_t* right);
bool operator==(const wchar_t* left, const CString& right);
bool operator!=(const CString& left, const CString& right);
bool operator!=(const CString& left, const wchar_t* right);
bool operator!=(const wchar_t* left, const CString& right);
bool operator<(const CString& left, const CString& right);
bool operator<(const CString& left, const wchar_t* right);
bool operator<(const wchar_t* left, const CString& right);
bool operator>(const CString& left, const CString& right);
bool operator<=(const CString& left, const CString& right);
bool operator>=(const CString& left, const CString& right);
