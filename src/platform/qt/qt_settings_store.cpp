#include "platform/qt/qt_settings_store.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <fstream>
#include <sstream>

#include "platform/paths/win_path.h"
#include "platform/qt/atomic_file.h"
#include "platform/qt/qt_text.h"

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
    std::ifstream in(m_file, std::ios::binary);
    if (in) {
        std::stringstream bytes;
        bytes << in.rdbuf();
        // A name stored twice in different case: the last one stands, as the registry keeps one.
        for (auto& [name, value] : parsePlainIni(bytes.str()))
            write(name, value);
    }
}

QtSettingsStore::~QtSettingsStore() = default;

std::optional<std::string> QtSettingsStore::read(const std::string& name) const
{
    if (m_registry) {
        for (const QString& key : m_registry->childKeys())
            if (key.compare(toQ(name), Qt::CaseInsensitive) == 0)
                return fromQ(m_registry->value(key).toString());
        return std::nullopt;
    }
    for (const auto& [stored, value] : m_entries)
        if (winpath::equalsNoCase(stored, name))
            return value;
    return std::nullopt;
}

void QtSettingsStore::write(const std::string& name, const std::string& value)
{
    if (m_registry) {
        m_registry->setValue(toQ(name), toQ(value));
        return;
    }
    // The stored spelling of a name stays, as in the registry.
    for (auto& [stored, old] : m_entries)
        if (winpath::equalsNoCase(stored, name)) {
            old = value;
            return;
        }
    m_entries.emplace_back(name, value);
}

bool QtSettingsStore::flush()
{
    if (m_registry) {
        m_registry->sync();
        return m_registry->status() == QSettings::NoError && m_registry->isWritable();
    }
    if (!QDir().mkpath(QFileInfo(hostPathToQ(m_file)).absolutePath()))
        return false;
    const std::string bytes = formatPlainIni(m_entries);
    AtomicFile out(m_file);
    return out.open() && out.write(bytes.data(), bytes.size()) && out.commit();
}
