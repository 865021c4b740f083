#pragma once
// The syntax tree of one typed line: the small part of the Windows PowerShell language that the console
// understands. Positions are offsets of code units in the line, for the error messages.
#include <optional>
#include <string>
#include <vector>

struct TPsStatement;

struct TPsExpression {
    enum class TKind {
        Text,          // a single-quoted string, a bare word, or a piece of text inside a double-quoted one
        Expandable,    // a double-quoted string: its pieces, joined when it is evaluated
        Number,        // an integer literal
        Variable,      // $name or ${name}
        Paren,         // ( pipeline )
        SubExpression, // $( statements )
        CharCast,      // [char] operand
    };
    TKind kind = TKind::Text;
    size_t position = 0;
    size_t length = 0;
    std::wstring text;                    // Text: the value; Variable: the name as written
    long long number = 0;                 // Number
    std::vector<TPsExpression> parts;     // Expandable: its pieces; CharCast: the operand
    std::vector<TPsStatement> statements; // Paren, SubExpression
};

struct TPsCommandElement {
    bool isParameter = false;
    std::wstring parameterName; // without the dash
    TPsExpression argument;     // when not a parameter
    size_t position = 0;
    size_t length = 0;
};

struct TPsCommand {
    std::wstring name;
    size_t position = 0;
    size_t length = 0;
    std::vector<TPsCommandElement> elements;
};

struct TPsPipeline {
    std::optional<TPsExpression> head; // an expression as first element, or none when a command comes first
    std::vector<TPsCommand> commands;
    std::optional<TPsExpression> redirectTarget; // the file after ">"
    size_t redirectPosition = 0;
    size_t position = 0;
    size_t length = 0;
};

struct TPsStatement {
    bool isExit = false;
    TPsPipeline pipeline;                  // when not an exit
    std::optional<TPsExpression> exitCode; // "exit <expression>"
    size_t position = 0;
};

using TPsScript = std::vector<TPsStatement>;
