#include "data/AnsiText.h"
#include "data/RuntimeError.h"
#include "data/SqliteConnection.h"
#include "support/RecordingConnection.h"

#include "support/PrintVariant.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace orv;

TEST(AnsiText, CharactersOutsideWindows1252BecomeQuestionMarksAndEveryAssignedByteSurvives)
{
    // One '?' for a character beyond the basic plane, and for a lone half of a surrogate pair.
    EXPECT_EQ(ansiRoundTrip(QString::fromUtf8("Łódź a😀b Œ“–”ß €è Ÿ") + QChar(0xD83D) + u'x'),
              QString::fromUtf8("?ód? a?b Œ“–”ß €è Ÿ?x"));
    EXPECT_EQ(toAnsi(QString::fromUtf8("€èŸa")), QByteArray("\x80\xE8\x9F") + "a");
    for (int byte = 0; byte < 256; ++byte) {
        const QByteArray ansi(1, static_cast<char>(byte));
        if (!QList<int>{0x81, 0x8D, 0x8F, 0x90, 0x9D}.contains(byte)) {
            EXPECT_EQ(toAnsi(fromAnsi(ansi)), ansi) << byte;
        }
    }
}

TEST(RunSql, CallerVariableAndDatabaseGetTheConvertedTextWithTheOptionsAndTheErrors)
{
    auto db = SqliteConnection::open(QStringLiteral(":memory:"));
    db->executeScript(QStringLiteral("CREATE TABLE Anagrafica (Anagrafica TEXT);"
                                     "INSERT INTO Anagrafica VALUES ('?ukasz'), ('Perché');"));
    test::RecordingConnection recording(db);
    QString sql =
        QString::fromUtf8("SELECT Anagrafica FROM Anagrafica WHERE Anagrafica IN ('Łukasz', 'Perché')");
    auto rows = runSql(&recording, sql, kRewindable);
    const QString converted =
        QString::fromUtf8("SELECT Anagrafica FROM Anagrafica WHERE Anagrafica IN ('?ukasz', 'Perché')");
    EXPECT_EQ(sql, converted);
    EXPECT_EQ(walk(*rows, "NNF"), QString::fromUtf8("?ukasz Perché eof ?ukasz")); // rewindable
    QString plain = QStringLiteral("SELECT 1");
    (void)runSql(&recording, plain);
    ASSERT_EQ(recording.statements().size(), 2u);
    EXPECT_EQ(recording.statements()[0].sql, converted);
    EXPECT_EQ(recording.statements()[0].options, kRewindable);
    EXPECT_EQ(recording.statements()[1].options, kForwardOnly);
    EXPECT_THAT([&] { (void)runSql(nullptr, sql); }, raisesNumber(kErrNoConnection));
    QString missing = QStringLiteral("SELECT Missing FROM Anagrafica");
    EXPECT_THAT([&] { (void)runSql(&recording, missing); }, raisesNumber(kErrDatabase));
}
