#include "platform/qt/qt_settings_store.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/paths/win_path.h"
#include "platform/qt/atomic_file.h"
#include "platform/qt/qt_text.h"

namespace
{

// The file's bytes; nullopt when it is there but cannot be read.
std::optional<std::string> readWhole(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    std::string bytes;
    char buffer[8192];
    while (true) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ::close(fd);
            if (n < 0)
                return std::nullopt;
            return bytes;
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
}

} // namespace

QString QtSettingsStore::defaultFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/Orvane/Tarnel.conf";
}

QtSettingsStore::QtSettingsStore(const QString& iniFile)
{
#ifdef Q_OS_WIN
    if (iniFile.isEmpty()) {
        m_registry = std::make_unique<QSettings>("Orvane", "Tarnel");
        return;
    }
#endif
    m_file = hostPathFromQ(iniFile.isEmpty() ? defaultFile() : iniFile);
    load();
}

QtSettingsStore::~QtSettingsStore() = default;

void QtSettingsStore::load()
{
    struct stat st {
    };
    if (::stat(m_file.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return;
    const auto bytes = readWhole(m_file);
    if (!bytes) {
        m_keepOriginal = true;
        return;
    }
    const IniEntries entries = iniFormOf(*bytes) == IniForm::QtEscaped ? readQtEscaped() : parsePlainIni(*bytes);
    m_entries.reserve(entries.size());
    m_byName.reserve(entries.size());
    // A name stored twice in different case: the last one stands, as the registry keeps one.
    for (const auto& [name, value] : entries)
        write(name, value);
    // Anything the reader left out would be gone with the first write.
    m_keepOriginal = (m_entries.empty() && holdsText(*bytes)) || holdsMoreThanSettings(*bytes);
}

// Files that Qt's own writer left are read by Qt's reader, so they read as Qt wrote them.
IniEntries QtSettingsStore::readQtEscaped() const
{
    IniEntries entries;
    const QSettings qt(hostPathToQ(m_file), QSettings::IniFormat);
    for (const QString& key : qt.childKeys()) {
        const QVariant value = qt.value(key);
        // An INI value edited by hand with commas in it comes back as a list.
        const QString text =
            value.typeId() == QMetaType::QStringList ? value.toStringList().join(", ") : value.toString();
        entries.emplace_back(fromQ(key), fromQ(text));
    }
    return entries;
}

std::optional<std::string> QtSettingsStore::read(const std::string& name) const
{
    if (m_registry) {
        for (const QString& key : m_registry->childKeys())
            if (key.compare(toQ(name), Qt::CaseInsensitive) == 0)
                return fromQ(m_registry->value(key).toString());
        return std::nullopt;
    }
    const auto it = m_byName.find(winpath::lower(name));
    if (it == m_byName.end())
        return std::nullopt;
    return m_entries[it->second].second;
}

void QtSettingsStore::write(const std::string& name, const std::string& value)
{
    if (m_registry) {
        m_registry->setValue(toQ(name), toQ(value));
        return;
    }
    // The stored spelling of a name stays, as in the registry.
    const auto [it, added] = m_byName.emplace(winpath::lower(name), m_entries.size());
    if (added)
        m_entries.emplace_back(name, value);
    else
        m_entries[it->second].second = value;
}

std::size_t QtSettingsStore::valueCount() const
{
    return m_registry ? static_cast<std::size_t>(m_registry->childKeys().size()) : m_entries.size();
}

// The original stays as it is, under the backup's name: a hard link needs no read access;
// where the file system has none, a copy, or as the last resort the file itself is moved.
bool QtSettingsStore::keepOriginal()
{
    const std::string backup = m_file + ".bak";
    struct stat st {
    };
    if (::stat(m_file.c_str(), &st) != 0)
        return true; // gone meanwhile: nothing left to keep
    bool kept = ::link(m_file.c_str(), backup.c_str()) == 0;
    if (!kept && errno == EEXIST) {
        ::unlink(backup.c_str());
        kept = ::link(m_file.c_str(), backup.c_str()) == 0;
    }
    if (!kept) {
        if (const auto bytes = readWhole(m_file)) {
            AtomicFile copy(backup);
            kept = copy.open() && copy.write(bytes->data(), bytes->size()) && copy.commit();
        } else {
            kept = ::rename(m_file.c_str(), backup.c_str()) == 0;
        }
    }
    // An original the user may not write, kept under the backup's name, makes way for the new
    // file: the atomic replace refuses to write over it.
    if (kept && ::stat(m_file.c_str(), &st) == 0 && !userMayWrite(m_file, st))
        kept = ::unlink(m_file.c_str()) == 0;
    if (kept)
        std::fprintf(stderr, "Tarnel: the settings file %s could not be read wholly as settings; it is kept as %s\n",
                     m_file.c_str(), backup.c_str());
    return kept;
}

bool QtSettingsStore::flush()
{
    if (m_registry) {
        m_registry->sync();
        return m_registry->status() == QSettings::NoError && m_registry->isWritable();
    }
    if (!QDir().mkpath(QFileInfo(hostPathToQ(m_file)).absolutePath()))
        return false;
    if (m_keepOriginal) {
        if (!keepOriginal())
            return false;
        m_keepOriginal = false;
    }
    const std::string bytes = formatPlainIni(m_entries);
    AtomicFile out(m_file);
    return out.open() && out.write(bytes.data(), bytes.size()) && out.commit();
}
