#pragma once
// A platform with no user in front of it: the real files of a drive map, and dialogs, shell,
// timers and settings that never reach the user. Messages are kept so that the caller can
// report them as failures.
#include <map>
#include <string>
#include <vector>

#include "platform/host/host.h"
#include "platform/qt/qt_clock.h"
#include "platform/qt/qt_files.h"

class QuietDialogs : public Dialogs
{
public:
    MsgAnswer message(const std::string& text, MsgButtons buttons, MsgIcon icon) override;
    std::optional<std::string> openFile(const FileDialogRequest& request) override;
    std::optional<std::string> saveFile(const FileDialogRequest& request) override;
    std::optional<std::string> chooseFolder(const std::string& title,
                                            const std::string& initialFolder) override;

    std::vector<std::string> messages;
};

class QuietHost
{
public:
    explicit QuietHost(const DriveMap& map);
    QuietHost(const QuietHost&) = delete;
    QuietHost& operator=(const QuietHost&) = delete;

    Host& host() { return m_host; }
    const std::vector<std::string>& messages() const { return m_dialogs.messages; }

private:
    class NoShell : public Shell
    {
    public:
        void open(const std::string&, const std::string&, const std::string&, bool) override {}
    };
    class NoBeeper : public Beeper
    {
    public:
        void beep() override {}
    };
    // Nothing here waits for a timer: a started timer never fires.
    class NoTimers : public Timers
    {
    public:
        Id startOnce(int, std::function<void()>) override { return ++m_last; }
        void cancel(Id) override {}

    private:
        Id m_last = 0;
    };
    class MemoryStore : public SettingsStore
    {
    public:
        std::optional<std::string> read(const std::string& name) const override;
        void write(const std::string& name, const std::string& value) override;
        bool flush() override { return true; }
        std::size_t valueCount() const override { return m_values.size(); }

    private:
        std::map<std::string, std::string> m_values;
    };

    QuietDialogs m_dialogs;
    NoShell m_shell;
    NoBeeper m_beeper;
    QtClock m_clock;
    NoTimers m_timers;
    MemoryStore m_settings;
    QtFiles m_files;
    Host m_host;
};
