#pragma once
// The main window's one open-file dialog, shared by the file routes, the error check and the
// new command file. Its title, proposed name and filter stay as the last use left them.
#include <optional>
#include <string>
#include <vector>

#include "platform/host/dialogs.h"

class OpenDialog {
public:
    static constexpr const char* InitialTitle = "Tarnel    Load File";
    // Numbered from 1, as filterIndex counts them.
    static const std::vector<FileFilter>& filters();

    std::string title = InitialTitle;
    std::string fileName;  // proposed name; a confirmed choice takes its place
    int filterIndex = 1;
    std::string initialFolder;

    // Shows the dialog; nullopt when cancelled. A confirmed path becomes the proposed name and
    // the filter the user left chosen stays chosen. With mayBeNew a name that does not exist
    // yet is taken too.
    std::optional<std::string> Execute(Dialogs& dialogs, bool mayBeNew = false);
};
