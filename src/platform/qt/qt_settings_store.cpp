#include "platform/qt/qt_settings_store.h"

#include <QSettings>
#include <QStringList>

#include "platform/qt/qt_text.h"

QtSettingsStore::QtSettingsStore(const QString& iniFile)
    : m_settings(iniFile.isEmpty() ? std::make_unique<QSettings>("Orvane", "Tarnel")
                                   : std::make_unique<QSettings>(iniFile, QSettings::IniFormat))
{
}

QtSettingsStore::~QtSettingsStore() = default;

QString QtSettingsStore::findKey(const QString& name) const
{
    if (m_settings->contains(name))
        return name;
    const QStringList keys = m_settings->childKeys();
    for (const QString& key : keys)
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return key;
    return {};
}

std::optional<std::string> QtSettingsStore::read(const std::string& name) const
{
    const QString key = findKey(toQ(name));
    if (key.isEmpty())
        return std::nullopt;
    const QVariant value = m_settings->value(key);
    // An INI value edited by hand with commas in it comes back as a list.
    if (value.typeId() == QMetaType::QStringList)
        return fromQ(value.toStringList().join(", "));
    return fromQ(value.toString());
}

void QtSettingsStore::write(const std::string& name, const std::string& value)
{
    const QString wanted = toQ(name);
    QString key = findKey(wanted);
    if (key.isEmpty())
        key = wanted;
    // Keep one entry per name: the registry never holds two that differ only in case.
    const QStringList keys = m_settings->childKeys();
    for (const QString& other : keys)
        if (other != key && other.compare(key, Qt::CaseInsensitive) == 0)
            m_settings->remove(other);
    m_settings->setValue(key, toQ(value));
}

bool QtSettingsStore::flush()
{
    m_settings->sync();
    return m_settings->status() == QSettings::NoError && m_settings->isWritable();
}
