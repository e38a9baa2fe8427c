#pragma once
// "&Wizard" of the "Linker Cmd File" menu and the tool button: opens the command file editor
// on the current linker command file and takes the editor's file name back on OK.
#include <functional>

class TCommandFileEd;
class TEmbedded;

class CommandFileWizard {
public:
    explicit CommandFileWizard(TEmbedded& app);

    void Wizard1Click();

    // Shows the editor modally; true when it closed with OK. Set by the view layer.
    std::function<bool(TCommandFileEd&)> runEditor;

private:
    TEmbedded& m_app;
};
