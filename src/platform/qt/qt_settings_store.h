#pragma once
// The user's settings: the registry on Windows; elsewhere a plain settings file in the user's
// configuration folder (Orvane/Tarnel.conf) holding every value verbatim. Value names are matched
// without regard to case everywhere, as the registry does.
#include <QString>
#include <memory>

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

    static QString defaultFile();

private:
    std::string m_file;  // host path; empty when the registry is used
    IniEntries m_entries;
    std::unique_ptr<QSettings> m_registry;
};
