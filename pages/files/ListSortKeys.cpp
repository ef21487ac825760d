#include "pages/files/ListSortKeys.h"

#include "win/SortPrefix.h"

#include <cwchar>
#include <string>

namespace {

constexpr std::size_t kMostDigits = 19;  // every 19-digit number fits 64 bits

bool IsDigit(wchar_t c)
{
    return c >= L'0' && c <= L'9';
}

// The text with its digits as NUL characters (which no cell text holds).
std::wstring ShapeOf(std::wstring_view text)
{
    std::wstring shape(text);
    for (wchar_t& c : shape)
        if (IsDigit(c))
            c = L'\0';
    return shape;
}

// The digits of a text of that shape, as one number.
bool DigitsOf(std::wstring_view text, std::wstring_view shape, std::uint64_t& value)
{
    if (text.size() != shape.size())
        return false;
    value = 0;
    std::size_t digits = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (shape[i] != L'\0') {
            if (text[i] != shape[i])
                return false;
        } else {
            if (!IsDigit(text[i]) || ++digits > kMostDigits)
                return false;
            value = value * 10 + static_cast<std::uint64_t>(text[i] - L'0');
        }
    }
    return true;
}

}  // namespace

void ListSortKeys::Read(CListCtrl& list, int column, bool numbers)
{
    Clear();
    const int rows = list.GetItemCount();
    m_keys.reserve(static_cast<std::size_t>(rows));
    // Texts of one shape need only their digits; the first row of another
    // shape turns the column to text keys, for the rows before it too.
    std::wstring shape;
    bool sameShape = !numbers && rows > 0;
    for (int row = 0; row < rows; ++row) {
        const std::wstring_view text = Cell(list, row, column);
        if (numbers) {
            m_keys.push_back({static_cast<std::uint64_t>(std::wcstoll(text.data(), nullptr, 10)) ^ (1ULL << 63), 0});
            continue;
        }
        if (sameShape) {
            if (row == 0)
                shape = ShapeOf(text);
            std::uint64_t digits = 0;
            if (DigitsOf(text, shape, digits)) {
                m_keys.push_back({digits, 0});
                continue;
            }
            sameShape = false;
            m_keys.clear();
            for (int earlier = 0; earlier < row; ++earlier)
                AddText(Cell(list, earlier, column));
            AddText(Cell(list, row, column));
            continue;
        }
        AddText(text);
    }
}

std::wstring_view ListSortKeys::Cell(CListCtrl& list, int row, int column)
{
    // Terminated, as wcstoll needs.
    const int copied = list.GetItemText(row, column, m_cell, static_cast<int>(std::size(m_cell)));
    if (copied < static_cast<int>(std::size(m_cell)) - 1)
        return std::wstring_view(m_cell, static_cast<std::size_t>(copied));
    m_longCell = list.GetItemText(row, column);
    return std::wstring_view(m_longCell.GetString(), static_cast<std::size_t>(m_longCell.GetLength()));
}

void ListSortKeys::AddText(std::wstring_view text)
{
    const win::SortPrefix prefix = win::PackSortPrefix(text, false);
    if (prefix.whole) {
        if (!m_spans.empty())
            m_spans.push_back(Span{});
    } else {
        if (m_spans.empty())
            m_spans.assign(m_keys.size(), Span{});
        m_spans.push_back({static_cast<std::uint32_t>(m_texts.size()), static_cast<std::uint32_t>(text.size())});
        m_texts.insert(m_texts.end(), text.begin(), text.end());
    }
    m_keys.push_back({prefix.high, prefix.low});
}

void ListSortKeys::Clear()
{
    std::vector<Key>().swap(m_keys);
    std::vector<Span>().swap(m_spans);
    std::vector<wchar_t>().swap(m_texts);
}

int ListSortKeys::Compare(LPARAM first, LPARAM second) const
{
    const auto count = static_cast<LPARAM>(m_keys.size());
    if (first < 0 || second < 0 || first >= count || second >= count)
        return 0;
    const Key& a = m_keys[static_cast<std::size_t>(first)];
    const Key& b = m_keys[static_cast<std::size_t>(second)];
    if (a.high != b.high)
        return a.high < b.high ? -1 : 1;
    if (a.low != b.low)
        return a.low < b.low ? -1 : 1;
    if (m_spans.empty())
        return 0;
    // Equal keys: a whole text of 16 characters is the start of a longer one.
    const Span& x = m_spans[static_cast<std::size_t>(first)];
    const Span& y = m_spans[static_cast<std::size_t>(second)];
    if (x.IsWhole() || y.IsWhole())
        return static_cast<int>(y.IsWhole()) - static_cast<int>(x.IsWhole());
    const std::wstring_view textX(m_texts.data() + x.offset, x.length);
    const std::wstring_view textY(m_texts.data() + y.offset, y.length);
    const int order = textX.compare(textY);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}
