#pragma once
// Makes Qt widgets for core controls and keeps both in step: the core state is shown, and
// user edits go back through the control's setters.
#include <QObject>
#include <deque>
#include <functional>
#include <map>

#include "app/control_set.h"

class QAction;
class QComboBox;
class QWidget;

class ControlBinder : public QObject {
public:
    explicit ControlBinder(ControlSet& controls, QObject* parent = nullptr);
    ~ControlBinder() override;

    // A widget showing the control (label captions are not part of it).
    QWidget* createWidget(Control& control, QWidget* parent);
    // Keeps an extra widget's visibility and enabled state with the control (labels, frames).
    void followVisibility(Control& control, QWidget* widget);
    // Runs fn now and whenever the control changes.
    void watch(Control& control, std::function<void()> fn);
    // Keeps a menu item's caption, enabled, visible and checked state with the control, and
    // activates the control when the item is triggered.
    void bindAction(QAction& action, Control& control);
    // Gives a drop-down the control's items when they differ from what it shows.
    static void showItems(QComboBox& combo, const Control& control);

private:
    void changed(Control& control);
    // Runs a widget's write into its control. Only that control's widget keeps what the user
    // typed meanwhile; every other control the core changes on the way shows its new state.
    void push(Control& control, const std::function<void()>& write);

    ControlSet& m_controls;
    int m_subscription = 0;
    // A deque: an updater may add others for the same control while it runs (a page built on
    // its first showing), and the running one must stay where it is.
    std::map<const Control*, std::deque<std::function<void()>>> m_updaters;
    const Control* m_pushing = nullptr;
};
