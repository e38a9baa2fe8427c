#include "platform/fake/fake_host.h"

#include "platform/paths/win_path.h"

MsgAnswer FakeDialogs::message(const std::string& text, MsgButtons buttons, MsgIcon icon)
{
    DialogCall c;
    c.kind = "message";
    c.text = text;
    c.buttons = buttons;
    c.icon = icon;
    calls.push_back(c);
    if (answers.empty())
        return MsgAnswer::Ok;
    const MsgAnswer a = answers.front();
    answers.pop_front();
    return a;
}

static std::optional<std::string> nextFile(std::deque<std::optional<std::string>>& q)
{
    if (q.empty())
        return std::nullopt;
    auto a = q.front();
    q.pop_front();
    return a;
}

std::optional<std::string> FakeDialogs::openFile(const FileDialogRequest& request)
{
    calls.push_back({"open", request.title, MsgButtons::Ok, MsgIcon::None, request});
    return nextFile(fileAnswers);
}

std::optional<FileChoice> FakeDialogs::openFileChoice(const FileDialogRequest& request)
{
    auto path = openFile(request);
    int filter = request.filterIndex;
    if (!filterAnswers.empty()) {
        filter = filterAnswers.front();
        filterAnswers.pop_front();
    }
    if (!path)
        return std::nullopt;
    return FileChoice{*path, filter};
}

std::optional<std::string> FakeDialogs::saveFile(const FileDialogRequest& request)
{
    calls.push_back({"save", request.title, MsgButtons::Ok, MsgIcon::None, request});
    return nextFile(fileAnswers);
}

std::optional<std::string> FakeDialogs::chooseFolder(const std::string& title,
                                                     const std::string& initialFolder)
{
    FileDialogRequest r;
    r.title = title;
    r.initialFolder = initialFolder;
    calls.push_back({"folder", title, MsgButtons::Ok, MsgIcon::None, r});
    return nextFile(fileAnswers);
}

MsgAnswer FakeDialogs::runDialog(OwnDialog& dialog)
{
    calls.push_back({"dialog", dialog.dialogName(), MsgButtons::Ok, MsgIcon::None, {}});
    if (dialogScripts.empty())
        return MsgAnswer::Cancel;
    const auto script = std::move(dialogScripts.front());
    dialogScripts.pop_front();
    return script(dialog);
}

std::vector<std::string> FakeDialogs::messages() const
{
    std::vector<std::string> out;
    for (const auto& c : calls)
        if (c.kind == "message")
            out.push_back(c.text);
    return out;
}

Timers::Id FakeTimers::startOnce(int ms, std::function<void()> fn)
{
    const Id id = next++;
    pending[id] = {ms, std::move(fn)};
    return id;
}

bool FakeTimers::fire(int ms)
{
    for (auto it = pending.begin(); it != pending.end(); ++it) {
        if (ms == 0 || it->second.ms == ms) {
            auto fn = std::move(it->second.fn);
            pending.erase(it);
            fn();
            return true;
        }
    }
    return false;
}

int FakeTimers::count(int ms) const
{
    int n = 0;
    for (const auto& [id, p] : pending)
        if (p.ms == ms)
            ++n;
    return n;
}

std::optional<std::string> FakeSettingsStore::read(const std::string& name) const
{
    auto it = values.find(winpath::lower(name));
    if (it == values.end())
        return std::nullopt;
    return it->second;
}

void FakeSettingsStore::write(const std::string& name, const std::string& value)
{
    values[winpath::lower(name)] = value;
    writeOrder.push_back(name);
}
