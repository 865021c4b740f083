#include "ps_string_literal.h"

#include "ps_chars.h"

namespace {

wchar_t BacktickEscape(wchar_t c) {
    switch (c) {
    case L'0':
        return L'\0';
    case L'a':
        return L'\a';
    case L'b':
        return L'\b';
    case L'f':
        return L'\f';
    case L'n':
        return L'\n';
    case L'r':
        return L'\r';
    case L't':
        return L'\t';
    case L'v':
        return L'\v';
    default:
        return c; // Windows PowerShell 5.1 has no `e and no `u{...}
    }
}

[[noreturn]] void FailUnterminated(const TPsCursor& cursor, size_t start, const wchar_t* quote) {
    cursor.Fail(start, cursor.Position() - start, L"TerminatorExpectedAtEndOfString",
                std::wstring(L"The string is missing the terminator: ") + quote + L".");
}

TPsExpression TextPiece(std::wstring text) {
    TPsExpression t;
    t.kind = TPsExpression::TKind::Text;
    t.text = std::move(text);
    return t;
}

void ReadBracedName(TPsCursor& cursor, TPsExpression& variable) {
    cursor.Skip(); // "{"
    for (;;) {
        if (cursor.AtEnd())
            cursor.Fail(variable.position, cursor.Position() - variable.position,
                        L"IncompleteDollarVariableReference", L"Missing '}' at end of variable name.");
        wchar_t c = cursor.Next();
        if (c == L'}') break;
        if (c == L'`' && !cursor.AtEnd()) c = cursor.Next();
        variable.text += c;
    }
    if (variable.text.empty())
        cursor.Fail(variable.position, cursor.Position() - variable.position, L"EmptyVariableReference",
                    L"Empty ${} variable reference, there should be a name between the braces.");
}

void ReadPlainName(TPsCursor& cursor, TPsExpression& variable) {
    const wchar_t first = cursor.Next();
    variable.text = first;
    if (first == L'$' || first == L'?' || first == L'^') return; // one character: "$$w0rd" is $$ then "w0rd"
    bool qualified = false;
    for (;;) {
        const wchar_t c = cursor.Peek();
        if (IsPsVariableChar(c)) {
            variable.text += c;
            cursor.Skip();
        } else if (c == L':' && cursor.Peek(1) != L':' && !qualified) {
            // "$env:NAME", "$global:x": a colon that follows a name must be followed by more of it.
            if (!IsPsVariableChar(cursor.Peek(1)))
                cursor.Fail(cursor.Position(), 1, L"InvalidVariableReferenceWithDrive",
                            L"Variable reference is not valid. ':' was not followed by a valid variable name "
                            L"character. Consider using ${} to delimit the name.");
            qualified = true;
            variable.text += c;
            cursor.Skip();
        } else {
            return;
        }
    }
}

} // namespace

bool AtPsVariable(const TPsCursor& cursor) {
    return cursor.Peek() == L'$' && (cursor.Peek(1) == L'{' || IsPsVariableStart(cursor.Peek(1)));
}

TPsExpression ReadPsVariable(TPsCursor& cursor) {
    TPsExpression variable;
    variable.kind = TPsExpression::TKind::Variable;
    variable.position = cursor.Position();
    cursor.Skip(); // "$"
    if (cursor.Peek() == L'{')
        ReadBracedName(cursor, variable);
    else
        ReadPlainName(cursor, variable);
    variable.length = cursor.Position() - variable.position;
    return variable;
}

TPsExpression ReadPsVerbatimString(TPsCursor& cursor) {
    TPsExpression s = TextPiece({});
    s.position = cursor.Position();
    cursor.Skip();
    for (;;) {
        if (cursor.AtEnd()) FailUnterminated(cursor, s.position, L"'");
        const wchar_t c = cursor.Next();
        if (IsPsSingleQuote(c)) {
            if (!IsPsSingleQuote(cursor.Peek())) break;
            s.text += cursor.Next();
        } else {
            s.text += c;
        }
    }
    s.length = cursor.Position() - s.position;
    return s;
}

TPsExpression ReadPsExpandableString(TPsCursor& cursor, const TPsSubExpressionReader& readSubExpression) {
    TPsExpression s;
    s.kind = TPsExpression::TKind::Expandable;
    s.position = cursor.Position();
    std::wstring text;
    const auto flush = [&] {
        if (!text.empty()) s.parts.push_back(TextPiece(std::move(text)));
        text.clear();
    };
    cursor.Skip();
    for (;;) {
        if (cursor.AtEnd()) FailUnterminated(cursor, s.position, L"\"");
        const wchar_t c = cursor.Peek();
        if (c == L'`') {
            cursor.Skip();
            if (!cursor.AtEnd()) text += BacktickEscape(cursor.Next());
        } else if (IsPsDoubleQuote(c)) {
            cursor.Skip();
            if (!IsPsDoubleQuote(cursor.Peek())) break;
            text += cursor.Next();
        } else if (c == L'$' && cursor.Peek(1) == L'(') {
            flush();
            s.parts.push_back(readSubExpression(cursor));
        } else if (AtPsVariable(cursor)) {
            flush();
            s.parts.push_back(ReadPsVariable(cursor));
        } else {
            text += c;
            cursor.Skip();
        }
    }
    flush();
    s.length = cursor.Position() - s.position;
    return s;
}
