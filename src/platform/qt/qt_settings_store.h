#pragma once
// The user's settings through QSettings: the registry on Windows, an INI file elsewhere.
// Value names are matched without regard to case everywhere, as the registry does.
#include <QString>
#include <memory>

#include "platform/host/settings_store.h"

class QSettings;

class QtSettingsStore : public SettingsStore
{
public:
    // The user's "Orvane" / "Tarnel" store, or the given INI file (tests keep away from ~).
    explicit QtSettingsStore(const QString& iniFile = {});
    ~QtSettingsStore() override;

    std::optional<std::string> read(const std::string& name) const override;
    void write(const std::string& name, const std::string& value) override;
    bool flush() override;

private:
    QString findKey(const QString& name) const;

    std::unique_ptr<QSettings> m_settings;
};
