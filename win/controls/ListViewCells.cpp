#include "win/controls/ListViewCells.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace win {
namespace {

constexpr std::size_t kWide = sizeof(wchar_t);
constexpr std::size_t kTypicalRowBytes = 48;

bool FitsOneByte(std::wstring_view text)
{
    return std::all_of(text.begin(), text.end(), [](wchar_t c) { return static_cast<std::uint32_t>(c) < 0x100; });
}

void AppendLength(std::string& bytes, std::size_t length)
{
    do {
        const auto low = static_cast<unsigned char>(length & 0x7F);
        length >>= 7;
        bytes += static_cast<char>(length != 0 ? low | 0x80 : low);
    } while (length != 0);
}

wchar_t CharacterAt(const std::string& bytes, std::size_t position, std::size_t width)
{
    if (width == 1)
        return static_cast<wchar_t>(static_cast<unsigned char>(bytes[position]));
    wchar_t c;
    std::memcpy(&c, bytes.data() + position, kWide);
    return c;
}

}  // namespace

void ListViewCells::ReadCell(std::size_t position, Span& span) const
{
    span.start = position;
    span.length = 0;
    for (int shift = 0;; shift += 7) {
        const auto byte = static_cast<unsigned char>(m_bytes[position++]);
        span.length |= static_cast<std::size_t>(byte & 0x7F) << shift;
        if ((byte & 0x80) == 0)
            break;
    }
    span.data = position;
}

bool ListViewCells::Locate(int cell, Span& span) const
{
    if (cell < 0)
        return false;
    for (std::size_t position = 1; position < m_bytes.size(); position = span.End(Width())) {
        ReadCell(position, span);
        if (cell-- == 0)
            return true;
    }
    return false;
}

int ListViewCells::Count() const
{
    int count = 0;
    Span span;
    for (std::size_t position = 1; position < m_bytes.size(); position = span.End(Width())) {
        ReadCell(position, span);
        ++count;
    }
    return count;
}

std::wstring ListViewCells::Text(int cell) const
{
    Span span;
    if (!Locate(cell, span))
        return std::wstring();
    std::wstring text(span.length, L'\0');
    for (std::size_t i = 0; i < span.length; ++i)
        text[i] = CharacterAt(m_bytes, span.data + i * Width(), Width());
    return text;
}

int ListViewCells::Copy(int cell, LPWSTR buffer, int size) const
{
    if (!buffer || size <= 0)
        return 0;
    Span span;
    if (!Locate(cell, span))
        span.length = 0;
    const std::size_t count = std::min(span.length, static_cast<std::size_t>(size - 1));
    for (std::size_t i = 0; i < count; ++i)
        buffer[i] = CharacterAt(m_bytes, span.data + i * Width(), Width());
    buffer[count] = L'\0';
    return static_cast<int>(count);
}

void ListViewCells::Append(std::string& bytes, std::size_t width, std::wstring_view text)
{
    // A row that leaves the string's own buffer takes room for a typical
    // file row (name, size, date) at once instead of growing cell by cell.
    const std::size_t needed = bytes.size() + 3 + text.size() * width;
    if (needed > bytes.capacity())
        bytes.reserve(std::max(needed, kTypicalRowBytes));
    AppendLength(bytes, text.size());
    if (width == kWide) {
        bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * kWide);
        return;
    }
    const std::size_t start = bytes.size();
    bytes.resize(start + text.size());
    std::transform(text.begin(), text.end(), bytes.begin() + static_cast<std::ptrdiff_t>(start),
                   [](wchar_t c) { return static_cast<char>(static_cast<unsigned char>(c)); });
}

void ListViewCells::Widen()
{
    std::string wide(1, static_cast<char>(kWide));
    const int count = Count();
    for (int cell = 0; cell < count; ++cell)
        Append(wide, kWide, Text(cell));
    m_bytes = std::move(wide);
}

void ListViewCells::Set(int cell, std::wstring_view text)
{
    if (cell < 0)
        return;
    Span span;
    const bool exists = Locate(cell, span);
    if (!exists && text.empty())
        return;
    if (m_bytes.empty())
        m_bytes.assign(1, static_cast<char>(1));
    if (Width() == 1 && !FitsOneByte(text)) {
        Widen();
        Locate(cell, span);
    }
    if (!exists) {
        for (int missing = Count(); missing < cell; ++missing)
            AppendLength(m_bytes, 0);
        Append(m_bytes, Width(), text);
        return;
    }
    std::string encoded;
    Append(encoded, Width(), text);
    m_bytes.replace(span.start, span.End(Width()) - span.start, encoded);
}

void ListViewCells::InsertEmpty(int cell)
{
    Span span;
    if (Locate(cell, span))
        m_bytes.insert(span.start, 1, '\0');
}

void ListViewCells::Erase(int cell)
{
    Span span;
    if (Locate(cell, span))
        m_bytes.erase(span.start, span.End(Width()) - span.start);
}

}  // namespace win
