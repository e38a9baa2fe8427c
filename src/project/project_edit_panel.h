#pragma once
// The project edit panel: the project's source list beside a folder browser, and the buttons
// that move files between them.
#include <memory>

class SourceBrowser;
class TEmbedded;

class ProjectEditPanel {
public:
    static constexpr int HelpTopic = 40;

    explicit ProjectEditPanel(TEmbedded& app);
    ~ProjectEditPanel();

    SourceBrowser& browser() { return *m_browser; }

    // The current directory followed by the selected file's name; without a selected file it
    // beeps and says so on the panel.
    void AddClick();
    // The selected entry of the project list; nothing without a selection.
    void RemoveClick();
    // Every file of the file list, in list order, as "Add" builds it.
    void SpeedButton3Click();
    // Empties the project list.
    void SpeedButton4Click();
    // Hides the panel; the list keeps its changes until the next save, update or build.
    void CancelClick();

    // Keyboard: Enter on a file row adds that file (on a folder row it opens the folder);
    // Delete on a project entry removes it.
    void fileListEnter(int row);
    void projectListDelete(int row);

private:
    void declare();
    void wire();

    TEmbedded& m_app;
    std::unique_ptr<SourceBrowser> m_browser;
};
