#include "support/FakeServices.h"
#include "support/PrintVariant.h"

#include "data/RuntimeError.h"
#include "platform/FileSettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryFile>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <future>
#include <sys/file.h>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

using namespace orv;
using orv::test::IsolatedSettings;
using ::testing::HasSubstr;

namespace {

const QString kApp = QStringLiteral("OrvSuite");
const QString kSection = QStringLiteral("Concorrenza");
constexpr int kKeysPerProcess = 200;
const char *const kWriterVariable = "ORV_SETTINGS_WRITER";

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

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

// A lock held too long by another program ends in error 75 naming the file instead of a freeze;
// reads take no lock and go on meanwhile.
TEST_F(SettingsStoreTest, ALockHeldTooLongByAnotherProgramRaises75NamingTheFile)
{
    write("MenuSettings", "View2", "1");
    const QString path = isolated.store().filePath(kApp);
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
    FileSettingsStore impatient(isolated.directory(), std::chrono::milliseconds(200));
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

// The file is replaced only by a new one written whole: a write that fails halfway (here the
// process may not write files beyond 4 KiB) leaves the file as it was and no temporary file.
TEST_F(SettingsStoreTest, AChangeThatFailsHalfwayLeavesTheFileAsItWas)
{
    write("MenuSettings", "PATH", "C:\\Orv");
    const QString path = isolated.store().filePath(kApp);
    const QByteArray before = bytesOf(path);
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 4096;
    const auto previous = std::signal(SIGXFSZ, SIG_IGN); // the write fails instead of ending the process
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const int number = errorNumberOf([&] { write("MenuSettings", "Grande", QString(64 * 1024, u'x')); });
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(number, 75);
    EXPECT_EQ(bytesOf(path), before);
    EXPECT_EQ(QDir(isolated.directory()).entryList(QDir::Files),
              QStringList({QFileInfo(path).fileName(), QFileInfo(path).fileName() + ".lock"}));
}

// A file that is not in the store's format is never read as defaults and then overwritten: it is
// kept aside byte for byte, the user is told, and the settings start afresh. A file in the format
// is read as it stands, however it was written.
TEST_F(SettingsStoreTest, AFileNotInTheFormatIsKeptAsideWithAMessageAndTheSettingsStartAfresh)
{
    orv::test::ServiceOverride<orv::test::CapturedMessageBoxes> boxes;
    const QString path = isolated.store().filePath(kApp);
    const auto keptAside = [&] {
        return QDir(isolated.directory())
            .entryList({QFileInfo(path).fileName() + ".unreadable-*"}, QDir::Files);
    };
    const auto place = [&](const QByteArray &bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    };
    // clang-format off
    const struct { QByteArray bytes; const char *view2; } readable[] = {
        {"", "-"}, {"\n  \n[MenuSettings]\n\t\nView2=a=b\n", "a=b"},
        {"\xEF\xBB\xBF[MenuSettings]\r\nView2=1\r\n", "1"}, {"[MenuSettings]\nView2=\xC3\xA8", "\xC3\xA8"},
        {"[]\n=\n[MenuSettings]\nView2=\\[x]", "[x]"}
    };
    const QByteArray unreadable[] = {
        "[MenuSettings]\nView2=1\nnon una riga\n", "View2=1\n[MenuSettings]\n", "[MenuSettings\nView2=1\n",
        "[MenuSettings]\nView2=\xFF\xFE\n", QByteArray(512, '\0')
    };
    // clang-format on
    for (const auto &row : readable) {
        SCOPED_TRACE(row.bytes.toStdString());
        place(row.bytes);
        EXPECT_EQ(read("MenuSettings", "View2", "-"), QString::fromUtf8(row.view2));
        write("MenuSettings", "LastUser", "mario");
        EXPECT_EQ(read("MenuSettings", "View2", "-"), QString::fromUtf8(row.view2));
    }
    EXPECT_EQ(keptAside(), QStringList());
    EXPECT_EQ(boxes->messages().size(), 0u);

    for (const QByteArray &bytes : unreadable) {
        SCOPED_TRACE(bytes.toStdString());
        place(bytes);
        boxes->clear();
        write("MenuSettings", "LastUser", "mario");
        EXPECT_EQ(bytesOf(path), "[MenuSettings]\nLastUser=mario\n");
        const QStringList aside = keptAside();
        ASSERT_EQ(aside.size(), 1);
        const QString asidePath = isolated.directory() + u'/' + aside.first();
        EXPECT_EQ(bytesOf(asidePath), bytes);
        ASSERT_EQ(boxes->messages().size(), 1u);
        EXPECT_THAT(
            boxes->texts().first().toStdString(),
            ::testing::AllOf(HasSubstr(QDir::toNativeSeparators(path).toStdString() + " could not be read"),
                             HasSubstr(QDir::toNativeSeparators(asidePath).toStdString())));
        QFile::remove(asidePath);
    }

    // A reader meets it first: the defaults, and the same keeping aside.
    place(unreadable[0]);
    boxes->clear();
    EXPECT_EQ(read("MenuSettings", "View2", "-"), QStringLiteral("-"));
    EXPECT_EQ(keptAside().size(), 1);
    EXPECT_EQ(boxes->messages().size(), 1u);
    EXPECT_FALSE(QFile::exists(path));
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
