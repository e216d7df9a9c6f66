#pragma once

namespace orv {

// What the read-only guards of the back ends need to know of an SQL text before an engine sees
// it. The texts are UTF-8 and end with a zero byte.

// True when nothing but blanks, semicolons and comments follow.
bool onlyTrivia(const char *text);

// Where the first statement ends: its semicolon, or the end of the text. Semicolons inside
// quoted texts and identifiers, dollar-quoted texts and comments do not end it.
const char *endOfFirstStatement(const char *text);

// True when the first word after blanks, comments and opening parentheses is SELECT, WITH or
// VALUES, without regard to case.
bool startsWithQuery(const char *text);

} // namespace orv
