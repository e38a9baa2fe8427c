#pragma once
// In-memory stand-ins for every platform interface, for tests.
#include <deque>
#include <functional>
#include <map>
#include <memory>

#include "platform/fake/fake_files.h"
#include "platform/fake/fake_recovery_folder.h"
#include "platform/host/host.h"

struct DialogCall {
    std::string kind;  // "message", "open", "save", "folder", "dialog"
    std::string text;  // message text, dialog title, or the own dialog's name
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::None;
    FileDialogRequest request;
};

class FakeDialogs : public Dialogs {
public:
    MsgAnswer message(const std::string& text, MsgButtons buttons, MsgIcon icon) override;
    std::optional<std::string> openFile(const FileDialogRequest& request) override;
    std::optional<std::string> saveFile(const FileDialogRequest& request) override;
    std::optional<FileChoice> openFileChoice(const FileDialogRequest& request) override;
    std::optional<std::string> chooseFolder(const std::string& title,
                                            const std::string& initialFolder) override;
    MsgAnswer runDialog(OwnDialog& dialog) override;

    void notice(const std::string& line) override { notices.push_back(line); }

    std::vector<DialogCall> calls;
    // Plays the user's part in the next own dialog; default: Cancel.
    std::deque<std::function<MsgAnswer(OwnDialog&)>> dialogScripts;
    std::vector<std::string> notices;
    std::deque<MsgAnswer> answers;                     // default: Ok
    std::deque<std::optional<std::string>> fileAnswers;  // default: cancel
    std::deque<int> filterAnswers;                     // filter left chosen; default: as asked
    std::vector<std::string> messages() const;
};

class FakeShell : public Shell {
public:
    struct Call {
        std::string file, parameters, folder;
        bool shown;
        bool maximized = false;
    };
    void open(const std::string& file, const std::string& parameters, const std::string& folder,
              bool shown) override
    {
        calls.push_back({file, parameters, folder, shown});
    }
    void openMaximized(const std::string& file, const std::string& parameters, const std::string& folder) override
    {
        calls.push_back({file, parameters, folder, true, true});
    }
    std::vector<Call> calls;
};

class FakeBeeper : public Beeper {
public:
    void beep() override { ++count; }
    int count = 0;
};

class FakeClock : public Clock {
public:
    std::int64_t nowMs() const override { return now; }
    std::int64_t now = 1'700'000'000'000;
};

class FakeTimers : public Timers {
public:
    struct Pending {
        int ms;
        std::function<void()> fn;
    };
    Id startOnce(int ms, std::function<void()> fn) override;
    void cancel(Id id) override { pending.erase(id); }
    // Fires the oldest pending timer of that interval (any when 0); false when none.
    bool fire(int ms = 0);
    int count(int ms) const;
    std::map<Id, Pending> pending;
    Id next = 1;
};

class FakeSettingsStore : public SettingsStore {
public:
    std::optional<std::string> read(const std::string& name) const override;
    void write(const std::string& name, const std::string& value) override;
    bool flush() override { return !failFlush; }
    std::size_t valueCount() const override { return values.size(); }
    std::map<std::string, std::string> values;  // keyed by lower-case name
    std::vector<std::string> writeOrder;
    bool failFlush = false;
};

// All fakes together, wired into a Host.
struct FakeHost {
    FakeDialogs dialogs;
    FakeShell shell;
    FakeBeeper beeper;
    FakeClock clock;
    FakeTimers timers;
    FakeSettingsStore settings;
    FakeFiles files{&clock};
    FakeRecoveryFolder recovery;
    Host host{dialogs, shell, beeper, clock, timers, settings, files, "C:\\Program Files\\Tarnel\\",
              "C:\\Program Files\\Tarnel\\Tarnel.exe", &recovery};
};
