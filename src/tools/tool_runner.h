#pragma once
// Starts the selected programming tool and the user tools of the "Tools" menu through the
// platform's shell, each in its own folder; nothing is waited for.
#include <string>
#include <vector>

#include "tools/tool_lists.h"

class TEmbedded;
struct Sender;

class ToolRunner
{
public:
    explicit ToolRunner(TEmbedded& app);

    // "Program" menu item and "Run Programmer".
    void PrgmClick();
    // A user tool item of the "Tools" menu; the tag is the tool's index.
    void setfileClick(const Sender& sender);
    // The "Program" menu opens: a finished build enables a named programming tool item.
    void ProgrammingClick();
    // The "Tools" menu: "Configure Tools", then one item per user tool in list order.
    void rebuildToolsMenu();

private:
    TEmbedded& m_app;
    std::vector<UserTool> m_menuTools; // the tools the menu items were made for
};
