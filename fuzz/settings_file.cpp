// The settings file reader, on any bytes as the file, then a change through the store: what
// is written reads back, and the file the store writes is one it reads (it is never set aside).
// The input's text also gives the section, key and value written (cut at its first two '|').
#include "FuzzSupport.h"

#include "data/RuntimeError.h"
#include "platform/FileSettingsStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

void quiet(QtMsgType, const QMessageLogContext &, const QString &) {}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const QTemporaryDir folder;
    static orv::FileSettingsStore store(folder.path());
    qInstallMessageHandler(quiet); // the notice of a file set aside
    QDir dir(folder.path());
    for (const QString &name : dir.entryList(QDir::Files))
        dir.remove(name);
    const QString application = QStringLiteral("Fuzz");
    QFile file(store.filePath(application));
    if (!file.open(QIODevice::WriteOnly))
        std::abort();
    file.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size));
    file.close();

    const QStringList fields = orv::fuzz::textOf(data, size).split(u'|');
    const QString section = fields.value(0), key = fields.value(1), value = fields.value(2);
    try {
        store.read(application, section, key);
        store.write(application, section, key, value);
    } catch (const orv::RuntimeError &) {
        return 0; // a name the store cannot keep, or a file it cannot set aside
    }
    const qsizetype files = dir.entryList(QDir::Files).size();
    const QString back = store.read(application, section, key);
    ORV_FUZZ_CHECK(back == value, QStringLiteral("wrote ") + value + QStringLiteral(", read ") + back);
    ORV_FUZZ_CHECK(dir.entryList(QDir::Files).size() == files,
                   QStringLiteral("the store's own file was set aside"));
    return 0;
}
