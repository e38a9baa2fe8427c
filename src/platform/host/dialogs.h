#pragma once
#include <optional>
#include <string>
#include <vector>

enum class MsgButtons { Ok, OkCancel, YesOkCancel, YesNo, YesNoCancel };
enum class MsgIcon { None, Information, Warning, Error, Question };
enum class MsgAnswer { Ok, Cancel, Yes, No };

struct FileFilter {
    std::string description;  // "Project"
    std::string patterns;     // "*.prj" or "*.c;*.h"
};

struct FileDialogRequest {
    std::string title;
    std::vector<FileFilter> filters;
    int filterIndex = 0;  // numbered from 1, as the filters are; 0 selects the first
    std::string initialFolder;  // Windows path
    std::string fileName;       // proposed name
    std::string defaultExtension;
};

// Modal dialogs. A lone CR in a message text starts a new line.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual MsgAnswer message(const std::string& text, MsgButtons buttons, MsgIcon icon) = 0;
    // Paths are Windows paths; nullopt when the user cancels.
    virtual std::optional<std::string> openFile(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> saveFile(const FileDialogRequest& request) = 0;
    // Offers to create a typed folder that does not exist.
    virtual std::optional<std::string> chooseFolder(const std::string& title,
                                                    const std::string& initialFolder) = 0;
    // A line for the terminal Tarnel was started from (standard error); never modal. For what
    // the user must be able to find later, such as where a backup went.
    virtual void notice(const std::string& line);
};

// Splits the "A|*.a|B|*.b" filter notation into its pairs.
std::vector<FileFilter> parseFilterList(const std::string& filter);
