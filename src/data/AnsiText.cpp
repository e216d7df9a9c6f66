#include "AnsiText.h"

#include "RuntimeError.h"

#include <algorithm>
#include <array>

namespace orv {

namespace {

// Windows-1252 bytes 0x80 to 0x9F; 0 marks the five unassigned bytes.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char toAnsiByte(char16_t unit)
{
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF))
        return static_cast<char>(unit);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] != 0 && kHighControls[i] == unit)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

} // namespace

QByteArray toAnsi(const QString &text)
{
    QByteArray ansi;
    ansi.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        // A character outside the basic plane is one '?', not two.
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        ansi.append(toAnsiByte(c.unicode()));
    }
    return ansi;
}

QString fromAnsi(const QByteArray &ansi)
{
    QString text;
    text.reserve(ansi.size());
    for (const char byte : ansi) {
        const auto value = static_cast<unsigned char>(byte);
        if (value >= 0x80 && value < 0xA0) {
            const char16_t mapped = kHighControls[value - 0x80];
            text.append(QChar(mapped != 0 ? mapped : char16_t(value)));
        } else {
            text.append(QChar(char16_t(value)));
        }
    }
    return text;
}

QString ansiRoundTrip(const QString &text)
{
    // Plain ASCII, the usual SQL text, is its own ANSI form: no copy is made.
    const bool ascii = std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; });
    return ascii ? text : fromAnsi(toAnsi(text));
}

QString fnAnsi2jet(const QString &sql)
{
    return sql;
}

std::unique_ptr<DbResultSet> runSql(DbConnection *connection, QString &sql, int options)
{
    sql = ansiRoundTrip(sql);
    if (!connection)
        raiseError(kErrNoConnection, QStringLiteral("No database connection is set"));
    // The text is already in its ANSI form, and the round trip leaves such a text unchanged.
    return connection->OpenResultSet(fnAnsi2jet(sql), options);
}

} // namespace orv
