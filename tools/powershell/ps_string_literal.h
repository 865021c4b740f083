#pragma once
// String literals and variable references, read exactly as Windows PowerShell 5.1 reads them.
//
// Double-quoted strings: a backtick before 0 a b f n r t v gives that control character and before any
// other character gives the character itself; two quotation marks in a row give one (the second); $name,
// $scope:name and ${name} are variables; $( ... ) is a subexpression. Single-quoted strings: nothing
// expands and two quotes give one. U+201C, U+201D and U+201E count as double quotation marks and
// U+2018 to U+201B as single ones, the opening and closing forms alike.
#include "ps_cursor.h"
#include "ps_syntax.h"

#include <functional>

// Reads "$( statements )" at the cursor. The parser supplies it: a subexpression holds whole statements.
using TPsSubExpressionReader = std::function<TPsExpression(TPsCursor&)>;

// True when the cursor stands on a "$" that starts a variable reference.
bool AtPsVariable(const TPsCursor& cursor);

// Reads $name, $scope:name, ${any text}, or one of the one-character variables $$, $? and $^.
TPsExpression ReadPsVariable(TPsCursor& cursor);

// Reads a single-quoted string; the cursor stands on its opening quote.
TPsExpression ReadPsVerbatimString(TPsCursor& cursor);

// Reads a double-quoted string into its pieces; the cursor stands on its opening quote.
TPsExpression ReadPsExpandableString(TPsCursor& cursor, const TPsSubExpressionReader& readSubExpression);
