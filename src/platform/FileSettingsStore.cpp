#include "FileSettingsStore.h"

#include "SettingsFileLock_p.h"
#include "data/RuntimeError.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QThread>
#include <QUrl>

#include <exception>
#include <functional>
#include <map>
#include <optional>

namespace orv {

namespace {

constexpr int kErrPathFileAccess = 75;

// The text form of one file: sections by folded name, each with its entries by folded key.
struct Entry {
    QString key; // as first written
    QString value;
};

struct Section {
    QString name; // as first written
    std::map<QString, Entry> entries;
};

using Document = std::map<QString, Section>;

QString fold(const QString &name)
{
    return name.toCaseFolded();
}

// Escapes: backslash, line feed and carriage return everywhere; in names also '=', '[' and
// ']', so that a name can never be mistaken for a section header or end before its '='.
QString escape(const QString &text, bool isName)
{
    QString out;
    out.reserve(text.size());
    for (const QChar ch : text) {
        if (ch == u'\\')
            out += QStringLiteral("\\\\");
        else if (ch == u'\n')
            out += QStringLiteral("\\n");
        else if (ch == u'\r')
            out += QStringLiteral("\\r");
        else if (isName && (ch == u'=' || ch == u'[' || ch == u']'))
            out += QLatin1Char('\\') + ch;
        else
            out += ch;
    }
    return out;
}

QString unescape(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (ch != u'\\' || i + 1 == text.size()) {
            out += ch;
            continue;
        }
        const QChar next = text[++i];
        if (next == u'n')
            out += QLatin1Char('\n');
        else if (next == u'r')
            out += QLatin1Char('\r');
        else
            out += next;
    }
    return out;
}

// Position of the first '=' that is not escaped, or -1.
qsizetype separatorPosition(QStringView line)
{
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == u'\\')
            ++i;
        else if (line[i] == u'=')
            return i;
    }
    return -1;
}

// The format: UTF-8 text (a leading byte-order mark is allowed) in lines ending in "\n" or
// "\r\n". A line that is empty or holds only blanks means nothing; every other line is a
// section header "[name]" or, after a header, an entry "key=value" whose first unescaped '='
// ends the key. That is all a writer of this store produces, and a file holding anything else
// (bytes that are not UTF-8, a line of neither kind, an entry before the first header) is not
// a settings file of this store: reading past what it does not understand and writing the
// rest back would lose it. Such a file gives no document.
std::optional<Document> parse(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString content = decoder(bytes);
    if (decoder.hasError())
        return std::nullopt;
    Document document;
    Section *current = nullptr;
    for (QStringView line : QStringView(content).split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            const QString name = unescape(line.mid(1, line.size() - 2));
            const auto [it, inserted] = document.try_emplace(fold(name));
            if (inserted)
                it->second.name = name;
            current = &it->second;
            continue;
        }
        const qsizetype separator = separatorPosition(line);
        if (!current || separator < 0)
            return std::nullopt;
        const QString key = unescape(line.left(separator));
        const auto [it, inserted] = current->entries.try_emplace(fold(key));
        if (inserted)
            it->second.key = key;
        it->second.value = unescape(line.mid(separator + 1));
    }
    return document;
}

QString serialize(const Document &document)
{
    QString out;
    for (const auto &[folded, section] : document) {
        if (!out.isEmpty())
            out += QLatin1Char('\n');
        out += QLatin1Char('[') + escape(section.name, true) + QStringLiteral("]\n");
        for (const auto &[foldedKey, entry] : section.entries)
            out +=
                escape(entry.key, true) + QLatin1Char('=') + escape(entry.value, false) + QLatin1Char('\n');
    }
    return out;
}

[[noreturn]] void raiseFileError(const QString &what, const QString &path, const QString &reason)
{
    raiseError(kErrPathFileAccess,
               QStringLiteral("%1 %2: %3").arg(what, QDir::toNativeSeparators(path), reason));
}

// Tells the user that a settings file was set aside. A message box may open only on the
// application's own thread; elsewhere the notice goes to the log.
void tellKeptAside(const QString &application, const QString &path, const QString &keptAs)
{
    const QString text = QStringLiteral("The settings file %1 could not be read. It has been kept as %2, "
                                        "and the settings start again from their defaults.")
                             .arg(QDir::toNativeSeparators(path), QDir::toNativeSeparators(keptAs));
    const auto *app = qobject_cast<QApplication *>(QCoreApplication::instance());
    if (app && QThread::currentThread() == app->thread())
        services::messageBox().show(nullptr, text, kMbExclamation | kMbOkOnly, application);
    else
        qWarning().noquote() << text;
}

} // namespace

class FileSettingsStore::Private {
public:
    Private(QString dir, std::chrono::milliseconds timeout) : directory(std::move(dir)), lockTimeout(timeout)
    {}

    // The file's document; none when the file is there but not in the format.
    std::optional<Document> load(const QString &path) const;
    // Under the lock: the file's document, or, when it is not in the format, the file renamed
    // aside (keptAs) and an empty document.
    Document loadKeepingAsideUnreadable(const QString &path, QString &keptAs) const;
    void save(const QString &path, const Document &document) const;
    // Applies a change under the application's lock; the change tells whether it changed
    // anything, and only then is the file rewritten.
    void update(const QString &application, const std::function<bool(Document &)> &change) const;
    // The document to read from, for a reader that takes no lock.
    Document current(const QString &application) const;

    QString filePath(const QString &application) const;

    const QString directory;
    const std::chrono::milliseconds lockTimeout;
};

QString FileSettingsStore::Private::filePath(const QString &application) const
{
    // The folded name, percent-encoded so that any name is a safe file name; '_' is encoded
    // too, which leaves the bare "_" free for the empty name.
    const QString folded = fold(application);
    const QString baseName =
        folded.isEmpty() ? QStringLiteral("_")
                         : QString::fromLatin1(QUrl::toPercentEncoding(folded, QByteArrayLiteral(" "), "_"));
    return directory + QLatin1Char('/') + baseName + QStringLiteral(".ini");
}

std::optional<Document> FileSettingsStore::Private::load(const QString &path) const
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (!file.exists())
            return Document();
        raiseFileError(QStringLiteral("Cannot read the settings file"), path, file.errorString());
    }
    return parse(file.readAll());
}

Document FileSettingsStore::Private::loadKeepingAsideUnreadable(const QString &path, QString &keptAs) const
{
    if (std::optional<Document> document = load(path))
        return std::move(*document);
    const QString stem = path + QStringLiteral(".unreadable-") +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QFile file(path);
    // rename() never replaces an existing file, so an earlier one of the same second stays.
    for (int n = 1; n <= 100 && keptAs.isEmpty(); ++n) {
        const QString candidate = n == 1 ? stem : stem + QLatin1Char('-') + QString::number(n);
        if (file.rename(candidate))
            keptAs = candidate;
        else if (!QFile::exists(candidate))
            break;
    }
    if (keptAs.isEmpty())
        raiseFileError(QStringLiteral("Cannot keep aside the unreadable settings file"), path,
                       file.errorString());
    return Document();
}

void FileSettingsStore::Private::save(const QString &path, const Document &document) const
{
    // QSaveFile writes a temporary file in the same folder, flushes it to the disk on commit()
    // and only then renames it over the file, so a failed write leaves the old file whole.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        raiseFileError(QStringLiteral("Cannot write the settings file"), path, file.errorString());
    // The store holds remembered passwords: only the user may read it.
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const QByteArray bytes = serialize(document).toUtf8();
    if (file.write(bytes) != bytes.size() || !file.commit())
        raiseFileError(QStringLiteral("Cannot write the settings file"), path, file.errorString());
}

void FileSettingsStore::Private::update(const QString &application,
                                        const std::function<bool(Document &)> &change) const
{
    if (!QDir().mkpath(directory))
        raiseFileError(QStringLiteral("Cannot create the settings folder"), directory, QString());
    const QString path = filePath(application);
    QString keptAs;
    std::exception_ptr failure;
    {
        detail::SettingsFileLock lock(path, lockTimeout);
        Document document = loadKeepingAsideUnreadable(path, keptAs);
        try {
            if (change(document))
                save(path, document);
        } catch (...) {
            failure = std::current_exception();
        }
    }
    // The user is told after the lock is released: a message box waits for the user, and
    // other programs must not wait for the lock meanwhile.
    if (!keptAs.isEmpty())
        tellKeptAside(application, path, keptAs);
    if (failure)
        std::rethrow_exception(failure);
}

Document FileSettingsStore::Private::current(const QString &application) const
{
    const QString path = filePath(application);
    if (std::optional<Document> document = load(path))
        return std::move(*document);
    // A file that is not in the format is set aside under the lock, unless a writer has
    // replaced it meanwhile.
    QString keptAs;
    Document document;
    {
        detail::SettingsFileLock lock(path, lockTimeout);
        document = loadKeepingAsideUnreadable(path, keptAs);
    }
    if (!keptAs.isEmpty())
        tellKeptAside(application, path, keptAs);
    return document;
}

FileSettingsStore::FileSettingsStore() : FileSettingsStore(defaultDirectory()) {}

FileSettingsStore::FileSettingsStore(const QString &directory, std::chrono::milliseconds lockTimeout)
    : d(std::make_unique<Private>(QDir::cleanPath(directory), lockTimeout))
{}

FileSettingsStore::~FileSettingsStore() = default;

QString FileSettingsStore::defaultDirectory()
{
    const QString overridden = qEnvironmentVariable("ORV_SETTINGS_DIR");
    if (!overridden.isEmpty())
        return overridden;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/OrvSearch");
}

QString FileSettingsStore::directory() const
{
    return d->directory;
}

QString FileSettingsStore::filePath(const QString &application) const
{
    return d->filePath(application);
}

QString FileSettingsStore::read(const QString &application, const QString &section, const QString &key,
                                const QString &defaultValue)
{
    const Document document = d->current(application);
    const auto sectionIt = document.find(fold(section));
    if (sectionIt == document.end())
        return defaultValue;
    const auto entryIt = sectionIt->second.entries.find(fold(key));
    return entryIt == sectionIt->second.entries.end() ? defaultValue : entryIt->second.value;
}

void FileSettingsStore::write(const QString &application, const QString &section, const QString &key,
                              const QString &value)
{
    d->update(application, [&](Document &document) {
        const auto [sectionIt, newSection] = document.try_emplace(fold(section));
        if (newSection)
            sectionIt->second.name = section;
        const auto [entryIt, newEntry] = sectionIt->second.entries.try_emplace(fold(key));
        if (!newEntry && entryIt->second.value == value)
            return false;
        if (newEntry)
            entryIt->second.key = key;
        entryIt->second.value = value;
        return true;
    });
}

void FileSettingsStore::deleteKey(const QString &application, const QString &section, const QString &key)
{
    d->update(application, [&](Document &document) {
        const auto sectionIt = document.find(fold(section));
        if (sectionIt == document.end() || sectionIt->second.entries.erase(fold(key)) == 0)
            return false;
        if (sectionIt->second.entries.empty())
            document.erase(sectionIt);
        return true;
    });
}

void FileSettingsStore::deleteSection(const QString &application, const QString &section)
{
    d->update(application, [&](Document &document) { return document.erase(fold(section)) > 0; });
}

} // namespace orv
