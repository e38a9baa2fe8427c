#pragma once
// Copies a build output (the linker target or an object file) to the save location, and
// chooses that location. The main window's and the code editor's "&File" menus share both.
class TEmbedded;

class OutputSave
{
public:
    explicit OutputSave(TEmbedded& app);

    void SaveObjectFileClick();
    void SelectSaveLocation1Click();

private:
    TEmbedded& m_app;
};
