#include "support/FakeServices.h"
#include "support/PrintVariant.h"

#include "data/RuntimeError.h"
#include "platform/FileSettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <future>
#include <memory>
#include <sys/file.h>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

using namespace orv;
using ::testing::HasSubstr;

namespace {

const QString kApp = QStringLiteral("OrvSuite");

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// A fresh temporary folder named by ORV_SETTINGS_DIR, and a store made the default way there.
struct SettingsFolder {
    SettingsFolder() { qputenv("ORV_SETTINGS_DIR", QFile::encodeName(dir.path())); }
    ~SettingsFolder() { qunsetenv("ORV_SETTINGS_DIR"); }
    QTemporaryDir dir;
};

class SettingsStoreTest : public ::testing::Test, protected SettingsFolder {
protected:
    // A second store on the same folder, as another process would have.
    FileSettingsStore fresh() const { return FileSettingsStore(dir.path()); }
    void write(const QString &section, const QString &key, const QString &value)
    {
        store.write(kApp, section, key, value);
    }
    QString read(const QString &section, const QString &key, const QString &fallback = QString())
    {
        return store.read(kApp, section, key, fallback);
    }

    FileSettingsStore store;
    const QString path = store.filePath(kApp);
};

} // namespace

TEST_F(SettingsStoreTest, NamesCompareWithoutCaseMissingValuesGiveTheDefaultAndDeletesTouchNothingElse)
{
    write("MenuSettings", "TreeHidden", "True");
    EXPECT_EQ(store.read("orvsuite", "MENUSETTINGS", "treehidden"), QStringLiteral("True"));
    write("ÀREA", "ÉPOCA", "x"); // non-Latin letters fold as well
    write("àrea", "época", "y");
    EXPECT_EQ(read("Àrea", "épocA"), QStringLiteral("y"));
    EXPECT_EQ(store.read("NoSuchApp", "MenuSettings", "TreeHidden", "2"), QStringLiteral("2"));
    EXPECT_EQ(read("Other", "TreeHidden", "d"), QStringLiteral("d"));
    write("MenuSettings", "LastUser", QString()); // an empty value is a value, not a missing one
    EXPECT_EQ(read("MenuSettings", "LastUser", "d"), QString());

    write("Gestore", "TableName", "Clienti");
    write("Gestore", "Caption", "Anagrafica");
    store.deleteKey(kApp, "Gestore", "TABLENAME");
    EXPECT_EQ(read("Gestore", "TableName", "-") + read("Gestore", "Caption"), QStringLiteral("-Anagrafica"));
    store.deleteSection(kApp, "GESTORE");
    EXPECT_EQ(read("Gestore", "Caption", "-"), QStringLiteral("-"));
    // What is not there can be deleted without harm.
    store.deleteKey(kApp, "MenuSettings", "Nothing");
    store.deleteKey("NoSuchApp", "MenuSettings", "TreeHidden");
    store.deleteSection(kApp, "Nothing");
    EXPECT_EQ(fresh().read(kApp, "MenuSettings", "TreeHidden"), QStringLiteral("True"));
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
    EXPECT_EQ(FileSettingsStore::defaultDirectory(), dir.path());
    write("MenuSettings", "TreeHidden", "True");
    write("menusettings", "treehidden", "False");
    store.write("Altra", "MenuSettings", "TreeHidden", "True");
    EXPECT_NE(path, store.filePath("Altra"));
    EXPECT_EQ(path, store.filePath("ORVSUITE"));
    EXPECT_EQ(QFileInfo(path).absolutePath(), dir.path());
    EXPECT_EQ(store.read("Altra", "MenuSettings", "TreeHidden"), QStringLiteral("True"));
    // The spelling of the first write stays for the eye; the value is the last one.
    EXPECT_EQ(bytesOf(path), "[MenuSettings]\nTreeHidden=False\n");
    EXPECT_EQ(QFile::permissions(path) & (QFileDevice::ReadGroup | QFileDevice::ReadOther),
              QFileDevice::Permissions());

    // A folder that cannot be made: reads give the default, a change is error 75.
    QTemporaryFile notAFolder;
    ASSERT_TRUE(notAFolder.open());
    FileSettingsStore broken(notAFolder.fileName() + QStringLiteral("/settings"));
    EXPECT_EQ(broken.read(kApp, "S", "K", "d"), QStringLiteral("d"));
    EXPECT_EQ(errorNumberOf([&] { broken.write(kApp, "S", "K", "v"); }), 75);
}

// Two processes write at once, 1,000 times each: their own keys and ten shared keys, which one
// spells in capitals and the other in small letters. Nothing is lost, and each shared key is
// one key holding one writer's last value for it.
TEST_F(SettingsStoreTest, TwoProcessesWritingAtOnceLoseNothingAndShareKeysWhateverTheirCase)
{
    std::vector<std::unique_ptr<QProcess>> writers;
    for (const char *prefix : {"p1-", "p2-"}) {
        writers.push_back(std::make_unique<QProcess>());
        writers.back()->start(QStringLiteral(ORV_TEST_HELPER_DIR "/orv_settings_writer"),
                              {dir.path(), QLatin1String(prefix), writers.size() == 1 ? "UPPER" : "lower"});
    }
    for (const auto &writer : writers) {
        ASSERT_TRUE(writer->waitForFinished(300000)) << writer->errorString().toStdString();
        EXPECT_EQ(writer->exitCode(), 0) << writer->readAllStandardError().toStdString();
    }
    int missing = 0;
    for (const QString prefix : {"p1-", "p2-"})
        for (int i = 0; i < 1000; ++i)
            missing += read("Proprie", prefix + QString::number(i)) != QString::number(i);
    EXPECT_EQ(missing, 0);
    for (int k = 0; k < 10; ++k) {
        const QString last = read("CONDIVISE", QStringLiteral("condivisa%1").arg(k));
        EXPECT_TRUE(last == QStringLiteral("p1-99%1").arg(k) || last == QStringLiteral("p2-99%1").arg(k))
            << last.toStdString();
    }
    EXPECT_EQ(QString::fromUtf8(bytesOf(path)).count(QStringLiteral("=p")), 10); // one line per shared key
}

// A lock held too long by another program ends in error 75 naming the file instead of a freeze;
// reads take no lock and go on meanwhile.
TEST_F(SettingsStoreTest, ALockHeldTooLongByAnotherProgramRaises75NamingTheFile)
{
    write("MenuSettings", "View2", "1");
    // flock() locks belong to the open file description, so this one excludes the store's as
    // another process's would.
    const int other =
        ::open(QFile::encodeName(path + QStringLiteral(".lock")).constData(), O_RDWR | O_CLOEXEC);
    ASSERT_EQ(::flock(other, LOCK_EX), 0);
    // Lets the lock go after a while, so that a store that waits for good fails instead of hanging.
    std::promise<void> tried;
    std::thread holder([&other, done = tried.get_future()] {
        done.wait_for(std::chrono::seconds(20));
        ::close(other);
    });
    FileSettingsStore impatient(dir.path(), std::chrono::milliseconds(200));
    EXPECT_EQ(impatient.read(kApp, "MenuSettings", "View2"), QStringLiteral("1"));
    EXPECT_THAT([&] { impatient.write(kApp, "MenuSettings", "View2", "2"); },
                ::testing::ThrowsMessage<RuntimeError>(HasSubstr(
                    (QDir::toNativeSeparators(path) + " is locked by another program").toStdString())));
    EXPECT_EQ(errorNumberOf([&] { impatient.deleteSection(kApp, "MenuSettings"); }), 75);
    tried.set_value();
    holder.join();
    impatient.write(kApp, "MenuSettings", "View2", "2");
    EXPECT_EQ(read("MenuSettings", "View2"), QStringLiteral("2"));
}

// A file that is not in the store's format is never read as defaults and then overwritten: it is
// kept aside byte for byte, the user is told, and the settings start afresh. A file in the format
// is read as it stands, however it was written.
TEST_F(SettingsStoreTest, AFileNotInTheFormatIsKeptAsideWithAMessageAndTheSettingsStartAfresh)
{
    test::ServiceOverride<test::CapturedMessageBoxes> boxes;
    // View2 as read before (unless a writer meets the file first) and after a write of another key,
    // then "kept aside" when the file was.
    const auto meet = [&](const QByteArray &bytes, bool writerFirst) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();
        boxes->clear();
        QStringList seen;
        if (!writerFirst) {
            seen << read("MenuSettings", "View2", "-");
            if (!QFile::exists(path))
                seen << QStringLiteral("moved");
        }
        write("MenuSettings", "LastUser", "mario");
        seen << read("MenuSettings", "View2", "-");
        const QStringList aside =
            QDir(dir.path()).entryList({QFileInfo(path).fileName() + ".unreadable-*"}, QDir::Files);
        if (aside.isEmpty()) {
            EXPECT_TRUE(boxes->messages().empty());
            return seen.join(u' ');
        }
        const QString asidePath = dir.path() + u'/' + aside.first();
        EXPECT_EQ(aside.size(), 1);
        EXPECT_EQ(bytesOf(asidePath), bytes);
        EXPECT_EQ(bytesOf(path), "[MenuSettings]\nLastUser=mario\n");
        EXPECT_EQ(boxes->texts(),
                  QStringList{QStringLiteral("The settings file %1 could not be read. It has been "
                                             "kept as %2, and the settings start again from "
                                             "their defaults.")
                                  .arg(QDir::toNativeSeparators(path), QDir::toNativeSeparators(asidePath))});
        QFile::remove(asidePath);
        return seen.join(u' ') + QStringLiteral(" kept aside");
    };
    // clang-format off
    const struct { QByteArray bytes; bool writerFirst; const char *seen; } rows[] = {
        {"", false, "- -"}, {"\n  \n[MenuSettings]\n\t\nView2=a=b\n", false, "a=b a=b"},
        {"\xEF\xBB\xBF[MenuSettings]\r\nView2=1\r\n", false, "1 1"}, {"[]\n=\n[MenuSettings]\nView2=\\[x]", false, "[x] [x]"},
        {"[MenuSettings]\nView2=\xC3\xA8", false, "\xC3\xA8 \xC3\xA8"}, {"[MenuSettings]\nView2=1\nnon una riga\n", false, "- moved - kept aside"},
        {"View2=1\n[MenuSettings]\n", true, "- kept aside"}, {"[MenuSettings\nView2=1\n", true, "- kept aside"},
        {"[MenuSettings]\nView2=\xFF\xFE\n", true, "- kept aside"}, {QByteArray(512, '\0'), true, "- kept aside"},
    };
    // clang-format on
    for (const auto &row : rows)
        EXPECT_EQ(meet(row.bytes, row.writerFirst), QString::fromUtf8(row.seen)) << row.bytes.toStdString();
}
