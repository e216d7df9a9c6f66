#include "FileWindowRegistry.h"

#include "FileSettingsStore.h"
#include "PosixProcessService.h"
#include "data/RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <unistd.h>

namespace orv {

namespace {
constexpr int kErrPathFileAccess = 75;
}

FileWindowRegistry::FileWindowRegistry() : FileWindowRegistry(defaultDirectory()) {}

FileWindowRegistry::FileWindowRegistry(QString directory) : m_directory(std::move(directory)) {}

QString FileWindowRegistry::defaultDirectory()
{
    return FileSettingsStore::defaultDirectory() + QStringLiteral("/windows");
}

QString FileWindowRegistry::fileOf(std::int32_t window, const QString &suffix) const
{
    return QStringLiteral("%1/%2.%3").arg(m_directory).arg(window).arg(suffix.toCaseFolded());
}

std::optional<std::pair<std::int64_t, std::int64_t>> FileWindowRegistry::readLive(const QString &path) const
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QList<QByteArray> words = file.readAll().simplified().split(' ');
    const std::int64_t pid = words.value(0).toLongLong();
    if (!processRunning(pid)) {
        file.close();
        QFile::remove(path);
        return std::nullopt;
    }
    return std::make_pair(pid, words.value(1).toLongLong());
}

void FileWindowRegistry::writeFile(const QString &path, std::int64_t pid, std::int64_t value) const
{
    QSaveFile file(path);
    if (!QDir().mkpath(m_directory) || !file.open(QIODevice::WriteOnly) ||
        file.write(QByteArray::number(pid) + ' ' + QByteArray::number(value) + '\n') < 0 || !file.commit())
        raiseError(
            kErrPathFileAccess,
            QStringLiteral("Cannot write %1: %2").arg(QDir::toNativeSeparators(path), file.errorString()));
}

std::optional<std::int32_t> FileWindowRegistry::property(std::int32_t window, const QString &name)
{
    if (const auto entry = readLive(fileOf(window, name)))
        return static_cast<std::int32_t>(entry->second);
    return std::nullopt;
}

void FileWindowRegistry::setProperty(std::int32_t window, const QString &name, std::int32_t value)
{
    const std::int64_t owner = ownerProcess(window);
    writeFile(fileOf(window, name), owner ? owner : getpid(), value);
}

void FileWindowRegistry::removeProperty(std::int32_t window, const QString &name)
{
    QFile::remove(fileOf(window, name));
}

bool FileWindowRegistry::isVisible(std::int32_t window)
{
    const auto entry = readLive(fileOf(window, QStringLiteral("window")));
    return entry && entry->second != 0;
}

void FileWindowRegistry::restoreAndActivate(std::int32_t window)
{
    if (const std::int64_t owner = ownerProcess(window))
        writeFile(fileOf(window, QStringLiteral("restore")), owner, 1);
}

std::int64_t FileWindowRegistry::ownerProcess(std::int32_t window)
{
    const auto entry = readLive(fileOf(window, QStringLiteral("window")));
    return entry ? entry->first : 0;
}

void FileWindowRegistry::publish(std::int32_t window, bool visible)
{
    writeFile(fileOf(window, QStringLiteral("window")), getpid(), visible ? 1 : 0);
}

void FileWindowRegistry::unpublish(std::int32_t window)
{
    QDir dir(m_directory);
    const QStringList files = dir.entryList({QStringLiteral("%1.*").arg(window)}, QDir::Files);
    for (const QString &name : files)
        dir.remove(name);
}

bool FileWindowRegistry::takeRestoreRequest(std::int32_t window)
{
    return QFile::remove(fileOf(window, QStringLiteral("restore")));
}

} // namespace orv
