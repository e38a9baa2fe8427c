#pragma once
// The "Tools" page of the tools pages: the programming tool drop-down with its buttons above
// the user tool list with its buttons, the page buttons along the bottom.
#include <QWidget>

class ControlBinder;
class ControlSet;
class ToolConfig;

class ToolsPageView : public QWidget
{
public:
    ToolsPageView(ControlSet& controls, ToolConfig& config, QWidget* parent = nullptr);

private:
    QWidget* dropDown(ControlSet& controls, ControlBinder& binder);
    QWidget* button(ControlSet& controls, ControlBinder& binder, const char* name);
};
