// The text that the soft keyboard edits: one or more lines with a cursor on
// one of them, held within three limits: the total number of characters
// (line breaks not counted), the number of lines and the characters per
// line. Lines are records (an annotation line, a signal name): keys never
// join two lines or split one.
//
// Line keys:
//   NewLine  - the cursor moves to the end of the next line; on the last line
//              a new empty line is added if the line limit allows.
//   Back     - removes the character before the cursor; at the start of a
//              line the cursor moves to the end of the line above, and an
//              empty last line is removed.
//   Delete   - removes the character after the cursor; nothing at a line's end.
//   Left/Right, Home/End - move the cursor within its line.
//   Up/Down  - move the cursor to the end of the line above or below.
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
    // is cut off. The cursor goes to the end of the first line.
    void SetText(std::wstring_view text);
    // Lines joined with CR LF.
    std::wstring GetText() const;

    Result Insert(wchar_t character);
    Result NewLine();
    Result Back();
    Result Delete();
    Result Left();
    Result Right();
    Result Home();
    Result End();
    Result Up();
    Result Down();
    // Empties the cursor's line.
    Result ClearLine();
    // Moves the cursor to the end of `line`, adding empty lines up to it
    // within the limit.
    void FocusLine(int line);

    const std::vector<std::wstring>& Lines() const { return m_lines; }
    int CursorLine() const { return m_cursor; }
    // Characters of the cursor's line before the cursor.
    int CursorColumn() const { return m_column; }
    size_t Length() const;
    bool IsMultiLine() const { return m_maxLines > 1; }
    unsigned int MaxLength() const { return m_maxLength; }
    int MaxLines() const { return m_maxLines; }
    int MaxLineLength() const { return m_maxLineLength; }
    static constexpr unsigned int kUnlimited = 0xFFFFFFFFu;

private:
    std::wstring& Current() { return m_lines[static_cast<size_t>(m_cursor)]; }
    size_t LineLimit() const;
    // Puts the cursor on `line`, at its end.
    void MoveTo(int line);

    std::vector<std::wstring> m_lines{std::wstring()};
    int m_cursor = 0;
    int m_column = 0;
    unsigned int m_maxLength = kUnlimited;
    int m_maxLines = 1;
    int m_maxLineLength = 0;
};

}  // namespace host
