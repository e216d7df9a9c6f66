#include "data/AnsiText.h"
#include "data/RuntimeError.h"
#include "data/SqliteConnection.h"
#include "support/RecordingConnection.h"

#include "PrintVariant.h"

#include <QStringList>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace orv;
using ::testing::Eq;
using ::testing::Property;
using ::testing::Throws;

namespace {

QString utf8(const char *text)
{
    return QString::fromUtf8(text);
}

} // namespace

TEST(AnsiText, CharactersOutsideWindows1252BecomeQuestionMarks)
{
    const struct {
        const char *text;
        const char *expected;
    } rows[] = {
        {"Ł", "?"},
        {"€", "€"},
        {"è", "è"},
        {"😀", "?"},
        {"a😀b", "a?b"},
        {"Łódź", "?ód?"},
        {"Œuvre “citata” – ß", "Œuvre “citata” – ß"},
        {"Ω≠π", "???"},
        {"Perché 10€", "Perché 10€"},
        {"", ""},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(ansiRoundTrip(utf8(row.text)), utf8(row.expected));
    }
}

TEST(AnsiText, BytesAreThoseOfWindows1252)
{
    EXPECT_EQ(toAnsi(utf8("€")), QByteArray("\x80"));
    EXPECT_EQ(toAnsi(utf8("è")), QByteArray("\xE8"));
    EXPECT_EQ(toAnsi(utf8("Ÿ")), QByteArray("\x9F"));
    EXPECT_EQ(toAnsi(utf8("a😀b")), QByteArray("a?b"));
    EXPECT_EQ(fromAnsi(QByteArray("\x80\xE8\x9F")), utf8("€èŸ"));

    // A lone half of a surrogate pair is no character either.
    const QString loneHigh = QString(QChar(0xD83D)) + QLatin1Char('x');
    EXPECT_EQ(toAnsi(loneHigh), QByteArray("?x"));
}

TEST(AnsiText, EveryAssignedByteSurvivesTheRoundTrip)
{
    const QList<int> unassigned = {0x81, 0x8D, 0x8F, 0x90, 0x9D};
    for (int byte = 0; byte < 256; ++byte) {
        if (unassigned.contains(byte))
            continue;
        SCOPED_TRACE(byte);
        const QByteArray ansi(1, static_cast<char>(byte));
        const QString text = fromAnsi(ansi);
        ASSERT_EQ(text.size(), 1);
        EXPECT_EQ(toAnsi(text), ansi);
    }
}

class RunSqlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        db = SqliteConnection::open(QStringLiteral(":memory:"));
        db->executeScript(QStringLiteral("CREATE TABLE Anagrafica (Anagrafica TEXT);"
                                         "INSERT INTO Anagrafica VALUES ('?ukasz');"
                                         "INSERT INTO Anagrafica VALUES ('Perché');"));
        recording = std::make_shared<test::RecordingConnection>(db);
    }

    std::shared_ptr<SqliteConnection> db;
    std::shared_ptr<test::RecordingConnection> recording;
};

TEST_F(RunSqlTest, CallerVariableAndDatabaseGetTheConvertedText)
{
    QString sql = utf8("SELECT 'Łódź €è😀' AS Testo");
    auto rows = runSql(recording.get(), sql);
    const QString converted = utf8("SELECT '?ód? €è?' AS Testo");
    EXPECT_EQ(sql, converted);
    EXPECT_EQ(recording->sqlTexts(), QStringList{converted});
    ASSERT_FALSE(rows->Eof());
    EXPECT_EQ(rows->Fields().Item(QStringLiteral("Testo")).Value().toText(), utf8("?ód? €è?"));
}

TEST_F(RunSqlTest, ConvertedTextMatchesWhatWasStoredConverted)
{
    QString sql = utf8("SELECT COUNT(*) AS n FROM Anagrafica WHERE Anagrafica = 'Łukasz'");
    auto rows = runSql(recording.get(), sql);
    EXPECT_EQ(rows->Fields().Item(0).Value(), Variant(1));

    QString accented = utf8("SELECT Anagrafica FROM Anagrafica WHERE Anagrafica LIKE 'Perch%'");
    auto found = runSql(recording.get(), accented);
    ASSERT_FALSE(found->Eof());
    EXPECT_EQ(found->Fields().Item(0).Value().toText(), utf8("Perché"));
}

TEST_F(RunSqlTest, PassesTheOptionsOn)
{
    QString sql = QStringLiteral("SELECT Anagrafica FROM Anagrafica");
    auto rewindable = runSql(recording.get(), sql, kRewindable);
    auto forwardOnly = runSql(recording.get(), sql);
    ASSERT_EQ(recording->statements().size(), 2u);
    EXPECT_EQ(recording->statements()[0].options, 2);
    EXPECT_EQ(recording->statements()[1].options, 0);
    rewindable->MoveNext();
    rewindable->MoveFirst();
    EXPECT_FALSE(rewindable->Eof());
}

TEST_F(RunSqlTest, NoConnectionRaises3002)
{
    QString sql = QStringLiteral("SELECT 1");
    EXPECT_THAT([&] { (void)runSql(nullptr, sql); },
                Throws<RuntimeError>(Property(&RuntimeError::number, Eq(3002))));
}

TEST_F(RunSqlTest, EngineErrorsReachTheCaller)
{
    QString sql = QStringLiteral("SELECT Missing FROM Anagrafica");
    EXPECT_THAT([&] { (void)runSql(recording.get(), sql); },
                Throws<RuntimeError>(Property(&RuntimeError::number, Eq(3000))));
}
