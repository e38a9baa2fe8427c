#pragma once
// Keeps a recovery copy of every window whose text is unsaved, so that a crash or a kill loses
// at most the last moments of typing, and finds at start-up the copies that a Tarnel which no
// longer runs left behind.
//
// A running Tarnel claims a session name in the recovery folder and names its copies
// "<session>-<window>.recovery"; a copy whose session another running Tarnel holds is never
// touched.
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "editor/recovery_copy.h"
#include "platform/host/recovery_folder.h"
#include "platform/host/shell.h"

class RecoveryStore {
public:
    // A change is copied within this time: with a late timer and the write, within 2 s.
    static constexpr int CopyDelayMs = 1500;
    static constexpr const char* Extension = ".recovery";

    // What the store asks of a window.
    struct Window {
        std::function<bool()> unsaved;           // the text differs from its file
        std::function<std::function<std::string()>()> snapshot;  // TextBuffer::snapshot()
        std::function<std::string()> original;   // empty for a new file
    };
    using Key = int;

    // Without a folder nothing is ever copied or found.
    RecoveryStore(RecoveryFolder* folder, Timers& timers, Clock& clock);
    ~RecoveryStore();
    RecoveryStore(const RecoveryStore&) = delete;
    RecoveryStore& operator=(const RecoveryStore&) = delete;

    Key add(Window window);
    // The window's text changed: a copy follows within CopyDelayMs.
    void edited(Key key);
    // Copies the window's text now (a window restored from a copy).
    void copyNow(Key key);
    // The text was saved, or the user gave it up: its copy goes, and stays gone until the next change.
    void drop(Key key);
    // The window is gone; a text still unsaved keeps its copy.
    void remove(Key key);
    // The program ends: every unsaved text is copied and on disk before this returns.
    void keepUnsaved();

    // Copies left by Tarnels that no longer run, in name order; damaged ones are left alone.
    // Their sessions stay claimed by this process until restored, discarded or let go.
    std::vector<RecoveryCopy> leftCopies();
    void discard(const RecoveryCopy& copy);
    // Lets every session claimed by leftCopies() go; what is left of them waits for a later start.
    void letGo();

    // The copy's name for a window; empty before its first copy.
    std::string copyName(Key key) const;
    const std::string& session() const { return m_session; }

private:
    struct Entry {
        Window window;
        Timers::Id timer = 0;
        bool copied = false;
        bool givenUp = false;
    };
    void copy(Key key, Entry& entry);
    void removeCopy(Key key, Entry& entry);
    bool openSession();
    static std::string sessionOf(const std::string& copyName);

    RecoveryFolder* m_folder;
    Timers& m_timers;
    Clock& m_clock;
    std::map<Key, Entry> m_windows;
    Key m_nextKey = 1;
    std::string m_session;
    std::set<std::string> m_adopted;  // sessions of leftCopies(), claimed by us
};
