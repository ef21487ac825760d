// The sort keys of one column of the file page's list, read once when a sort
// begins, so that each of the sort's comparisons is a comparison of numbers.
//
// - Sizes (read as numbers): the value wcstoll gives the text, so "<DIR>"
//   and other text count as 0.
// - Texts whose other characters stand at the same places in every row (the
//   dates, "2024/05/14 17:30:00"): their digits as one number. Such texts
//   compare character by character exactly as their digits compare.
// - Any other text: its first 16 characters packed into two numbers
//   (win/SortPrefix.h), with the whole text kept for the rows whose key does
//   not hold all of it. Keys that differ order the texts as a case-sensitive
//   comparison does; equal keys of texts longer than the key compare whole.
#pragma once

#include "win/controls/CListCtrl.h"

#include <cstdint>
#include <string_view>
#include <vector>

class ListSortKeys {
public:
    void Read(CListCtrl& list, int column, bool numbers);
    // Releases the keys (a sort of a large list holds megabytes).
    void Clear();
    // -1, 0 or 1 as row `first` sorts before, with or after row `second`;
    // 0 for a row that was not read.
    int Compare(LPARAM first, LPARAM second) const;

private:
    struct Key {
        std::uint64_t high = 0;
        std::uint64_t low = 0;
    };
    // Where a text that its key does not hold stands in m_texts.
    struct Span {
        std::uint32_t offset = 0;
        std::uint32_t length = 0;  // 0: the key holds the whole text
        bool IsWhole() const { return length == 0; }
    };

    // The cell's text, valid until the next call.
    std::wstring_view Cell(CListCtrl& list, int row, int column);
    void AddText(std::wstring_view text);

    std::vector<Key> m_keys;
    std::vector<Span> m_spans;  // by row, once any text is longer than its key
    std::vector<wchar_t> m_texts;
    wchar_t m_cell[MAX_PATH * 2] = {};
    CString m_longCell;
};
