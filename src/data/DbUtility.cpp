#include "DbUtility.h"

#include "RuntimeError.h"

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

void DbUtility::UserHasRight(DbConnection *connection, std::int32_t user, std::int32_t branch,
                             std::int32_t objectType, std::int32_t right, bool &hasRight) const
{
    if (!connection)
        raiseError(kErrNoConnection, QStringLiteral("No database connection is set"));
    const QString sql = QStringLiteral("SELECT COUNT(*) FROM DirittoUtente WHERE IDUtente = %1"
                                       " AND IDTipoOggetto = %2 AND IDDiritto = %3"
                                       " AND (IDFiliale = 0 OR IDFiliale = %4)")
                            .arg(user)
                            .arg(objectType)
                            .arg(right)
                            .arg(branch);
    const std::unique_ptr<DbResultSet> rs = connection->OpenResultSet(sql);
    hasRight = !rs->Eof() && NullToValue(rs->Fields().Item(0)).toLong() > 0;
    rs->Close();
}

QString DbUtility::TransformPassword(const QString &text) const
{
    QString out = text;
    for (QChar &ch : out) {
        if (ch.unicode() > u' ' && ch.unicode() < 0x7f)
            ch = QChar(static_cast<char16_t>(u'!' + u'~' - ch.unicode()));
    }
    return out;
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
