#include "win/CString.h"

#include "win/TextConvert.h"
#include "win/WideFormat.h"

#include <algorithm>
#include <cwchar>

namespace {

constexpr const wchar_t* kWhiteSpace = L" \t\n\v\f\r";

wchar_t AsciiUpper(wchar_t c)
{
    return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

wchar_t AsciiLower(wchar_t c)
{
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

int Sign(long long value)
{
    return value < 0 ? -1 : value > 0 ? 1 : 0;
}

std::wstring_view ViewOf(const wchar_t* text)
{
    return text != nullptr ? std::wstring_view(text) : std::wstring_view();
}

}  // namespace

CString::CString(const wchar_t* text) : m_text(ViewOf(text)) {}

CString::CString(const wchar_t* text, int length)
{
    if (text != nullptr && length > 0)
        m_text.assign(text, static_cast<std::size_t>(length));
}

CString::CString(wchar_t character, int repeat)
{
    if (repeat > 0)
        m_text.assign(static_cast<std::size_t>(repeat), character);
}

CString::CString(const char* text)
{
    if (text != nullptr)
        m_text = win::Utf8ToWide(text);
}

CString& CString::operator=(const wchar_t* text)
{
    m_text.assign(ViewOf(text));
    return *this;
}

CString& CString::operator=(wchar_t character)
{
    m_text.assign(1, character);
    return *this;
}

CString& CString::operator=(const std::wstring& text)
{
    m_text = text;
    return *this;
}

wchar_t CString::GetAt(int index) const
{
    if (index < 0 || index >= GetLength())
        return L'\0';
    return m_text[static_cast<std::size_t>(index)];
}

void CString::SetAt(int index, wchar_t character)
{
    if (index >= 0 && index < GetLength())
        m_text[static_cast<std::size_t>(index)] = character;
}

LPWSTR CString::GetBuffer(int minLength)
{
    if (minLength > GetLength())
        m_text.resize(static_cast<std::size_t>(minLength));
    return m_text.data();
}

LPWSTR CString::GetBufferSetLength(int length)
{
    m_text.resize(static_cast<std::size_t>(std::max(length, 0)));
    return m_text.data();
}

void CString::ReleaseBuffer(int newLength)
{
    std::size_t length = newLength < 0 ? wcsnlen(m_text.data(), m_text.size())
                                       : std::min(static_cast<std::size_t>(newLength), m_text.size());
    m_text.resize(length);
}

CString CString::Left(int count) const
{
    count = std::clamp(count, 0, GetLength());
    return CString(m_text.substr(0, static_cast<std::size_t>(count)));
}

CString CString::Right(int count) const
{
    count = std::clamp(count, 0, GetLength());
    return CString(m_text.substr(m_text.size() - static_cast<std::size_t>(count)));
}

CString CString::Mid(int first) const
{
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const
{
    first = std::clamp(first, 0, GetLength());
    count = std::clamp(count, 0, GetLength() - first);
    return CString(m_text.substr(static_cast<std::size_t>(first), static_cast<std::size_t>(count)));
}

int CString::Find(wchar_t character, int start) const
{
    if (start < 0 || start >= GetLength())
        return -1;
    std::size_t found = m_text.find(character, static_cast<std::size_t>(start));
    return found == std::wstring::npos ? -1 : static_cast<int>(found);
}

int CString::Find(const wchar_t* text, int start) const
{
    if (text == nullptr || start < 0 || start > GetLength())
        return -1;
    std::size_t found = m_text.find(text, static_cast<std::size_t>(start));
    return found == std::wstring::npos ? -1 : static_cast<int>(found);
}

int CString::FindOneOf(const wchar_t* characters) const
{
    if (characters == nullptr || *characters == L'\0')
        return -1;
    std::size_t found = m_text.find_first_of(characters);
    return found == std::wstring::npos ? -1 : static_cast<int>(found);
}

int CString::ReverseFind(wchar_t character) const
{
    std::size_t found = m_text.rfind(character);
    return found == std::wstring::npos ? -1 : static_cast<int>(found);
}

int CString::Replace(wchar_t oldCharacter, wchar_t newCharacter)
{
    int count = 0;
    for (wchar_t& c : m_text) {
        if (c == oldCharacter) {
            c = newCharacter;
            ++count;
        }
    }
    return count;
}

int CString::Replace(const wchar_t* oldText, const wchar_t* newText)
{
    std::wstring_view from = ViewOf(oldText);
    std::wstring_view to = ViewOf(newText);
    if (from.empty())
        return 0;
    std::wstring result;
    int count = 0;
    std::size_t pos = 0;
    while (true) {
        std::size_t found = m_text.find(from, pos);
        if (found == std::wstring::npos)
            break;
        result.append(m_text, pos, found - pos);
        result.append(to);
        pos = found + from.size();
        ++count;
    }
    if (count > 0) {
        result.append(m_text, pos, std::wstring::npos);
        m_text = std::move(result);
    }
    return count;
}

int CString::Remove(wchar_t character)
{
    const std::size_t before = m_text.size();
    m_text.erase(std::remove(m_text.begin(), m_text.end(), character), m_text.end());
    return static_cast<int>(before - m_text.size());
}

int CString::Insert(int index, wchar_t character)
{
    index = std::clamp(index, 0, GetLength());
    m_text.insert(static_cast<std::size_t>(index), 1, character);
    return GetLength();
}

int CString::Insert(int index, const wchar_t* text)
{
    index = std::clamp(index, 0, GetLength());
    m_text.insert(static_cast<std::size_t>(index), ViewOf(text));
    return GetLength();
}

int CString::Delete(int index, int count)
{
    index = std::max(index, 0);
    if (count > 0 && index < GetLength())
        m_text.erase(static_cast<std::size_t>(index), static_cast<std::size_t>(std::min(count, GetLength() - index)));
    return GetLength();
}

CString& CString::MakeUpper()
{
    std::transform(m_text.begin(), m_text.end(), m_text.begin(), AsciiUpper);
    return *this;
}

CString& CString::MakeLower()
{
    std::transform(m_text.begin(), m_text.end(), m_text.begin(), AsciiLower);
    return *this;
}

CString& CString::Trim()
{
    return TrimRight().TrimLeft();
}

CString& CString::Trim(wchar_t target)
{
    return TrimRight(target).TrimLeft(target);
}

CString& CString::Trim(const wchar_t* targets)
{
    return TrimRight(targets).TrimLeft(targets);
}

CString& CString::TrimLeft()
{
    return TrimLeft(kWhiteSpace);
}

CString& CString::TrimLeft(wchar_t target)
{
    const wchar_t targets[2] = {target, L'\0'};
    std::size_t first = m_text.find_first_not_of(std::wstring_view(targets, 1));
    m_text.erase(0, first == std::wstring::npos ? m_text.size() : first);
    return *this;
}

CString& CString::TrimLeft(const wchar_t* targets)
{
    if (targets == nullptr || *targets == L'\0')
        return *this;
    std::size_t first = m_text.find_first_not_of(targets);
    m_text.erase(0, first == std::wstring::npos ? m_text.size() : first);
    return *this;
}

CString& CString::TrimRight()
{
    return TrimRight(kWhiteSpace);
}

CString& CString::TrimRight(wchar_t target)
{
    std::size_t last = m_text.find_last_not_of(std::wstring_view(&target, 1));
    m_text.erase(last == std::wstring::npos ? 0 : last + 1);
    return *this;
}

CString& CString::TrimRight(const wchar_t* targets)
{
    if (targets == nullptr || *targets == L'\0')
        return *this;
    std::size_t last = m_text.find_last_not_of(targets);
    m_text.erase(last == std::wstring::npos ? 0 : last + 1);
    return *this;
}

int CString::Compare(const wchar_t* text) const
{
    return Sign(std::wcscmp(m_text.c_str(), text != nullptr ? text : L""));
}

int CString::CompareNoCase(const wchar_t* text) const
{
    const wchar_t* left = m_text.c_str();
    const wchar_t* right = text != nullptr ? text : L"";
    while (true) {
        const auto a = static_cast<long long>(AsciiLower(*left));
        const auto b = static_cast<long long>(AsciiLower(*right));
        if (a != b || a == 0)
            return Sign(a - b);
        ++left;
        ++right;
    }
}

CString& CString::operator+=(const CString& text)
{
    m_text += text.m_text;
    return *this;
}

CString& CString::operator+=(const wchar_t* text)
{
    m_text += ViewOf(text);
    return *this;
}

CString& CString::operator+=(wchar_t character)
{
    m_text += character;
    return *this;
}

void CString::Format(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CString::AppendFormat(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    AppendFormatV(format, args);
    va_end(args);
}

void CString::FormatV(const wchar_t* format, va_list args)
{
    m_text = win::FormatWide(format, args);
}

void CString::AppendFormatV(const wchar_t* format, va_list args)
{
    m_text += win::FormatWide(format, args);
}

CString operator+(const CString& left, const CString& right)
{
    return CString(left.GetStdString() + right.GetStdString());
}

CString operator+(const CString& left, const wchar_t* right)
{
    CString result(left);
    result += right;
    return result;
}

CString operator+(const wchar_t* left, const CString& right)
{
    CString result(left);
    result += right;
    return result;
}

CString operator+(const CString& left, wchar_t right)
{
    CString result(left);
    result += right;
    return result;
}

CString operator+(wchar_t left, const CString& right)
{
    CString result(left);
    result += right;
    return result;
}

bool operator==(const CString& left, const CString& right)
{
    return left.GetStdString() == right.GetStdString();
}

bool operator==(const CString& left, const wchar_t* right)
{
    return left.Compare(right) == 0;
}

bool operator==(const wchar_t* left, const CString& right)
{
    return right.Compare(left) == 0;
}

bool operator!=(const CString& left, const CString& right)
{
    return !(left == right);
}

bool operator!=(const CString& left, const wchar_t* right)
{
    return !(left == right);
}

bool operator!=(const wchar_t* left, const CString& right)
{
    return !(left == right);
}

bool operator<(const CString& left, const CString& right)
{
    return left.GetStdString() < right.GetStdString();
}

bool operator<(const CString& left, const wchar_t* right)
{
    return left.Compare(right) < 0;
}

bool operator<(const wchar_t* left, const CString& right)
{
    return right.Compare(left) > 0;
}

bool operator>(const CString& left, const CString& right)
{
    return right < left;
}

bool operator<=(const CString& left, const CString& right)
{
    return !(right < left);
}

bool operator>=(const CString& left, const CString& right)
{
    return !(left < right);
}
