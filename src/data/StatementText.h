#pragma once

#include <optional>
#include <string>
#include <vector>

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

// A text with its numeric literals taken out as parameters, so that texts differing only in
// those numbers share one prepared statement.
struct NumericLiteral {
    std::string digits; // as written: "17", "1.50"
    bool decimal;       // written with a decimal point
};
struct LiteralShape {
    std::string text; // the literals replaced by `marker` and their number from 1: "?1", "$2"
    std::vector<NumericLiteral> literals;
};

// Literals inside quoted texts, identifiers and comments stay, and so do those a parameter
// could not replace without changing the meaning: a column position after ORDER BY, GROUP BY or
// DISTINCT ON, numbers with an exponent, a hexadecimal or 64-bit overflowing integer. A sign
// stays in the text. Nothing when the text holds no literal, more than `maxLiterals`, or a
// parameter of its own.
std::optional<LiteralShape> numericLiteralsAsParameters(const char *text, char marker,
                                                        std::size_t maxLiterals);

} // namespace orv
