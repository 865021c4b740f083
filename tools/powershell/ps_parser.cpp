#include "ps_parser.h"

#include "ps_chars.h"
#include "ps_cursor.h"
#include "ps_string_literal.h"
#include "ps_text.h"

#include <string>

namespace {

constexpr size_t kNoParenthesis = size_t(-1);

bool IsHexDigit(wchar_t c) {
    return IsAsciiDigit(c) || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F');
}

bool HasExpandingChar(std::wstring_view word) {
    for (const wchar_t c : word)
        if (IsPsQuote(c) || c == L'$' || c == L'`') return true;
    return false;
}

class TParser {
public:
    explicit TParser(std::wstring_view line) : FCursor(line) {}

    TPsScript ParseLine() { return ParseStatements(kNoParenthesis); }

private:
    TPsCursor FCursor;

    wchar_t Peek(size_t ahead = 0) const { return FCursor.Peek(ahead); }
    size_t Position() const { return FCursor.Position(); }

    // Blanks, line continuations (a backtick before a line break) and comments.
    void SkipBlanks(bool newlines = false) {
        for (;;) {
            const wchar_t c = Peek();
            if (IsPsBlank(c) || (newlines && IsPsNewline(c))) {
                FCursor.Skip();
            } else if (c == L'`' && IsPsNewline(Peek(1))) {
                FCursor.Skip(Peek(1) == L'\r' && Peek(2) == L'\n' ? 3 : 2);
            } else if (c == L'#') {
                while (!FCursor.AtEnd() && !IsPsNewline(Peek()))
                    FCursor.Skip();
            } else {
                return;
            }
        }
    }

    bool AtStatementEnd() const {
        const wchar_t c = Peek();
        return FCursor.AtEnd() || c == L';' || IsPsNewline(c) || c == L')';
    }

    bool AtWordEnd() const { return FCursor.AtEnd() || IsPsWordEnd(Peek()); }

    bool AtKeyword(std::wstring_view keyword) const {
        const std::wstring_view rest = FCursor.Text().substr(Position());
        if (rest.size() < keyword.size() || !SameText(rest.substr(0, keyword.size()), keyword)) return false;
        return rest.size() == keyword.size() || IsPsWordEnd(rest[keyword.size()]);
    }

    std::wstring TokenAt(size_t position) const {
        const std::wstring_view text = FCursor.Text();
        size_t end = position + 1;
        while (end < text.size() && !IsPsBlank(text[end]) && !IsPsNewline(text[end]))
            ++end;
        return std::wstring(text.substr(position, end - position));
    }

    [[noreturn]] void UnexpectedToken() const {
        const std::wstring token = TokenAt(Position());
        FCursor.Fail(Position(), token.size(), L"UnexpectedToken",
                     L"Unexpected token '" + token + L"' in expression or statement.");
    }

    [[noreturn]] void NotSupported(size_t position, size_t length) const {
        const std::wstring what(FCursor.Text().substr(position, length));
        FCursor.Fail(position, length, L"NotSupportedByThisConsole",
                     L"This console does not support '" + what + L"' here.");
    }

    TPsScript ParseStatements(size_t openPosition) {
        TPsScript script;
        for (;;) {
            SkipBlanks();
            if (FCursor.AtEnd()) {
                if (openPosition == kNoParenthesis) return script;
                FCursor.Fail(Position(), 1, L"MissingEndParenthesisInSubexpression",
                             L"Missing closing ')' in subexpression.");
            }
            const wchar_t c = Peek();
            if (c == L';' || IsPsNewline(c)) {
                FCursor.Skip();
                continue;
            }
            if (c == L')') {
                if (openPosition == kNoParenthesis) UnexpectedToken();
                FCursor.Skip();
                return script;
            }
            script.push_back(ParseStatement());
            SkipBlanks();
            if (!AtStatementEnd()) UnexpectedToken();
        }
    }

    TPsStatement ParseStatement() {
        TPsStatement statement;
        statement.position = Position();
        if (AtKeyword(L"exit")) {
            statement.isExit = true;
            FCursor.Skip(4);
            SkipBlanks();
            if (!AtStatementEnd()) {
                if (!AtExpressionStart()) NotSupported(Position(), TokenAt(Position()).size());
                statement.exitCode = ParsePrimary();
            }
            return statement;
        }
        statement.pipeline = ParsePipeline();
        return statement;
    }

    // A statement whose first token is one of these is an expression, not a command.
    bool AtExpressionStart() const {
        const wchar_t c = Peek();
        if (IsPsQuote(c) || c == L'$' || c == L'(' || c == L'[' || c == L'@') return true;
        if (!IsAsciiDigit(c)) return false;
        size_t i = 0; // a number only when nothing but digits follow, as in "7" but not "7z"
        if (c == L'0' && (Peek(1) == L'x' || Peek(1) == L'X') && IsHexDigit(Peek(2))) {
            i = 2;
            while (IsHexDigit(Peek(i)))
                ++i;
        } else {
            while (IsAsciiDigit(Peek(i)))
                ++i;
        }
        return Peek(i) == L'\0' || IsPsWordEnd(Peek(i));
    }

    TPsPipeline ParsePipeline() {
        TPsPipeline pipeline;
        pipeline.position = Position();
        for (;;) {
            SkipBlanks();
            const size_t at = Position();
            if (AtStatementEnd() || Peek() == L'|')
                FCursor.Fail(at, 1, L"EmptyPipeElement", L"An empty pipe element is not allowed.");
            if (AtExpressionStart()) {
                if (!pipeline.commands.empty() || pipeline.head)
                    FCursor.Fail(at, TokenAt(at).size(), L"ExpressionsMustBeFirstInPipeline",
                                 L"Expressions are only allowed as the first element of a pipeline.");
                pipeline.head = ParsePrimary();
                RejectOperator();
            } else {
                pipeline.commands.push_back(ParseCommand());
            }
            SkipBlanks();
            if (Peek() == L'>') {
                ParseRedirection(pipeline);
                SkipBlanks();
                if (Peek() == L'|') NotSupported(Position(), 1);
                break;
            }
            if (Peek() != L'|') break;
            FCursor.Skip();
        }
        pipeline.length = Position() - pipeline.position;
        return pipeline;
    }

    // Operators, member access and indexing after an expression are PowerShell, but not this console's.
    void RejectOperator() {
        SkipBlanks();
        const wchar_t c = Peek();
        if (c == L'.' || c == L'[' || c == L'+' || IsPsDash(c) || c == L'*' || c == L'/' || c == L'%' ||
            c == L'=' || c == L',' || c == L'!')
            NotSupported(Position(), TokenAt(Position()).size());
    }

    // A bare word: a command name or an unquoted argument. Quotes, variables and escapes inside one are
    // PowerShell, but not this console's; an unterminated string in it is still reported as PowerShell does.
    std::wstring ReadBareWord() {
        const size_t at = Position();
        bool expanding = false;
        while (!AtWordEnd()) {
            const wchar_t c = Peek();
            if (IsPsQuote(c)) {
                ParsePrimary();
            } else {
                FCursor.Skip(c == L'`' ? 2 : 1);
                if (FCursor.Position() > FCursor.Text().size()) FCursor.Seek(FCursor.Text().size());
            }
            expanding = expanding || IsPsQuote(c) || c == L'$' || c == L'`';
        }
        if (Position() == at) UnexpectedToken();
        if (expanding) NotSupported(at, Position() - at);
        return std::wstring(FCursor.Text().substr(at, Position() - at));
    }

    static TPsExpression TextExpression(std::wstring text, size_t position, size_t length) {
        TPsExpression e;
        e.text = std::move(text);
        e.position = position;
        e.length = length;
        return e;
    }

    TPsCommand ParseCommand() {
        TPsCommand command;
        command.position = Position();
        const wchar_t first = Peek();
        if (first == L'<')
            FCursor.Fail(Position(), 1, L"RedirectionNotSupported",
                         L"The '<' operator is reserved for future use.");
        if (first == L'}' || first == L'>') UnexpectedToken();
        if (!(IsAsciiLetter(first) || IsAsciiDigit(first) || first == L'_' || first == L'.' ||
              first == L'\\' || IsNonAsciiLetterOrDigit(first)))
            NotSupported(Position(), 1);
        command.name = ReadBareWord();
        for (;;) {
            SkipBlanks();
            const wchar_t c = Peek();
            if (AtStatementEnd() || c == L'|' || c == L'>') break;
            TPsCommandElement element;
            element.position = Position();
            if (IsPsDash(c) && (IsAsciiLetter(Peek(1)) || Peek(1) == L'_' || Peek(1) == L'?' ||
                                IsNonAsciiLetterOrDigit(Peek(1)))) {
                FCursor.Skip();
                while (!AtWordEnd() && Peek() != L':')
                    element.parameterName += FCursor.Next();
                if (Peek() == L':' || HasExpandingChar(element.parameterName))
                    NotSupported(element.position, Position() + 1 - element.position);
                element.isParameter = true;
            } else if (IsPsQuote(c) || c == L'$' || c == L'(') {
                element.argument = ParsePrimary();
                if (!AtWordEnd()) NotSupported(element.position, TokenAt(element.position).size());
            } else if (c == L'<') {
                FCursor.Fail(Position(), 1, L"RedirectionNotSupported",
                             L"The '<' operator is reserved for future use.");
            } else if (c == L'{' || c == L'}' || c == L'&' || c == L',' || c == L'[' || c == L'@') {
                NotSupported(Position(), 1);
            } else {
                std::wstring word = ReadBareWord();
                if (Peek() == L'>') NotSupported(element.position, word.size() + 1); // "2>", "*>"
                element.argument =
                    TextExpression(std::move(word), element.position, Position() - element.position);
            }
            element.length = Position() - element.position;
            command.elements.push_back(std::move(element));
        }
        command.length = Position() - command.position;
        return command;
    }

    void ParseRedirection(TPsPipeline& pipeline) {
        const size_t at = Position();
        FCursor.Skip(); // ">"
        if (Peek() == L'>' || Peek() == L'&') NotSupported(at, 2);
        SkipBlanks();
        const wchar_t c = Peek();
        if (AtStatementEnd() || c == L'|' || c == L'>' || c == L'<')
            FCursor.Fail(at, 1, L"MissingFileSpecification",
                         L"Missing file name after redirection operator.");
        const size_t targetAt = Position();
        if (IsPsQuote(c) || c == L'$' || c == L'(') {
            pipeline.redirectTarget = ParsePrimary();
            if (!AtWordEnd()) NotSupported(targetAt, TokenAt(targetAt).size());
        } else {
            std::wstring word = ReadBareWord();
            pipeline.redirectTarget = TextExpression(std::move(word), targetAt, Position() - targetAt);
        }
        pipeline.redirectPosition = at;
    }

    TPsExpression ParsePrimary() {
        const size_t at = Position();
        const wchar_t c = Peek();
        if (IsPsSingleQuote(c)) return ReadPsVerbatimString(FCursor);
        if (IsPsDoubleQuote(c))
            return ReadPsExpandableString(FCursor, [this](TPsCursor&) { return ParseSubExpression(); });
        if (c == L'$') {
            if (Peek(1) == L'(') return ParseSubExpression();
            if (AtPsVariable(FCursor)) return ReadPsVariable(FCursor);
            NotSupported(at, 1);
        }
        if (c == L'(') return ParseParenthesis();
        if (c == L'[') return ParseCast();
        if (IsAsciiDigit(c)) return ParseNumber();
        if (AtStatementEnd() || c == L'|')
            FCursor.Fail(at, 1, L"ExpectedExpression", L"An expression was expected here.");
        NotSupported(at, TokenAt(at).size());
    }

    TPsExpression ParseSubExpression() {
        TPsExpression e;
        e.kind = TPsExpression::TKind::SubExpression;
        e.position = Position();
        FCursor.Skip(2); // "$("
        e.statements = ParseStatements(e.position);
        e.length = Position() - e.position;
        return e;
    }

    TPsExpression ParseParenthesis() {
        TPsExpression e;
        e.kind = TPsExpression::TKind::Paren;
        e.position = Position();
        FCursor.Skip(); // "("
        SkipBlanks(true);
        if (Peek() == L')' || FCursor.AtEnd())
            FCursor.Fail(Position(), 1, L"ExpectedExpression", L"An expression was expected after '('.");
        e.statements.push_back(ParseStatement());
        SkipBlanks(true);
        if (FCursor.AtEnd() || Peek() == L';')
            FCursor.Fail(Position(), 1, L"MissingEndParenthesisInExpression",
                         L"Missing closing ')' in expression.");
        if (Peek() != L')') UnexpectedToken();
        FCursor.Skip();
        e.length = Position() - e.position;
        return e;
    }

    TPsExpression ParseCast() {
        TPsExpression e;
        e.kind = TPsExpression::TKind::CharCast;
        e.position = Position();
        FCursor.Skip(); // "["
        const size_t nameAt = Position();
        while (!FCursor.AtEnd() && Peek() != L']')
            FCursor.Skip();
        if (FCursor.AtEnd())
            FCursor.Fail(e.position, Position() - e.position, L"EndSquareBracketExpectedAtEndOfType",
                         L"Missing ] at end of type token.");
        const std::wstring_view name = FCursor.Text().substr(nameAt, Position() - nameAt);
        FCursor.Skip(); // "]"
        if (!SameText(name, L"char") && !SameText(name, L"System.Char"))
            NotSupported(e.position, Position() - e.position);
        SkipBlanks();
        if (AtStatementEnd() || Peek() == L'|' || Peek() == L'>')
            NotSupported(e.position, Position() - e.position);
        e.parts.push_back(ParsePrimary());
        e.length = Position() - e.position;
        return e;
    }

    TPsExpression ParseNumber() {
        TPsExpression e;
        e.kind = TPsExpression::TKind::Number;
        e.position = Position();
        const bool hex = Peek() == L'0' && (Peek(1) == L'x' || Peek(1) == L'X') && IsHexDigit(Peek(2));
        if (hex) FCursor.Skip(2);
        unsigned long long value = 0;
        bool overflow = false;
        for (;;) {
            const wchar_t c = Peek();
            unsigned digit = 0;
            if (IsAsciiDigit(c))
                digit = unsigned(c - L'0');
            else if (hex && IsHexDigit(c))
                digit = unsigned((c | 0x20) - L'a' + 10);
            else
                break;
            const unsigned long long base = hex ? 16 : 10;
            overflow = overflow || value > (0x7FFFFFFFFFFFFFFFull - digit) / base;
            value = value * base + digit;
            FCursor.Skip();
        }
        e.length = Position() - e.position;
        if (overflow || !(AtWordEnd() || Peek() == L']'))
            NotSupported(e.position, TokenAt(e.position).size());
        e.number = (long long)value;
        return e;
    }
};

} // namespace

TPsParseResult ParsePsLine(std::wstring_view line) {
    TPsParseResult result;
    try {
        result.script = TParser(line).ParseLine();
    } catch (const TPsParseFailure& failure) {
        result.script.clear();
        result.error = failure.error;
    }
    return result;
}
