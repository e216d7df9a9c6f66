#include "support/FakeServices.h"

#include "data/RuntimeError.h"
#include "platform/FileSettingsStore.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryFile>

#include <gmock/gmock.h>
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

    void write(const QString &section, const QString &key, const QString &value)
    {
        store.write(kApp, section, key, value);
    }
    QString read(const QString &section, const QString &key, const QString &fallback = QString())
    {
        return store.read(kApp, section, key, fallback);
    }

    // How many keys that writeKeys() wrote for each prefix do not hold their value.
    int countMissing(std::initializer_list<QString> prefixes, int count)
    {
        int missing = 0;
        for (const QString &prefix : prefixes)
            for (int i = 0; i < count; ++i)
                missing += read(kSection.toUpper(), prefix + QString::number(i)) != QString::number(i);
        return missing;
    }
};

} // namespace

TEST_F(SettingsStoreTest, NamesCompareWithoutCaseAndMissingValuesGiveTheDefault)
{
    write("MenuSettings", "TreeHidden", "True");
    EXPECT_EQ(store.read("orvsuite", "MENUSETTINGS", "treehidden"), QStringLiteral("True"));
    write("Clienti", "HTableCall", "1");
    write("clienti", "hTableCall", "2");
    EXPECT_EQ(read("CLIENTI", "htablecall"), QStringLiteral("2"));
    write("ÀREA", "ÉPOCA", "x"); // non-Latin letters fold as well
    EXPECT_EQ(read("àrea", "época"), QStringLiteral("x"));

    EXPECT_EQ(store.read("NoSuchApp", "MenuSettings", "TreeHidden", "2"), QStringLiteral("2"));
    EXPECT_EQ(read("Other", "TreeHidden", "d"), QStringLiteral("d"));
    EXPECT_EQ(read("MenuSettings", "LastUser"), QString());
    write("MenuSettings", "LastUser", QString()); // an empty value is a value, not a missing one
    EXPECT_EQ(read("MenuSettings", "LastUser", "d"), QString());
}

TEST_F(SettingsStoreTest, DeletingAKeyOrASectionTouchesNothingElse)
{
    write("Gestore", "TableName", "Clienti");
    write("Gestore", "Caption", "Anagrafica");
    write("Caller", "IDField", "42");
    store.deleteKey(kApp, "Gestore", "TABLENAME");
    EXPECT_EQ(read("Gestore", "TableName", "-") + read("Gestore", "Caption"), QStringLiteral("-Anagrafica"));
    store.deleteSection(kApp, "GESTORE");
    EXPECT_EQ(read("Gestore", "Caption", "-"), QStringLiteral("-"));
    // What is not there can be deleted without harm.
    store.deleteKey(kApp, "Caller", "Nothing");
    store.deleteKey("NoSuchApp", "Caller", "IDField");
    store.deleteSection(kApp, "Nothing");
    EXPECT_EQ(fresh().read(kApp, "Caller", "IDField"), QStringLiteral("42"));
}

TEST_F(SettingsStoreTest, ValuesAndAwkwardNamesSurviveInAnotherStoreExactly)
{
    // clang-format off
    const QString values[] = {"a=b==c", "riga 1\nriga 2\r\nriga 3\n", "  spazi ai lati  ", "[Sezione]", "\ttab",
                              "C:\\Programmi\\Orv\\", "\\n non è un a capo", "Perché la città — ½ € 日本語 😀"};
    // clang-format on
    for (int n = 0; n < std::ssize(values); ++n)
        write("Valori", QStringLiteral("k%1").arg(n), values[n]);
    store.write(kApp, "[Sez=ione]", "chiave=con\\segni[]", "ok");
    write("Valori", "\nchiave", "a capo");

    FileSettingsStore other = fresh();
    for (int n = 0; n < std::ssize(values); ++n)
        EXPECT_EQ(other.read(kApp, "Valori", QStringLiteral("k%1").arg(n)), values[n]) << n;
    EXPECT_EQ(other.read(kApp, "[sez=ione]", "CHIAVE=CON\\SEGNI[]"), QStringLiteral("ok"));
    EXPECT_EQ(other.read(kApp, "Valori", "\nchiave"), QStringLiteral("a capo"));
}

TEST_F(SettingsStoreTest, EachApplicationHasItsOwnFileInTheChosenFolderForTheUserAlone)
{
    EXPECT_EQ(FileSettingsStore::defaultDirectory(), isolated.directory());
    write("MenuSettings", "TreeHidden", "True");
    write("menusettings", "treehidden", "False");
    store.write("Altra", "MenuSettings", "TreeHidden", "True");

    const auto &files = isolated.store();
    EXPECT_NE(files.filePath(kApp), files.filePath("Altra"));
    EXPECT_EQ(files.filePath(kApp), files.filePath("ORVSUITE"));
    EXPECT_EQ(QFileInfo(files.filePath(kApp)).absolutePath(), isolated.directory());
    EXPECT_EQ(store.read("Altra", "MenuSettings", "TreeHidden"), QStringLiteral("True"));

    QFile file(files.filePath(kApp));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    // The spelling of the first write stays for the eye; the value is the last one.
    EXPECT_EQ(QString::fromUtf8(file.readAll()), QStringLiteral("[MenuSettings]\nTreeHidden=False\n"));
    EXPECT_EQ(file.permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther),
              QFileDevice::Permissions());
}

TEST_F(SettingsStoreTest, AChangeThatCannotBeStoredIsError75)
{
    QTemporaryFile notAFolder;
    ASSERT_TRUE(notAFolder.open());
    FileSettingsStore broken(notAFolder.fileName() + QStringLiteral("/settings"));
    EXPECT_EQ(broken.read(kApp, "S", "K", "d"), QStringLiteral("d"));
    EXPECT_THAT([&] { broken.write(kApp, "S", "K", "v"); },
                ::testing::Throws<RuntimeError>(::testing::Property(&RuntimeError::number, 75)));
}

TEST_F(SettingsStoreTest, ThreadsWritingAtOnceLoseNothing)
{
    auto writer = [this](const QString &prefix) { writeKeys(fresh(), prefix, 100); };
    std::thread first(writer, QStringLiteral("t1-")), second(writer, QStringLiteral("t2-"));
    first.join();
    second.join();
    EXPECT_EQ(countMissing({QStringLiteral("t1-"), QStringLiteral("t2-")}, 100), 0);
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
