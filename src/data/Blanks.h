#pragma once

#include <QString>

namespace orv {

// Blanks are the space character only: tabs, non-breaking spaces and other white space are
// part of a text, as the suite's runtime has always trimmed and tested typed texts.

// The text without its leading and trailing blanks.
QString trimBlanks(const QString &text);
// True when the text holds something other than blanks.
bool hasNonBlank(const QString &text);

} // namespace orv
