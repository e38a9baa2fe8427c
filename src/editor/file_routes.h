#pragma once
// Every menu item and tool button that shows a file: the fixed files of the build or a file
// chosen in the open dialog, in a new editor window or in the external editor; the new-file
// route, and the Window menu's arrangements.
#include <string>

class TEmbedded;
struct Sender;

class FileRoutes {
public:
    explicit FileRoutes(TEmbedded& app);

    void OpenFileClick(const Sender& sender);
    void NewFile1Click();
    void Tile1Click();
    void Cascade1Click();
    void Arrange1Click();
    // Start-up: reopens the last editor file when "Reload" is on.
    void reloadLastFile();

private:
    // The file a tag stands for; empty when there is none or the dialog was cancelled.
    std::string fileForTag(int tag);
    std::string chooseFile(const std::string& title, const std::string& name, int filter,
                           const std::string& folder);
    std::string chooseKeepingDialog(int filter, const std::string& folder);
    // A chosen folder or device is refused, with a message.
    bool openable(const std::string& path);
    void show(const std::string& path);

    TEmbedded& m_app;
};
