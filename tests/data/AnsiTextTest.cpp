#include "data/AnsiText.h"
#include "data/RuntimeError.h"
#include "data/SqliteConnection.h"
#include "support/RecordingConnection.h"

#include "support/PrintVariant.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace orv;

namespace {

QString utf8(const char *text)
{
    return QString::fromUtf8(text);
}

} // namespace

TEST(AnsiText, CharactersOutsideWindows1252BecomeQuestionMarksAndEveryAssignedByteSurvives)
{
    // clang-format off
    const struct { const char *text, *expected; } rows[] = {
        {"Ł", "?"}, {"€", "€"}, {"è", "è"}, {"😀", "?"}, {"a😀b", "a?b"}, {"Łódź", "?ód?"},
        {"Œuvre “citata” – ß", "Œuvre “citata” – ß"}, {"Ω≠π", "???"}, {"Perché 10€", "Perché 10€"}, {"", ""}
    };
    // clang-format on
    for (const auto &row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(ansiRoundTrip(utf8(row.text)), utf8(row.expected));
    }
    EXPECT_EQ(toAnsi(utf8("€èŸa😀b")), QByteArray("\x80\xE8\x9F") + "a?b");
    EXPECT_EQ(fromAnsi(QByteArray("\x80\xE8\x9F")), utf8("€èŸ"));
    // A lone half of a surrogate pair is no character either.
    EXPECT_EQ(toAnsi(QString(QChar(0xD83D)) + QLatin1Char('x')), QByteArray("?x"));
    for (int byte = 0; byte < 256; ++byte) {
        const QByteArray ansi(1, static_cast<char>(byte));
        if (!QList<int>{0x81, 0x8D, 0x8F, 0x90, 0x9D}.contains(byte)) {
            EXPECT_EQ(toAnsi(fromAnsi(ansi)), ansi) << byte;
        }
    }
}

class RunSqlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        db->executeScript(QStringLiteral("CREATE TABLE Anagrafica (Anagrafica TEXT);"
                                         "INSERT INTO Anagrafica VALUES ('?ukasz'), ('Perché');"));
    }

    // Runs the text through runSql and gives the first column of the first row.
    QString first(QString sql)
    {
        auto rows = runSql(recording.get(), sql);
        return rows->Eof() ? QStringLiteral("<none>") : rows->Fields().Item(0).Value().toText();
    }

    std::shared_ptr<SqliteConnection> db = SqliteConnection::open(QStringLiteral(":memory:"));
    std::shared_ptr<test::RecordingConnection> recording = std::make_shared<test::RecordingConnection>(db);
};

TEST_F(RunSqlTest, CallerVariableAndDatabaseGetTheConvertedText)
{
    QString sql = utf8("SELECT 'Łódź €è😀' AS Testo");
    auto rows = runSql(recording.get(), sql);
    const QString converted = utf8("SELECT '?ód? €è?' AS Testo");
    EXPECT_EQ(sql, converted);
    EXPECT_EQ(recording->sqlTexts(), QStringList{converted});
    EXPECT_EQ(rows->Fields().Item(QStringLiteral("Testo")).Value().toText(), utf8("?ód? €è?"));
    // The converted text matches what was stored converted; accents within Windows-1252 stay.
    EXPECT_EQ(first(utf8("SELECT COUNT(*) FROM Anagrafica WHERE Anagrafica = 'Łukasz'")), "1");
    EXPECT_EQ(first(utf8("SELECT Anagrafica FROM Anagrafica WHERE Anagrafica LIKE 'Perch%'")),
              utf8("Perché"));
}

TEST_F(RunSqlTest, PassesTheOptionsAndTheErrorsOn)
{
    QString sql = QStringLiteral("SELECT Anagrafica FROM Anagrafica");
    auto rewindable = runSql(recording.get(), sql, kRewindable);
    auto forwardOnly = runSql(recording.get(), sql);
    ASSERT_EQ(recording->statements().size(), 2u);
    EXPECT_EQ(recording->statements()[0].options, kRewindable);
    EXPECT_EQ(recording->statements()[1].options, kForwardOnly);
    rewindable->MoveNext();
    EXPECT_NO_THROW(rewindable->MoveFirst());
    EXPECT_THAT([&] { (void)runSql(nullptr, sql); }, raisesNumber(kErrNoConnection));
    QString missing = QStringLiteral("SELECT Missing FROM Anagrafica");
    EXPECT_THAT([&] { (void)runSql(recording.get(), missing); }, raisesNumber(kErrDatabase));
}
