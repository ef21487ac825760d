#include "resources/TemplateParser.h"

#include "resources/TemplateStyles.h"
#include "win/TextConvert.h"

#include <charconv>
#include <set>
#include <vector>

namespace resources {
namespace {

struct Token {
    std::wstring text;
    bool quoted = false;
};

// Thrown inside the parser only, caught by ParseDialogTemplate: the first
// error ends the parse.
struct ParseError {
    std::wstring message;
};

// "\n" is a line break, "\t" a tab, "\\" a backslash and "\"" a quote; any
// other escape is a mistake in the file.
wchar_t Unescape(wchar_t c)
{
    switch (c) {
    case L'n':
        return L'\n';
    case L'r':
        return L'\r';
    case L't':
        return L'\t';
    case L'\\':
        return L'\\';
    case L'"':
        return L'"';
    default:
        throw ParseError{std::wstring(L"unknown escape '\\") + c + L"' in a text"};
    }
}

// Splits a line into words and quoted texts; '#' outside quotes starts a
// comment that runs to the end of the line.
std::vector<Token> Tokenize(std::wstring_view line)
{
    std::vector<Token> tokens;
    std::size_t pos = 0;
    while (pos < line.size()) {
        const wchar_t c = line[pos];
        if (c == L' ' || c == L'\t' || c == L'\r') {
            ++pos;
        } else if (c == L'#') {
            break;
        } else if (c == L'"') {
            Token token{L"", true};
            ++pos;
            bool closed = false;
            while (pos < line.size()) {
                const wchar_t t = line[pos++];
                if (t == L'"') {
                    closed = true;
                    break;
                }
                if (t == L'\\') {
                    if (pos >= line.size())
                        break;
                    token.text += Unescape(line[pos++]);
                } else {
                    token.text += t;
                }
            }
            if (!closed)
                throw ParseError{L"text without its closing quote"};
            tokens.push_back(std::move(token));
        } else {
            Token token;
            while (pos < line.size() && line[pos] != L' ' && line[pos] != L'\t' && line[pos] != L'\r' &&
                   line[pos] != L'"' && line[pos] != L'#')
                token.text += line[pos++];
            tokens.push_back(std::move(token));
        }
    }
    return tokens;
}

bool ParseInteger(const Token& token, long long& value)
{
    if (token.quoted || token.text.empty())
        return false;
    std::string narrow = win::WideToUtf8(token.text);
    const char* first = narrow.data();
    const char* last = first + narrow.size();
    int base = 10;
    if (narrow.size() > 2 && narrow[0] == '0' && (narrow[1] == 'x' || narrow[1] == 'X')) {
        first += 2;
        base = 16;
    }
    auto [end, error] = std::from_chars(first, last, value, base);
    return error == std::errc() && end == last;
}

class Parser {
public:
    explicit Parser(win::DialogTemplate& dialog) : m_dialog(dialog) {}

    void Line(const std::vector<Token>& tokens)
    {
        if (tokens.empty())
            return;
        const Token& head = tokens[0];
        if (!m_sawDialog) {
            if (head.quoted || head.text != L"dialog")
                throw ParseError{L"a template starts with \"dialog <id>\""};
            ExpectCount(tokens, 2, L"dialog <id>");
            m_dialog.id = static_cast<UINT>(Integer(tokens[1], 1, 0xFFFF, L"dialog id"));
            m_sawDialog = true;
            return;
        }
        if (head.quoted)
            throw ParseError{L"a line starts with a keyword or a control id, not a text"};
        long long id = 0;
        if (ParseInteger(head, id)) {
            Control(tokens);
            return;
        }
        if (head.text == L"caption") {
            Once(L"caption");
            ExpectCount(tokens, 2, L"caption \"<text>\"");
            m_dialog.caption = Text(tokens[1], L"caption");
        } else if (head.text == L"font") {
            Once(L"font");
            ExpectCount(tokens, 3, L"font \"<name>\" <points>");
            m_dialog.fontName = Text(tokens[1], L"font name");
            m_dialog.fontSize = static_cast<int>(Integer(tokens[2], 1, 72, L"font size"));
        } else if (head.text == L"style") {
            Once(L"style");
            m_dialog.style = 0;
            for (std::size_t i = 1; i < tokens.size(); ++i)
                m_dialog.style |= DialogKeyword(tokens[i]);
        } else if (head.text == L"position") {
            Once(L"position");
            ExpectCount(tokens, 3, L"position <x> <y>");
            m_dialog.x = static_cast<int>(Integer(tokens[1], -32768, 32767, L"x"));
            m_dialog.y = static_cast<int>(Integer(tokens[2], -32768, 32767, L"y"));
        } else if (head.text == L"size") {
            Once(L"size");
            ExpectCount(tokens, 3, L"size <width> <height>");
            m_dialog.cx = static_cast<int>(Integer(tokens[1], 0, 32767, L"width"));
            m_dialog.cy = static_cast<int>(Integer(tokens[2], 0, 32767, L"height"));
        } else if (head.text == L"dialog") {
            throw ParseError{L"a file holds one template: second \"dialog\" line"};
        } else {
            throw ParseError{L"unknown keyword '" + head.text + L"'"};
        }
    }

    // Checks what only the whole file can tell; returns the message or empty.
    std::wstring Finish() const
    {
        if (!m_sawDialog)
            return L"no \"dialog <id>\" line";
        if (!m_seen.count(L"size"))
            return L"no \"size <width> <height>\" line";
        return {};
    }

private:
    // <id> <class> [keywords...] <x> <y> <cx> <cy> ["text"]
    void Control(const std::vector<Token>& tokens)
    {
        win::ControlTemplate control;
        control.id = static_cast<int>(Integer(tokens[0], -1, 0xFFFF, L"control id"));
        if (control.id != -1 && !m_controlIds.insert(control.id).second)
            throw ParseError{L"control id " + tokens[0].text + L" used twice"};
        if (tokens.size() < 2 || tokens[1].quoted)
            throw ParseError{L"control " + tokens[0].text + L" has no class"};
        const ControlClassWord* classWord = FindControlClassWord(tokens[1].text);
        if (!classWord)
            throw ParseError{L"unknown control class '" + tokens[1].text + L"'"};
        control.controlClass = classWord->controlClass;
        control.className = std::wstring(classWord->className);
        control.style = kControlBaseStyle | classWord->style;

        std::size_t pos = 2;
        long long number = 0;
        while (pos < tokens.size() && !tokens[pos].quoted && !ParseInteger(tokens[pos], number)) {
            ControlKeyword(*classWord, tokens[pos], control);
            ++pos;
        }
        if (tokens.size() - pos < 4)
            throw ParseError{L"control " + tokens[0].text + L" needs x, y, width and height"};
        control.x = static_cast<int>(Integer(tokens[pos], -32768, 32767, L"x"));
        control.y = static_cast<int>(Integer(tokens[pos + 1], -32768, 32767, L"y"));
        control.cx = static_cast<int>(Integer(tokens[pos + 2], 0, 32767, L"width"));
        control.cy = static_cast<int>(Integer(tokens[pos + 3], 0, 32767, L"height"));
        pos += 4;
        if (pos < tokens.size())
            control.text = Text(tokens[pos++], L"control text");
        if (pos < tokens.size())
            throw ParseError{L"unexpected '" + tokens[pos].text + L"' after the control's text"};
        m_dialog.controls.push_back(std::move(control));
    }

    void ControlKeyword(const ControlClassWord& classWord, const Token& token, win::ControlTemplate& control)
    {
        const std::wstring& word = token.text;
        if (word == L"hidden") {
            control.style &= ~WS_VISIBLE;
            return;
        }
        if (RawStyle(word, L"style:", control.style) || RawStyle(word, L"exstyle:", control.exStyle))
            return;
        for (auto keywords : {ClassControlKeywords(classWord.controlClass), CommonControlKeywords()}) {
            for (const StyleKeyword& keyword : keywords) {
                if (keyword.word == word) {
                    control.style |= keyword.style;
                    control.exStyle |= keyword.exStyle;
                    return;
                }
            }
        }
        throw ParseError{L"'" + word + L"' is not a style of a " + std::wstring(classWord.word)};
    }

    DWORD DialogKeyword(const Token& token)
    {
        DWORD style = 0;
        if (!token.quoted && RawStyle(token.text, L"style:", style))
            return style;
        for (const StyleKeyword& keyword : DialogStyleKeywords()) {
            if (!token.quoted && keyword.word == token.text)
                return keyword.style;
        }
        throw ParseError{L"'" + token.text + L"' is not a dialog style"};
    }

    // "style:0x1234" adds raw style bits that no keyword names.
    static bool RawStyle(const std::wstring& word, std::wstring_view prefix, DWORD& bits)
    {
        if (word.compare(0, prefix.size(), prefix) != 0)
            return false;
        long long value = 0;
        if (!ParseInteger(Token{word.substr(prefix.size()), false}, value) || value < 0 || value > 0xFFFFFFFFLL)
            throw ParseError{L"'" + word + L"' needs a number such as " + std::wstring(prefix) + L"0x1000"};
        bits |= static_cast<DWORD>(value);
        return true;
    }

    static long long Integer(const Token& token, long long min, long long max, const wchar_t* what)
    {
        long long value = 0;
        if (!ParseInteger(token, value))
            throw ParseError{std::wstring(what) + L" must be a number, not '" + token.text + L"'"};
        if (value < min || value > max)
            throw ParseError{std::wstring(what) + L" " + token.text + L" is out of range " + std::to_wstring(min) +
                             L" to " + std::to_wstring(max)};
        return value;
    }

    static std::wstring Text(const Token& token, const wchar_t* what)
    {
        if (!token.quoted)
            throw ParseError{std::wstring(what) + L" must be in double quotes"};
        return token.text;
    }

    static void ExpectCount(const std::vector<Token>& tokens, std::size_t count, const wchar_t* form)
    {
        if (tokens.size() != count)
            throw ParseError{std::wstring(L"expected ") + form};
    }

    void Once(const std::wstring& keyword)
    {
        if (!m_seen.insert(keyword).second)
            throw ParseError{L"\"" + keyword + L"\" given twice"};
    }

    win::DialogTemplate& m_dialog;
    bool m_sawDialog = false;
    std::set<std::wstring> m_seen;
    std::set<int> m_controlIds;
};

TemplateParseResult Failure(std::string_view fileName, int line, const std::wstring& message)
{
    TemplateParseResult result;
    result.errorLine = line;
    result.error = win::Utf8ToWide(fileName) + L":" + std::to_wstring(line) + L": " + message;
    return result;
}

}  // namespace

TemplateParseResult ParseDialogTemplate(std::string_view text, std::string_view fileName)
{
    win::DialogTemplate dialog;
    Parser parser(dialog);
    int lineNumber = 0;
    std::size_t start = 0;
    if (text.substr(0, 3) == "\xEF\xBB\xBF")  // a byte-order mark some editors add
        start = 3;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (!win::IsValidUtf8(line))
            return Failure(fileName, lineNumber, L"the line is not valid UTF-8");
        try {
            parser.Line(Tokenize(win::Utf8ToWide(line)));
        } catch (const ParseError& error) {
            return Failure(fileName, lineNumber, error.message);
        }
    }
    const std::wstring missing = parser.Finish();
    if (!missing.empty())
        return Failure(fileName, lineNumber > 0 ? lineNumber : 1, missing);
    TemplateParseResult result;
    result.dialog = std::move(dialog);
    return result;
}

}  // namespace resources
