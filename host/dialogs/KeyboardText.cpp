#include "host/dialogs/KeyboardText.h"

#include <algorithm>

namespace host {

void KeyboardText::Configure(unsigned int maxLength, int lines, int charsPerLine)
{
    m_maxLength = maxLength;
    m_maxLines = lines > 1 ? lines : 1;
    m_maxLineLength = charsPerLine > 0 ? charsPerLine : 0;
}

size_t KeyboardText::LineLimit() const
{
    return m_maxLineLength > 0 ? static_cast<size_t>(m_maxLineLength) : std::wstring::npos;
}

size_t KeyboardText::Length() const
{
    size_t length = 0;
    for (const auto& line : m_lines)
        length += line.size();
    return length;
}

void KeyboardText::SetText(std::wstring_view text)
{
    std::vector<std::wstring> lines(1);
    for (size_t position = 0; position < text.size(); ++position) {
        wchar_t character = text[position];
        if (character == L'\r' || character == L'\n') {
            if (character == L'\r' && position + 1 < text.size() && text[position + 1] == L'\n')
                ++position;
            if (position + 1 < text.size())
                lines.emplace_back();
            continue;
        }
        lines.back() += character;
    }
    if (!IsMultiLine()) {
        // A one-line entry keeps the text, without its breaks.
        std::wstring joined;
        for (const auto& line : lines)
            joined += line;
        lines.assign(1, joined);
    }
    if (lines.size() > static_cast<size_t>(m_maxLines))
        lines.resize(static_cast<size_t>(m_maxLines));
    size_t budget = m_maxLength;
    for (auto& line : lines) {
        if (line.size() > LineLimit())
            line.resize(LineLimit());
        if (line.size() > budget)
            line.resize(budget);
        budget -= line.size();
    }
    m_lines = std::move(lines);
    MoveTo(0);
}

void KeyboardText::MoveTo(int line)
{
    m_cursor = line;
    m_column = static_cast<int>(Current().size());
}

std::wstring KeyboardText::GetText() const
{
    std::wstring text;
    for (size_t index = 0; index < m_lines.size(); ++index) {
        if (index > 0)
            text += L"\r\n";
        text += m_lines[index];
    }
    return text;
}

KeyboardText::Result KeyboardText::Insert(wchar_t character)
{
    if (Length() >= m_maxLength)
        return Result::TooLong;
    if (Current().size() >= LineLimit())
        return Result::LineFull;
    Current().insert(static_cast<size_t>(m_column++), 1, character);
    return Result::Done;
}

KeyboardText::Result KeyboardText::NewLine()
{
    if (m_cursor + 1 < static_cast<int>(m_lines.size())) {
        MoveTo(m_cursor + 1);
        return Result::Done;
    }
    if (static_cast<int>(m_lines.size()) >= m_maxLines)
        return Result::NoMoreLines;
    m_lines.emplace_back();
    MoveTo(m_cursor + 1);
    return Result::Done;
}

KeyboardText::Result KeyboardText::Back()
{
    if (m_column > 0) {
        Current().erase(static_cast<size_t>(--m_column), 1);
        return Result::Done;
    }
    if (m_cursor == 0)
        return Result::Nothing;
    if (m_cursor + 1 == static_cast<int>(m_lines.size()) && Current().empty())
        m_lines.pop_back();
    MoveTo(m_cursor - 1);
    return Result::Done;
}

KeyboardText::Result KeyboardText::Delete()
{
    if (m_column >= static_cast<int>(Current().size()))
        return Result::Nothing;
    Current().erase(static_cast<size_t>(m_column), 1);
    return Result::Done;
}

KeyboardText::Result KeyboardText::Left()
{
    if (m_column == 0)
        return Result::Nothing;
    --m_column;
    return Result::Done;
}

KeyboardText::Result KeyboardText::Right()
{
    if (m_column >= static_cast<int>(Current().size()))
        return Result::Nothing;
    ++m_column;
    return Result::Done;
}

KeyboardText::Result KeyboardText::Home()
{
    if (m_column == 0)
        return Result::Nothing;
    m_column = 0;
    return Result::Done;
}

KeyboardText::Result KeyboardText::End()
{
    if (m_column == static_cast<int>(Current().size()))
        return Result::Nothing;
    m_column = static_cast<int>(Current().size());
    return Result::Done;
}

KeyboardText::Result KeyboardText::Up()
{
    if (m_cursor == 0)
        return Result::Nothing;
    MoveTo(m_cursor - 1);
    return Result::Done;
}

KeyboardText::Result KeyboardText::Down()
{
    if (m_cursor + 1 >= static_cast<int>(m_lines.size()))
        return Result::Nothing;
    MoveTo(m_cursor + 1);
    return Result::Done;
}

KeyboardText::Result KeyboardText::ClearLine()
{
    if (Current().empty())
        return Result::Nothing;
    Current().clear();
    m_column = 0;
    return Result::Done;
}

void KeyboardText::FocusLine(int line)
{
    line = std::clamp(line, 0, m_maxLines - 1);
    while (static_cast<int>(m_lines.size()) <= line)
        m_lines.emplace_back();
    MoveTo(line);
}

}  // namespace host
