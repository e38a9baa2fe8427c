#pragma once
// A tabbed page set laid out from the controls declared on it: check boxes in two columns,
// fields with their labels, lists with their buttons, and the page buttons along the bottom.
#include <QTabWidget>

class Control;
class ControlBinder;
class ControlSet;

class PageSetView : public QTabWidget {
public:
    PageSetView(ControlSet& controls, Control& pageSet, ControlBinder& binder, QWidget* parent = nullptr);

private:
    QWidget* buildTab(ControlSet& controls, const std::string& tab, ControlBinder& binder);
};
