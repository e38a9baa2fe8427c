#pragma once
// The open code editor windows in the main window's document area, in the order the area
// lists them (creation order), with the window that is active and the pending jump values
// shared by all of them.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/menu_merge.h"

class TCodeEd;
class TEmbedded;

enum class EditorEvent {
    Created,        // a new window: the view shows it
    Destroyed,      // the window is gone from the list: the view drops it now
    ActiveChanged,  // the merged menu bar changed with it
    Activate,       // a window was picked in the Window menu
    CaptionChanged,
    Cascade,
    Tile,
    Arrange,
    Loaded,      // a window read its file
    MarksMoved,  // a window's marks were set, cleared or moved by an edit
};

class EditorWindows {
public:
    using Observer = std::function<void(EditorEvent, TCodeEd*)>;

    explicit EditorWindows(TEmbedded& app);
    ~EditorWindows();
    EditorWindows(const EditorWindows&) = delete;
    EditorWindows& operator=(const EditorWindows&) = delete;

    TCodeEd& create();
    const std::vector<TCodeEd*>& windows() const { return m_order; }
    int count() const { return static_cast<int>(m_order.size()); }
    bool contains(const TCodeEd* ed) const;

    // The window that shows this file, by the file's identity whatever the path's spelling;
    // by the path's text, without regard to case, where a file does not exist.
    TCodeEd* findByFile(const std::string& path) const;
    // Every open route asks here first: the window that already shows the file comes to the
    // front with the caret on the line. Null when no window shows it.
    TCodeEd* showOpen(const std::string& path, int line);

    TCodeEd* active() const { return m_active; }
    // The view reports the window the platform made active.
    void setActive(TCodeEd* ed);
    // Asks the view to bring a window to the front (the Window menu's list).
    void activate(TCodeEd& ed);

    void cascade() { notify(EditorEvent::Cascade, nullptr); }
    void tile() { notify(EditorEvent::Tile, nullptr); }
    void arrange() { notify(EditorEvent::Arrange, nullptr); }

    // "Saving Editor Files" in the main status bar, then Save in every window whose text
    // changed, last to first.
    void SaveEdtorFiles();
    // Closes every window, last to first, each with its close query.
    void CloseEditorFiles();

    // The main window's menus merged with the active window's.
    std::vector<MenuSlot> mergedMenus() const;
    // The Window menu's entries below its items: "&1 main.c", ...
    std::vector<std::string> windowList() const;

    int pendingJumpLine = 0;
    std::string pendingJumpFile;

    int subscribe(Observer observer);
    void unsubscribe(int id);

    // Used by TCodeEd.
    void destroy(TCodeEd& ed);
    void captionChanged(TCodeEd& ed) { notify(EditorEvent::CaptionChanged, &ed); }
    void loaded(TCodeEd& ed) { notify(EditorEvent::Loaded, &ed); }
    void marksMoved(TCodeEd& ed) { notify(EditorEvent::MarksMoved, &ed); }

private:
    void notify(EditorEvent event, TCodeEd* ed);
    void releaseClosed();

    TEmbedded& m_app;
    std::vector<std::unique_ptr<TCodeEd>> m_windows;
    std::vector<TCodeEd*> m_order;
    // Closed windows live on until no handler of theirs can still be running.
    std::vector<std::unique_ptr<TCodeEd>> m_closed;
    TCodeEd* m_active = nullptr;
    std::vector<std::pair<int, Observer>> m_observers;
    int m_nextObserver = 1;
};
