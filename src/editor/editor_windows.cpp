#include "editor/editor_windows.h"

#include <algorithm>

#include "app/tembedded.h"
#include "editor/tcode_ed.h"
#include "platform/paths/win_path.h"

EditorWindows::EditorWindows(TEmbedded& app) : m_app(app) {}

EditorWindows::~EditorWindows()
{
    m_observers.clear();
    m_order.clear();
}

TCodeEd& EditorWindows::create()
{
    releaseClosed();
    m_windows.push_back(std::make_unique<TCodeEd>(m_app, *this));
    TCodeEd& ed = *m_windows.back();
    m_order.push_back(&ed);
    // Whatever route opened it, an editor window merges the Window menu; once shown it stays.
    m_app.controls()["Window1"].setVisible(true);
    notify(EditorEvent::Created, &ed);
    // A new child window comes up active.
    setActive(&ed);
    return ed;
}

bool EditorWindows::contains(const TCodeEd* ed) const
{
    return std::find(m_order.begin(), m_order.end(), ed) != m_order.end();
}

TCodeEd* EditorWindows::findByFile(const std::string& path) const
{
    const Files& files = m_app.host().files;
    const bool exists = files.fileExists(path);
    for (TCodeEd* ed : m_order) {
        const std::string& shown = ed->fileName();
        if (shown.empty())
            continue;
        if (exists && files.fileExists(shown) ? files.sameFile(shown, path) : winpath::equalsNoCase(shown, path))
            return ed;
    }
    return nullptr;
}

TCodeEd* EditorWindows::showOpen(const std::string& path, int line)
{
    TCodeEd* ed = findByFile(path);
    if (!ed)
        return nullptr;
    ed->goToLine(line);
    activate(*ed);
    return ed;
}

void EditorWindows::setActive(TCodeEd* ed)
{
    if (ed && !contains(ed))
        return;
    if (ed == m_active)
        return;
    m_active = ed;
    notify(EditorEvent::ActiveChanged, ed);
}

void EditorWindows::activate(TCodeEd& ed)
{
    if (contains(&ed))
        notify(EditorEvent::Activate, &ed);
}

void EditorWindows::SaveEdtorFiles()
{
    m_app.statusBar().setPanelText(5, "Saving Editor Files");
    const std::vector<TCodeEd*> snapshot = m_order;
    for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it)
        if (contains(*it))
            (*it)->saveIfChanged();
}

void EditorWindows::CloseEditorFiles()
{
    const std::vector<TCodeEd*> snapshot = m_order;
    for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it)
        if (contains(*it))
            (*it)->close();
}

std::vector<MenuSlot> EditorWindows::mergedMenus() const
{
    std::vector<MenuSlot> child;
    if (m_active)
        child = menuSlots(m_active->controls(), true);
    return mergeMenus(menuSlots(m_app.controls(), false), child);
}

std::vector<std::string> EditorWindows::windowList() const
{
    std::vector<std::string> out;
    for (std::size_t i = 0; i < m_order.size(); ++i)
    {
        // The number is the entry's accelerator; an "&" in a file name shows as itself.
        std::string name;
        for (char ch : m_order[i]->caption())
            name += ch == '&' ? std::string("&&") : std::string(1, ch);
        out.push_back("&" + std::to_string(i + 1) + " " + name);
    }
    return out;
}

int EditorWindows::subscribe(Observer observer)
{
    m_observers.emplace_back(m_nextObserver, std::move(observer));
    return m_nextObserver++;
}

void EditorWindows::unsubscribe(int id)
{
    std::erase_if(m_observers, [id](const auto& o) { return o.first == id; });
}

void EditorWindows::destroy(TCodeEd& ed)
{
    auto it = std::find_if(m_windows.begin(), m_windows.end(), [&](const auto& p) { return p.get() == &ed; });
    if (it == m_windows.end())
        return;
    m_closed.push_back(std::move(*it));
    m_windows.erase(it);
    std::erase(m_order, &ed);
    notify(EditorEvent::Destroyed, &ed);
    if (m_active == &ed) {
        m_active = nullptr;
        notify(EditorEvent::ActiveChanged, nullptr);
    }
}

void EditorWindows::releaseClosed()
{
    m_closed.clear();
}

void EditorWindows::notify(EditorEvent event, TCodeEd* ed)
{
    // An observer may subscribe or leave while being told.
    const auto observers = m_observers;
    for (const auto& [id, fn] : observers)
        fn(event, ed);
}
