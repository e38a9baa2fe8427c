#pragma once
// A tabbed page set over the client area: each page's form in a scroll area, so that every
// control stays reachable on a small screen, and the page buttons along the bottom. Escape
// presses the page's cancel button; opening the set puts the focus on its first control.
#include <QTabWidget>
#include <vector>

class Control;
class ControlBinder;
class ControlSet;
class PageForm;
class QScrollArea;

class PageSetView : public QTabWidget
{
public:
    PageSetView(ControlSet& controls, Control& pageSet, ControlBinder& binder, QWidget* parent = nullptr);
    // Shows the set's state from now on: visible, turned to its page, its tabs.
    void follow(Control& pageSet, ControlBinder& binder);

    // A page laid out by a view of its own instead of the generic form; Escape presses
    // `cancel`. False when the set has no such tab.
    bool replacePage(const std::string& tab, QWidget* page, Control* cancel);

    // Null for a replaced page.
    PageForm* form(int tab) const { return m_tabs.at(static_cast<std::size_t>(tab)).form; }
    QScrollArea* scrollArea(int tab) const { return m_tabs.at(static_cast<std::size_t>(tab)).scroll; }

private:
    struct Tab {
        PageForm* form = nullptr;
        QScrollArea* scroll = nullptr;
        Control* cancel = nullptr;
        QWidget* custom = nullptr;
    };
    QWidget* buildTab(ControlSet& controls, const std::string& tab, ControlBinder& binder, int maxWidth);
    void cancel();
    void focusFirstControl();

    std::vector<Tab> m_tabs;
    bool m_open = false;
};
