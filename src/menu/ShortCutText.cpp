#include "ShortCutText.h"

namespace orv::menu {

std::int16_t fnShortCutMask(const QStringList &shortcuts)
{
    if (shortcuts.isEmpty())
        return 0;
    const QString &text = shortcuts.first();
    std::int16_t mask = 0;
    if (text.contains(QStringLiteral("Ctrl")))
        mask = 2;
    if (text.contains(QStringLiteral("Shift")))
        mask += 1;
    if (text.contains(QStringLiteral("Alt")))
        mask += 4;
    return mask;
}

QString fnShortCutPrefix(const QStringList &shortcuts)
{
    switch (fnShortCutMask(shortcuts)) {
    case 1:
        return QStringLiteral("+");
    case 2:
        return QStringLiteral("^");
    case 4:
        return QStringLiteral("%");
    default:
        return {};
    }
}

QString fnShortCutKey(const QStringList &shortcuts)
{
    if (shortcuts.isEmpty())
        return QStringLiteral("0");
    QString key = shortcuts.first();
    if (const qsizetype plus = key.lastIndexOf(u'+'); plus >= 0)
        key = key.mid(plus + 1);
    if (key == QStringLiteral("CANCELLA") || key == QStringLiteral("DELETE") || key == QStringLiteral("CANC"))
        return {};
    return key;
}

} // namespace orv::menu
