#include "StatementText.h"

#include <cstring>
#include <string_view>
#include <strings.h>

namespace orv {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

bool isWordChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           (static_cast<unsigned char>(c) & 0x80) != 0;
}

// Past a comment that starts at p, or p itself when none does. Block comments nest, as the
// server reads them; one left open runs to the end.
const char *skipComment(const char *p)
{
    if (p[0] == '-' && p[1] == '-') {
        while (*p && *p != '\n')
            ++p;
        return p;
    }
    if (p[0] == '/' && p[1] == '*') {
        int depth = 0;
        while (*p) {
            if (p[0] == '/' && p[1] == '*') {
                ++depth;
                p += 2;
            } else if (p[0] == '*' && p[1] == '/') {
                p += 2;
                if (--depth == 0)
                    return p;
            } else {
                ++p;
            }
        }
    }
    return p;
}

// Past a quoted text or identifier that opens at p; a doubled quote stays inside. A text
// written E'...' also takes backslash escapes.
const char *skipQuoted(const char *p, bool backslashEscapes)
{
    const char quote = *p++;
    while (*p) {
        if (backslashEscapes && *p == '\\' && p[1]) {
            p += 2;
        } else if (*p == quote) {
            if (p[1] != quote)
                return p + 1;
            p += 2;
        } else {
            ++p;
        }
    }
    return p;
}

// Past a dollar-quoted text ($$...$$ or $tag$...$tag$) that opens at p, or p when none does.
const char *skipDollarQuoted(const char *p)
{
    const char *tagEnd = p + 1;
    if (*tagEnd >= '0' && *tagEnd <= '9')
        return p; // a parameter such as $1
    while (isWordChar(*tagEnd))
        ++tagEnd;
    if (*tagEnd != '$')
        return p;
    const size_t tagLength = static_cast<size_t>(tagEnd - p) + 1;
    for (const char *q = tagEnd + 1; *q; ++q) {
        if (*q == '$' && std::strncmp(q, p, tagLength) == 0)
            return q + tagLength;
    }
    return p + std::strlen(p);
}

// Past a quoted text or identifier that opens at p, inside `text`.
const char *skipQuotedIn(const char *text, const char *p)
{
    const bool escapes =
        *p == '\'' && p > text && (p[-1] == 'E' || p[-1] == 'e') && (p - 1 == text || !isWordChar(p[-2]));
    return skipQuoted(p, escapes);
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Past an identifier quoted as [name] or `name`.
const char *skipBracketed(const char *p)
{
    const char close = *p == '[' ? ']' : '`';
    ++p;
    while (*p && *p != close)
        ++p;
    return *p ? p + 1 : p;
}

bool fitsInt64(std::string_view digits)
{
    while (digits.size() > 1 && digits.front() == '0')
        digits.remove_prefix(1);
    constexpr std::string_view largest = "9223372036854775807";
    return digits.size() < largest.size() || (digits.size() == largest.size() && digits <= largest);
}

bool isWord(std::string_view word, const char *candidate)
{
    return word.size() == std::strlen(candidate) && strncasecmp(word.data(), candidate, word.size()) == 0;
}

// A parameter marker at p: ?, ?1, $1, :name or @name.
bool isParameter(const char *text, const char *p)
{
    const bool letterNext = (p[1] >= 'a' && p[1] <= 'z') || (p[1] >= 'A' && p[1] <= 'Z') || p[1] == '_';
    return *p == '?' || (*p == '$' && isDigit(p[1])) ||
           ((*p == ':' || *p == '@') && letterNext && (p == text || (p[-1] != ':' && !isWordChar(p[-1]))));
}

// After these words a list of column positions is over.
bool endsPositionList(std::string_view word)
{
    static constexpr const char *enders[] = {"limit",  "offset", "having", "union", "intersect",
                                             "except", "window", "fetch",  "from",  "where"};
    for (const char *ender : enders) {
        if (isWord(word, ender))
            return true;
    }
    return false;
}

} // namespace

bool onlyTrivia(const char *text)
{
    const char *p = text;
    while (*p) {
        if (isBlank(*p) || *p == ';') {
            ++p;
            continue;
        }
        const char *after = skipComment(p);
        if (after == p)
            return false;
        p = after;
    }
    return true;
}

const char *endOfFirstStatement(const char *text)
{
    const char *p = text;
    while (*p && *p != ';') {
        const char *after = skipComment(p);
        if (after != p) {
            p = after;
        } else if (*p == '\'' || *p == '"') {
            p = skipQuotedIn(text, p);
        } else if (*p == '$' && (p == text || !isWordChar(p[-1]))) {
            const char *end = skipDollarQuoted(p);
            p = end == p ? p + 1 : end;
        } else {
            ++p;
        }
    }
    return p;
}

bool startsWithQuery(const char *text)
{
    const char *p = text;
    for (;;) {
        if (isBlank(*p) || *p == '(') {
            ++p;
            continue;
        }
        const char *after = skipComment(p);
        if (after == p)
            break;
        p = after;
    }
    const char *end = p;
    while (isWordChar(*end))
        ++end;
    const auto is = [p, end](const char *word) {
        const size_t length = std::strlen(word);
        return static_cast<size_t>(end - p) == length && strncasecmp(p, word, length) == 0;
    };
    return is("select") || is("with") || is("values");
}

std::optional<LiteralShape> numericLiteralsAsParameters(const char *text, char marker,
                                                        std::size_t maxLiterals)
{
    LiteralShape shape;
    const char *p = text;
    const char *copied = text; // what comes before is in shape.text already
    int depth = 0;
    int positionListDepth = -1; // the parenthesis depth of an ORDER BY, GROUP BY or DISTINCT ON list
    std::string_view previousWord;
    while (*p) {
        const char *after = skipComment(p);
        if (after != p) {
            p = after;
        } else if (*p == '\'' || *p == '"') {
            p = skipQuotedIn(text, p);
        } else if (isParameter(text, p)) {
            return std::nullopt; // the text's own parameters would clash with those added
        } else if (*p == '$' && (p == text || !isWordChar(p[-1]))) {
            const char *end = skipDollarQuoted(p);
            p = end == p ? p + 1 : end;
        } else if (*p == '[' || *p == '`') {
            p = skipBracketed(p);
        } else if (*p == '(' || *p == ')') {
            depth += *p == '(' ? 1 : -1;
            if (positionListDepth > depth)
                positionListDepth = -1;
            ++p;
        } else if (isWordChar(*p) && !isDigit(*p)) {
            const char *end = p;
            while (isWordChar(*end))
                ++end;
            const std::string_view word(p, static_cast<std::size_t>(end - p));
            if (isWord(word, "by") || (isWord(word, "on") && isWord(previousWord, "distinct")))
                positionListDepth = depth;
            else if (positionListDepth == depth && endsPositionList(word))
                positionListDepth = -1;
            previousWord = word;
            p = end;
        } else if (isDigit(*p)) {
            const char before = p == text ? ' ' : p[-1];
            const char *end = p;
            while (isDigit(*end))
                ++end;
            const bool decimal = *end == '.' && isDigit(end[1]);
            if (decimal) {
                for (++end; isDigit(*end);)
                    ++end;
            }
            const std::string_view digits(p, static_cast<std::size_t>(end - p));
            const bool alone = !isWordChar(*end) && *end != '.' && !isWordChar(before) &&
                               std::strchr(".$?:@", before) == nullptr;
            if (alone && positionListDepth < 0 && (decimal || fitsInt64(digits))) {
                if (shape.literals.size() == maxLiterals)
                    return std::nullopt;
                shape.text.append(copied, p);
                shape.text += marker;
                shape.text += std::to_string(shape.literals.size() + 1);
                shape.literals.push_back(NumericLiteral{std::string(digits), decimal});
                copied = end;
            }
            while (isWordChar(*end)) // the rest of 1e5 or 0x1F
                ++end;
            p = end;
        } else {
            ++p;
        }
    }
    if (shape.literals.empty())
        return std::nullopt;
    shape.text.append(copied, p);
    return shape;
}

} // namespace orv
