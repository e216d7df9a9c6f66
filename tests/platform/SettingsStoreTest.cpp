#include "support/FakeServices.h"

#include "data/RuntimeError.h"
#include "platform/FileSettingsStore.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryFile>

#include <gtest/gtest.h>

#include <thread>

using namespace orv;
using orv::test::IsolatedSettings;

namespace {

const QString kApp = QStringLiteral("OrvSuite");
const QString kSection = QStringLiteral("Concorrenza");
constexpr int kKeysPerProcess = 200;
const char *const kWriterVariable = "ORV_SETTINGS_WRITER";

// Writes prefix0 = "0" .. prefix(count-1) = "count-1", one change at a time.
void writeKeys(FileSettingsStore &&store, const QString &prefix, int count)
{
    for (int i = 0; i < count; ++i)
        store.write(kApp, kSection, prefix + QString::number(i), QString::number(i));
}

class SettingsStoreTest : public ::testing::Test {
protected:
    IsolatedSettings isolated;
    SettingsStore &store = services::settings();

    // A second store on the same folder, as another process would have.
    FileSettingsStore fresh() const { return FileSettingsStore(isolated.directory()); }

    // How many keys that writeKeys() wrote for each prefix do not hold their value.
    int countMissing(std::initializer_list<QString> prefixes, int count)
    {
        int missing = 0;
        for (const QString &prefix : prefixes) {
            for (int i = 0; i < count; ++i) {
                if (store.read(kApp, kSection.toUpper(), prefix + QString::number(i)) != QString::number(i))
                    ++missing;
            }
        }
        return missing;
    }
};

} // namespace

TEST_F(SettingsStoreTest, SectionsKeysAndApplicationsCompareWithoutCase)
{
    store.write(kApp, QStringLiteral("MenuSettings"), QStringLiteral("TreeHidden"), QStringLiteral("True"));
    EXPECT_EQ(
        store.read(QStringLiteral("orvsuite"), QStringLiteral("MENUSETTINGS"), QStringLiteral("treehidden")),
        QStringLiteral("True"));

    store.write(kApp, QStringLiteral("Clienti"), QStringLiteral("HTableCall"), QStringLiteral("1"));
    store.write(kApp, QStringLiteral("clienti"), QStringLiteral("hTableCall"), QStringLiteral("2"));
    EXPECT_EQ(store.read(kApp, QStringLiteral("CLIENTI"), QStringLiteral("htablecall")), QStringLiteral("2"));
    store.deleteKey(kApp, QStringLiteral("Clienti"), QStringLiteral("HTABLECALL"));
    EXPECT_EQ(store.read(kApp, QStringLiteral("Clienti"), QStringLiteral("hTableCall"), QStringLiteral("-1")),
              QStringLiteral("-1"));

    // Non-Latin letters fold as well.
    store.write(kApp, QStringLiteral("ÀREA"), QStringLiteral("ÉPOCA"), QStringLiteral("x"));
    EXPECT_EQ(store.read(kApp, QStringLiteral("àrea"), QStringLiteral("época")), QStringLiteral("x"));
}

TEST_F(SettingsStoreTest, MissingValuesGiveTheDefault)
{
    EXPECT_EQ(store.read(QStringLiteral("NoSuchApp"), QStringLiteral("MenuSettings"), QStringLiteral("View2"),
                         QStringLiteral("2")),
              QStringLiteral("2"));
    store.write(kApp, QStringLiteral("MenuSettings"), QStringLiteral("PATH"), QStringLiteral("/opt/orv"));
    EXPECT_EQ(store.read(kApp, QStringLiteral("Other"), QStringLiteral("PATH"), QStringLiteral("d")),
              QStringLiteral("d"));
    EXPECT_EQ(store.read(kApp, QStringLiteral("MenuSettings"), QStringLiteral("LastUser")), QString());
    // An empty value is a value, not a missing one.
    store.write(kApp, QStringLiteral("MenuSettings"), QStringLiteral("LastUser"), QString());
    EXPECT_EQ(
        store.read(kApp, QStringLiteral("MenuSettings"), QStringLiteral("LastUser"), QStringLiteral("d")),
        QString());
}

TEST_F(SettingsStoreTest, DeletingAKeyOrASectionTouchesNothingElse)
{
    store.write(kApp, QStringLiteral("Gestore"), QStringLiteral("TableName"), QStringLiteral("Clienti"));
    store.write(kApp, QStringLiteral("Gestore"), QStringLiteral("Caption"), QStringLiteral("Anagrafica"));
    store.write(kApp, QStringLiteral("Caller"), QStringLiteral("IDField"), QStringLiteral("42"));

    store.deleteKey(kApp, QStringLiteral("Gestore"), QStringLiteral("TableName"));
    EXPECT_EQ(store.read(kApp, QStringLiteral("Gestore"), QStringLiteral("TableName"), QStringLiteral("-")),
              QStringLiteral("-"));
    EXPECT_EQ(store.read(kApp, QStringLiteral("Gestore"), QStringLiteral("Caption")),
              QStringLiteral("Anagrafica"));

    store.deleteSection(kApp, QStringLiteral("GESTORE"));
    EXPECT_EQ(store.read(kApp, QStringLiteral("Gestore"), QStringLiteral("Caption"), QStringLiteral("-")),
              QStringLiteral("-"));
    EXPECT_EQ(store.read(kApp, QStringLiteral("Caller"), QStringLiteral("IDField")), QStringLiteral("42"));

    // What is not there can be deleted without harm.
    store.deleteKey(kApp, QStringLiteral("Caller"), QStringLiteral("Nothing"));
    store.deleteKey(QStringLiteral("NoSuchApp"), QStringLiteral("Caller"), QStringLiteral("IDField"));
    store.deleteSection(kApp, QStringLiteral("Nothing"));
    EXPECT_EQ(fresh().read(kApp, QStringLiteral("Caller"), QStringLiteral("IDField")), QStringLiteral("42"));
}

TEST_F(SettingsStoreTest, ValuesSurviveInAnotherStoreExactly)
{
    const QString values[] = {
        QStringLiteral("a=b==c"),
        QStringLiteral("riga 1\nriga 2\r\nriga 3\n"),
        QStringLiteral("  spazi ai lati  "),
        QStringLiteral("C:\\Programmi\\Orv\\"),
        QStringLiteral("\\n non è un a capo"),
        QStringLiteral("[Sezione]"),
        QStringLiteral("Perché la città — ½ € 日本語 😀"),
        QStringLiteral("\ttab"),
    };
    int n = 0;
    for (const QString &value : values)
        store.write(kApp, QStringLiteral("Valori"), QStringLiteral("k%1").arg(n++), value);
    // Awkward names too.
    store.write(kApp, QStringLiteral("[Sez=ione]"), QStringLiteral("chiave=con\\segni[]"),
                QStringLiteral("ok"));
    store.write(kApp, QStringLiteral("Valori"), QStringLiteral("\nchiave"), QStringLiteral("a capo"));

    FileSettingsStore other = fresh();
    n = 0;
    for (const QString &value : values) {
        SCOPED_TRACE(n);
        EXPECT_EQ(other.read(kApp, QStringLiteral("Valori"), QStringLiteral("k%1").arg(n++)), value);
    }
    EXPECT_EQ(other.read(kApp, QStringLiteral("[sez=ione]"), QStringLiteral("CHIAVE=CON\\SEGNI[]")),
              QStringLiteral("ok"));
    EXPECT_EQ(other.read(kApp, QStringLiteral("Valori"), QStringLiteral("\nchiave")),
              QStringLiteral("a capo"));
}

TEST_F(SettingsStoreTest, EachApplicationHasItsOwnReadableFileForTheUserAlone)
{
    store.write(kApp, QStringLiteral("MenuSettings"), QStringLiteral("TreeHidden"), QStringLiteral("True"));
    store.write(kApp, QStringLiteral("menusettings"), QStringLiteral("treehidden"), QStringLiteral("False"));
    store.write(QStringLiteral("Altra"), QStringLiteral("MenuSettings"), QStringLiteral("TreeHidden"),
                QStringLiteral("True"));

    const auto &files = isolated.store();
    EXPECT_NE(files.filePath(kApp), files.filePath(QStringLiteral("Altra")));
    EXPECT_EQ(files.filePath(kApp), files.filePath(QStringLiteral("ORVSUITE")));
    EXPECT_EQ(
        store.read(QStringLiteral("Altra"), QStringLiteral("MenuSettings"), QStringLiteral("TreeHidden")),
        QStringLiteral("True"));

    QFile file(files.filePath(kApp));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    // The spelling of the first write stays for the eye; the value is the last one.
    EXPECT_EQ(QString::fromUtf8(file.readAll()), QStringLiteral("[MenuSettings]\nTreeHidden=False\n"));
    EXPECT_EQ(file.permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther),
              QFileDevice::Permissions());
}

TEST_F(SettingsStoreTest, TheEnvironmentChoosesTheFolder)
{
    EXPECT_EQ(FileSettingsStore::defaultDirectory(), isolated.directory());
    store.write(kApp, QStringLiteral("MenuSettings"), QStringLiteral("View2"), QStringLiteral("3"));
    EXPECT_TRUE(QFileInfo(isolated.store().filePath(kApp)).absolutePath() == isolated.directory());
    EXPECT_TRUE(QFile::exists(isolated.store().filePath(kApp)));
}

TEST_F(SettingsStoreTest, AChangeThatCannotBeStoredIsAnError)
{
    QTemporaryFile notAFolder;
    ASSERT_TRUE(notAFolder.open());
    FileSettingsStore broken(notAFolder.fileName() + QStringLiteral("/settings"));
    EXPECT_EQ(broken.read(kApp, QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("d")),
              QStringLiteral("d"));
    try {
        broken.write(kApp, QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("v"));
        ADD_FAILURE() << "the write did not fail";
    } catch (const RuntimeError &error) {
        EXPECT_EQ(error.number(), 75);
    }
}

TEST_F(SettingsStoreTest, ThreadsWritingAtOnceLoseNothing)
{
    constexpr int kKeys = 100;
    auto writer = [this](const QString &prefix) {
        writeKeys(FileSettingsStore(isolated.directory()), prefix, kKeys);
    };
    std::thread first(writer, QStringLiteral("t1-"));
    std::thread second(writer, QStringLiteral("t2-"));
    first.join();
    second.join();
    EXPECT_EQ(countMissing({QStringLiteral("t1-"), QStringLiteral("t2-")}, kKeys), 0);
}

// The two-process test starts this binary again with ORV_SETTINGS_WRITER set; the child
// then runs only this test, which writes its share of the keys.
TEST(SettingsWriterChild, WritesItsKeys)
{
    const QString prefix = qEnvironmentVariable(kWriterVariable);
    if (prefix.isEmpty())
        GTEST_SKIP() << "runs only as the child process of the two-process settings test";
    writeKeys(FileSettingsStore(), prefix, kKeysPerProcess);
}

TEST_F(SettingsStoreTest, TwoProcessesWritingAtOnceLoseNothing)
{
    auto start = [this](const QString &prefix) {
        auto child = std::make_unique<QProcess>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QString::fromLatin1(kWriterVariable), prefix);
        environment.insert(QStringLiteral("ORV_SETTINGS_DIR"), isolated.directory());
        child->setProcessEnvironment(environment);
        child->setProcessChannelMode(QProcess::MergedChannels);
        child->start(QCoreApplication::applicationFilePath(),
                     {QStringLiteral("--gtest_filter=SettingsWriterChild.*")});
        return child;
    };
    std::unique_ptr<QProcess> children[] = {start(QStringLiteral("p1-")), start(QStringLiteral("p2-"))};
    for (auto &child : children) {
        ASSERT_TRUE(child->waitForFinished(300000)) << "a writer did not finish";
        EXPECT_EQ(child->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(child->exitCode(), 0) << child->readAll().toStdString();
    }
    EXPECT_EQ(countMissing({QStringLiteral("p1-"), QStringLiteral("p2-")}, kKeysPerProcess), 0);
}
