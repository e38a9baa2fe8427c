#include "quiet_host.h"

#include "platform/paths/win_path.h"

MsgAnswer QuietDialogs::message(const std::string& text, MsgButtons buttons, MsgIcon)
{
    messages.push_back(text);
    // The answer that goes on without asking for more.
    switch (buttons) {
    case MsgButtons::YesNo:
    case MsgButtons::YesNoCancel:
        return MsgAnswer::No;
    case MsgButtons::OkCancel:
    case MsgButtons::YesOkCancel:
    case MsgButtons::YesCancel:
        return MsgAnswer::Cancel;
    case MsgButtons::Ok:
        break;
    }
    return MsgAnswer::Ok;
}

std::optional<std::string> QuietDialogs::openFile(const FileDialogRequest&)
{
    return std::nullopt;
}

std::optional<std::string> QuietDialogs::saveFile(const FileDialogRequest&)
{
    return std::nullopt;
}

std::optional<std::string> QuietDialogs::chooseFolder(const std::string&, const std::string&)
{
    return std::nullopt;
}

std::optional<std::string> QuietHost::MemoryStore::read(const std::string& name) const
{
    const auto it = m_values.find(winpath::lower(name));
    if (it == m_values.end())
        return std::nullopt;
    return it->second;
}

void QuietHost::MemoryStore::write(const std::string& name, const std::string& value)
{
    m_values[winpath::lower(name)] = value;
}

QuietHost::QuietHost(const DriveMap& map)
    : m_files(map), m_host{m_dialogs, m_shell, m_beeper, m_clock, m_timers, m_settings, m_files, ""}
{
}
