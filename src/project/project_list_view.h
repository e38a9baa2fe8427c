#pragma once
// The project list view: the project line list numbered row by row beside the option labels,
// with a heading row before each linker page's lines.
#include <string>
#include <vector>

class TEmbedded;

class ProjectListView {
public:
    explicit ProjectListView(TEmbedded& app);

    // Toggles the "Project List" check mark and the panel, and fills the text afresh.
    void DisplayProjectListClick();

    // The rows for a project line list.
    static std::vector<std::string> rows(const std::vector<std::string>& prolist);

private:
    TEmbedded& m_app;
};
