#include "Blanks.h"

namespace orv {

QString trimBlanks(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == u' ')
        ++begin;
    while (end > begin && text.at(end - 1) == u' ')
        --end;
    return text.mid(begin, end - begin);
}

bool hasNonBlank(const QString &text)
{
    for (const QChar c : text) {
        if (c != u' ')
            return true;
    }
    return false;
}

} // namespace orv
