// Typed text through every registry statement builder, by code and by description, for every
// search type and mode, then through the ANSI round trip. SQLite is the judge: the statement
// prepares as exactly one statement; outside its string literal it is the statement built
// from a harmless text of the same length; the literal evaluates to the trimmed typed text.
#include "FuzzSupport.h"

#include "data/AnsiText.h"
#include "data/Blanks.h"
#include "lookup/QueryBuilders.h"

#include <QFile>
#include <QHash>
#include <QSet>

#include <sqlite3.h>

namespace {

using namespace orv;

sqlite3 *schemaDatabase()
{
    static sqlite3 *const db = [] {
        sqlite3 *opened = nullptr;
        sqlite3_open(":memory:", &opened);
        QFile schema(QStringLiteral(ORV_SCHEMA_DIR "/schema.sql"));
        if (!schema.open(QIODevice::ReadOnly) ||
            sqlite3_exec(opened, schema.readAll().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
            std::abort();
        return opened;
    }();
    return db;
}

// Prepares the text; the statement when it is exactly one, with nothing after it.
sqlite3_stmt *prepareOne(const QString &sql)
{
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt *statement = nullptr;
    const char *tail = nullptr;
    const int rc = sqlite3_prepare_v2(schemaDatabase(), utf8.constData(), static_cast<int>(utf8.size()),
                                      &statement, &tail);
    if (rc != SQLITE_OK || !statement || tail != utf8.constData() + utf8.size()) {
        sqlite3_finalize(statement);
        return nullptr;
    }
    return statement;
}

// Whether the text is one SQL string literal: quoted, with every apostrophe inside doubled.
bool isOneLiteral(const QString &literal)
{
    if (literal.size() < 2 || !literal.startsWith(u'\'') || !literal.endsWith(u'\''))
        return false;
    const QString inside = literal.mid(1, literal.size() - 2);
    for (qsizetype i = 0; i < inside.size(); ++i) {
        if (inside[i] == u'\'' && (i + 1 >= inside.size() || inside[++i] != u'\''))
            return false;
    }
    return true;
}

QHash<QString, QString> evaluated; // of the current input: its few literals

QString evaluate(const QString &literal)
{
    if (const auto found = evaluated.constFind(literal); found != evaluated.cend())
        return *found;
    sqlite3_stmt *statement = prepareOne(QStringLiteral("SELECT ") + literal);
    ORV_FUZZ_CHECK(statement && sqlite3_step(statement) == SQLITE_ROW, QStringLiteral("SELECT ") + literal);
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, 0));
    const QString value = QString::fromUtf8(text, sqlite3_column_bytes(statement, 0));
    sqlite3_finalize(statement);
    evaluated.insert(literal, value);
    return value;
}

QString asRun(const QString &sql)
{
    return fnAnsi2jet(ansiRoundTrip(sql));
}

QSet<QString> judged; // of the current input: many types and modes share a statement

// The statement for the typed text against the one for a harmless text of its length; the
// literal that takes the harmless text's place must hold the expected value.
void judge(const QString &typedSql, const QString &harmlessSql, const QString &harmlessLiteral,
           const QString &expected)
{
    const QString key = typedSql + QChar(0) + expected;
    if (judged.contains(key))
        return;
    judged.insert(key);
    sqlite3_stmt *statement = prepareOne(typedSql);
    ORV_FUZZ_CHECK(statement, QStringLiteral("not exactly one statement: ") + typedSql);
    sqlite3_finalize(statement);
    const QStringList parts = harmlessSql.split(harmlessLiteral);
    const auto literals = parts.size() - 1;
    if (literals == 0) {
        ORV_FUZZ_CHECK(typedSql == harmlessSql, QStringLiteral("no search text, yet: ") + typedSql);
        return;
    }
    qsizetype fixed = 0;
    for (const QString &part : parts)
        fixed += part.size();
    const qsizetype literalSize = (typedSql.size() - fixed) / literals;
    ORV_FUZZ_CHECK(literalSize * literals == typedSql.size() - fixed, typedSql);
    qsizetype at = 0;
    QString literal;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        ORV_FUZZ_CHECK(QStringView(typedSql).mid(at, parts[i].size()) == parts[i],
                       QStringLiteral("the statement around the text changed: ") + typedSql);
        at += parts[i].size();
        if (i + 1 < parts.size()) {
            const QString here = typedSql.mid(at, literalSize);
            ORV_FUZZ_CHECK(literal.isNull() || here == literal, typedSql);
            literal = here;
            at += literalSize;
        }
    }
    ORV_FUZZ_CHECK(isOneLiteral(literal), QStringLiteral("not one literal: ") + literal);
    const QString value = evaluate(literal);
    ORV_FUZZ_CHECK(value == ansiRoundTrip(expected), QStringLiteral("the literal reads ") + value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString typed = fuzz::textOf(data, size);
    // SQLite ends a statement at U+0000, so such a text fails its statement (never changes it);
    // no box takes it from the keyboard.
    if (typed.contains(QChar(0)))
        return 0;
    const QString harmless(typed.size(), u'a');
    judged.clear();
    evaluated.clear();
    ControlState s;
    s.IDFirm = 1;
    s.IDPDC = 1;
    for (const bool blocked : {false, true}) {
        s.AttivaFiltroBlocco = blocked;
        for (std::int32_t type = 0; type <= 11; ++type) {
            s.SearchType = type;
            for (const std::int16_t mode : {lookup::kModeAllRows, lookup::kModeRows, lookup::kModeCount}) {
                for (const bool like : {false, true}) {
                    judge(asRun(lookup::fnSQLCodiceSearch(s, mode, typed, like)),
                          asRun(lookup::fnSQLCodiceSearch(s, mode, harmless, like)),
                          u'\'' + harmless + (like ? QStringLiteral("%'") : QStringLiteral("'")),
                          like ? trimBlanks(typed + u'%') : trimBlanks(typed));
                }
                judge(asRun(lookup::fnSQLDescrizioneSearch(s, mode, typed)),
                      asRun(lookup::fnSQLDescrizioneSearch(s, mode, harmless)),
                      u'\'' + harmless + QStringLiteral("%'"), trimBlanks(typed) + u'%');
            }
        }
    }
    return 0;
}
