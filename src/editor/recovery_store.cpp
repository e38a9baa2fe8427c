#include "editor/recovery_store.h"

#include <algorithm>

RecoveryStore::RecoveryStore(RecoveryFolder* folder, Timers& timers, Clock& clock)
    : m_folder(folder), m_timers(timers), m_clock(clock)
{
}

RecoveryStore::~RecoveryStore()
{
    for (auto& [key, entry] : m_windows)
        if (entry.timer)
            m_timers.cancel(entry.timer);
    if (m_folder) {
        m_folder->flush();
        letGo();
        if (!m_session.empty())
            m_folder->release(m_session);
    }
}

RecoveryStore::Key RecoveryStore::add(Window window)
{
    const Key key = m_nextKey++;
    m_windows[key].window = std::move(window);
    return key;
}

void RecoveryStore::edited(Key key)
{
    const auto it = m_windows.find(key);
    // Typing goes on while the timer runs: the copy follows the first change, not the last.
    if (!m_folder || it == m_windows.end())
        return;
    it->second.givenUp = false;
    if (it->second.timer)
        return;
    it->second.timer = m_timers.startOnce(CopyDelayMs, [this, key] {
        const auto found = m_windows.find(key);
        if (found == m_windows.end())
            return;
        found->second.timer = 0;
        if (found->second.window.unsaved())
            copy(key, found->second);
        else
            removeCopy(key, found->second);
    });
}

void RecoveryStore::copyNow(Key key)
{
    const auto it = m_windows.find(key);
    if (it != m_windows.end() && it->second.window.unsaved())
        copy(key, it->second);
}

void RecoveryStore::drop(Key key)
{
    const auto it = m_windows.find(key);
    if (it == m_windows.end())
        return;
    if (it->second.timer) {
        m_timers.cancel(it->second.timer);
        it->second.timer = 0;
    }
    it->second.givenUp = true;
    removeCopy(key, it->second);
}

void RecoveryStore::remove(Key key)
{
    const auto it = m_windows.find(key);
    if (it == m_windows.end())
        return;
    if (it->second.timer)
        m_timers.cancel(it->second.timer);
    if (it->second.window.unsaved() && !it->second.givenUp)
        copy(key, it->second);
    else
        removeCopy(key, it->second);
    m_windows.erase(it);
}

void RecoveryStore::keepUnsaved()
{
    if (!m_folder)
        return;
    for (auto& [key, entry] : m_windows) {
        if (entry.timer) {
            m_timers.cancel(entry.timer);
            entry.timer = 0;
        }
        if (entry.window.unsaved() && !entry.givenUp)
            copy(key, entry);
    }
    m_folder->flush();
}

bool RecoveryStore::openSession()
{
    if (!m_session.empty())
        return true;
    // The start time tells this process from an earlier one that had the same process id.
    const std::string base = std::to_string(m_folder->processId()) + "_" + std::to_string(m_clock.nowMs());
    for (int n = 0; n < 100; ++n) {
        const std::string name = n ? base + "_" + std::to_string(n) : base;
        if (m_folder->claim(name)) {
            m_session = name;
            return true;
        }
    }
    return false;
}

std::string RecoveryStore::copyName(Key key) const
{
    if (m_session.empty())
        return {};
    return m_session + "-" + std::to_string(key) + Extension;
}

void RecoveryStore::copy(Key key, Entry& entry)
{
    if (!m_folder || !openSession())
        return;
    m_folder->write(copyName(key), [pid = m_folder->processId(), original = entry.window.original(),
                                    text = entry.window.snapshot()] { return composeRecoveryCopy(pid, original, text()); });
    entry.copied = true;
}

void RecoveryStore::removeCopy(Key key, Entry& entry)
{
    if (!entry.copied)
        return;
    m_folder->remove(copyName(key));
    entry.copied = false;
}

std::string RecoveryStore::sessionOf(const std::string& copyName)
{
    const std::size_t dash = copyName.rfind('-');
    return dash == std::string::npos ? std::string() : copyName.substr(0, dash);
}

std::vector<RecoveryCopy> RecoveryStore::leftCopies()
{
    std::vector<RecoveryCopy> out;
    if (!m_folder)
        return out;
    std::vector<std::string> names = m_folder->list();
    std::sort(names.begin(), names.end());
    std::set<std::string> heldElsewhere;
    const std::string ext = Extension;
    for (const std::string& name : names) {
        if (name.size() <= ext.size() || name.compare(name.size() - ext.size(), ext.size(), ext) != 0)
            continue;
        const std::string session = sessionOf(name);
        if (session.empty() || session == m_session || heldElsewhere.count(session))
            continue;
        if (!m_adopted.count(session)) {
            if (!m_folder->claim(session)) {
                heldElsewhere.insert(session);
                continue;
            }
            m_adopted.insert(session);
        }
        const auto bytes = m_folder->read(name);
        if (!bytes)
            continue;
        if (auto copy = parseRecoveryCopy(name, *bytes))
            out.push_back(std::move(*copy));
    }
    return out;
}

void RecoveryStore::discard(const RecoveryCopy& copy)
{
    if (m_folder && m_adopted.count(sessionOf(copy.name)))
        m_folder->remove(copy.name);
}

void RecoveryStore::letGo()
{
    if (!m_folder)
        return;
    // A lock file must not go before the removals of its copies are done.
    m_folder->flush();
    for (const std::string& session : m_adopted)
        m_folder->release(session);
    m_adopted.clear();
}
