#pragma once
// The user's settings: the registry on Windows; elsewhere a plain settings file in the user's
// configuration folder (Orvane/Tarnel.conf) holding every value verbatim. Value names are matched
// without regard to case everywhere, as the registry does. A settings file that cannot be read,
// or holds no settings, is kept beside itself as Tarnel.conf.bak before it is first written over.
#include <QString>
#include <memory>
#include <unordered_map>

#include "platform/host/settings_store.h"
#include "platform/paths/plain_ini.h"

class QSettings;

class QtSettingsStore : public SettingsStore
{
public:
    // The user's "Orvane" / "Tarnel" store, or the given settings file (tests keep away from ~).
    explicit QtSettingsStore(const QString& iniFile = {});
    ~QtSettingsStore() override;

    std::optional<std::string> read(const std::string& name) const override;
    void write(const std::string& name, const std::string& value) override;
    bool flush() override;
    std::size_t valueCount() const override;

    static QString defaultFile();

private:
    void load();
    IniEntries readQtEscaped() const;
    bool keepOriginal();

    std::string m_file;  // host path; empty when the registry is used
    IniEntries m_entries;  // in the order stored
    std::unordered_map<std::string, std::size_t> m_byName;  // lower-case name -> entry
    bool m_keepOriginal = false;
    std::unique_ptr<QSettings> m_registry;
};
