// The text that the soft keyboard edits: one or more lines with a cursor on
// one of them, held within three limits: the total number of characters
// (line breaks not counted), the number of lines and the characters per
// line. The cursor is always at the end of its line; keys add to and take
// from the end of the cursor's line.
//
// Line keys:
//   NewLine  - the cursor moves to the next line; on the last line a new
//              empty line is added if the line limit allows.
//   Back     - removes the last character of the cursor's line; on an empty
//              line the cursor moves up, and an empty last line is removed.
//   Up/Down  - move the cursor between existing lines.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace host {

class KeyboardText {
public:
    // What a key did.
    enum class Result { Done, TooLong, LineFull, NoMoreLines, Nothing };

    // maxLength: characters in all (0xFFFFFFFF = unlimited); lines: the most
    // lines (below 2 means one line); charsPerLine: per line (0 or less = unlimited).
    void Configure(unsigned int maxLength, int lines, int charsPerLine);
    // Takes the initial text, line breaks being CR LF, LF or CR; a break
    // that ends the text does not start another line. Text beyond the limits
    // is cut off. The cursor goes to the first line.
    void SetText(std::wstring_view text);
    // Lines joined with CR LF.
    std::wstring GetText() const;

    Result Insert(wchar_t character);
    Result NewLine();
    Result Back();
    Result Up();
    Result Down();
    // Empties the cursor's line.
    Result ClearLine();
    // Moves the cursor to `line`, adding empty lines up to it within the limit.
    void FocusLine(int line);

    const std::vector<std::wstring>& Lines() const { return m_lines; }
    int CursorLine() const { return m_cursor; }
    size_t Length() const;
    bool IsMultiLine() const { return m_maxLines > 1; }
    unsigned int MaxLength() const { return m_maxLength; }
    int MaxLines() const { return m_maxLines; }
    int MaxLineLength() const { return m_maxLineLength; }
    static constexpr unsigned int kUnlimited = 0xFFFFFFFFu;

private:
    std::wstring& Current() { return m_lines[static_cast<size_t>(m_cursor)]; }
    size_t LineLimit() const;

    std::vector<std::wstring> m_lines{std::wstring()};
    int m_cursor = 0;
    unsigned int m_maxLength = kUnlimited;
    int m_maxLines = 1;
    int m_maxLineLength = 0;
};

}  // namespace host
