#include "StatementText.h"

#include <cstring>
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
            const bool escapes = *p == '\'' && p > text && (p[-1] == 'E' || p[-1] == 'e') &&
                                 (p - 1 == text || !isWordChar(p[-2]));
            p = skipQuoted(p, escapes);
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

} // namespace orv
