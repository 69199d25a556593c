#pragma once
// Searches put text the user typed into their statements: the exact address search ("!!")
// takes it as typed, so it may carry a further condition ("!!0 OR ID=ID"), and a product
// number is compared without quotes. One search runs one statement; this check refuses a text
// that would add a second one.

#include <QString>

namespace fakvo {

// True when the statement may hold a second statement: a ';' outside single-quoted literals.
// A ';' inside a literal is accepted only when the statement holds none of the constructs
// whose quoting rules differ between databases (backslash escapes, dollar quoting, double
// quotes, backticks, square brackets, comments), so no database can read the literal as
// ending earlier than this check does.
bool AddsSecondStatement(const QString& statement);

// The refusal shown instead of running such a search.
QString SecondStatementMessage();

} // namespace fakvo
