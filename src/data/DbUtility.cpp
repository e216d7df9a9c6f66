#include "DbUtility.h"

#include <QObject>
#include <QStringBuilder>
#include <QVariant>

namespace orv {

QString DbUtility::SqlNumber(const Variant &number) const
{
    if (number.isNull())
        return QStringLiteral("Null");
    switch (number.type()) {
    case Variant::Type::Double:
    case Variant::Type::Currency:
        return number.toText();
    case Variant::Type::String:
        return Variant(number.toDouble()).toText();
    default:
        return QString::number(number.toLong());
    }
}

QString DbUtility::SqlText(const Variant &text) const
{
    if (text.isNull())
        return QStringLiteral("Null");
    QString body = text.toText();
    body.replace(u'\'', QLatin1String("''"));
    return u'\'' % body % u'\'';
}

Variant DbUtility::NullToValue(const Variant &value) const
{
    return value.isNull() ? Variant() : value;
}

void DbUtility::PrepareForm(QObject *form, int options) const
{
    Q_UNUSED(options)
    if (form)
        form->setProperty("styleSheet", QStringLiteral("font-family: Tahoma;"));
}

DbUtility &dbUtility()
{
    thread_local DbUtility utility;
    return utility;
}

QString signBlank(qint64 number)
{
    return number < 0 ? QString::number(number) : u' ' + QString::number(number);
}

} // namespace orv
