#pragma once
// The "Tools" page of the tools pages: the programming tools (one of them selected and run
// from the "Program" menu) and the user tools (the "Tools" menu), edited in place.
#include <string>

class TEmbedded;
struct ToolLists;

class ToolConfig
{
public:
    static constexpr const char* Tab = "Tools";

    explicit ToolConfig(TEmbedded& app);

    // "Configure Tools" and its tool button.
    void ConfigureTools1Click();
    // The two "Browse" buttons; sender "UToolBtn" adds a user tool, any other a programming tool.
    void PToolBtnClick(const std::string& sender);
    void EditToolsClick();
    // The two "Remove" buttons; sender "RemoveBtn" removes a user tool.
    void RemoveBtnClick(const std::string& sender);
    void ProgToolsListChange();
    void AcceptToolsClick();
    void Button40Click();
    // Run-programmer commands follow the drop-down's selection; at start-up and by Accept.
    void refreshProgrammingControls();

    // What the page shows under each list about the chosen tool ("" when none is chosen).
    std::string programmingToolSummary();
    std::string userToolSummary();

private:
    ToolLists& tools();
    void showProgrammingTools(int select);

    TEmbedded& m_app;
};
