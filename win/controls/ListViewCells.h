// The texts of one list-view row, kept compact: a list of a hundred
// thousand files is three hundred thousand texts, and a wide string each
// (four bytes a character plus its own allocation) would cost more than the
// whole simulator may use. All cells of a row live in one byte string: a
// width byte (1 when every character of the row is below 256, else 4),
// then each cell as its length in characters (7 bits a byte, high bit set
// when more follow) and its characters at that width. A row of short texts
// needs no allocation at all; moving a row moves one string.
#pragma once

#include "win/Win32Types.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace win {

class ListViewCells {
public:
    int Count() const;
    // The cell's text; empty for a cell never set.
    std::wstring Text(int cell) const;
    // Copies into a buffer of `size` characters, always terminated; returns
    // the characters copied.
    int Copy(int cell, LPWSTR buffer, int size) const;
    // Setting an empty text beyond the last cell leaves the row as it is.
    void Set(int cell, std::wstring_view text);
    // An empty cell before `cell` (when the row reaches that far), or the
    // cell removed: the cells after it move by one.
    void InsertEmpty(int cell);
    void Erase(int cell);

private:
    struct Span {
        std::size_t start = 0;   // of the length
        std::size_t data = 0;    // of the characters
        std::size_t length = 0;  // in characters
        std::size_t End(std::size_t width) const { return data + length * width; }
    };

    std::size_t Width() const { return m_bytes.empty() ? 1 : static_cast<unsigned char>(m_bytes[0]); }
    // The cell's place, or false when the row has fewer cells.
    bool Locate(int cell, Span& span) const;
    void ReadCell(std::size_t position, Span& span) const;
    static void Append(std::string& bytes, std::size_t width, std::wstring_view text);
    void Widen();

    std::string m_bytes;
};

}  // namespace win
