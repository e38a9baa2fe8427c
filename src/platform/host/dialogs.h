#pragma once
#include <optional>
#include <string>
#include <vector>

enum class MsgButtons { Ok, OkCancel, YesOkCancel, YesNo, YesNoCancel, YesCancel };
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
    // Open: a name that does not exist yet is taken too, as for a file about to be made.
    bool mayBeNew = false;
};

// A confirmed open-file choice and the filter the user left chosen (numbered from 1).
struct FileChoice {
    std::string path;
    int filterIndex = 0;
};

// A dialog of the system's own: core state with its handlers. The platform only shows it;
// the dialog's buttons set its result.
class OwnDialog {
public:
    virtual ~OwnDialog() = default;
    // The name the platform finds the dialog's view by.
    virtual std::string dialogName() const = 0;
};

// Modal dialogs. A lone CR in a message text starts a new line.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual MsgAnswer message(const std::string& text, MsgButtons buttons, MsgIcon icon) = 0;
    // Paths are Windows paths; nullopt when the user cancels.
    virtual std::optional<std::string> openFile(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> saveFile(const FileDialogRequest& request) = 0;
    // openFile that also tells which filter the user left chosen; by default the one asked for.
    virtual std::optional<FileChoice> openFileChoice(const FileDialogRequest& request)
    {
        auto path = openFile(request);
        if (!path)
            return std::nullopt;
        return FileChoice{*path, request.filterIndex};
    }
    // Offers to create a typed folder that does not exist.
    virtual std::optional<std::string> chooseFolder(const std::string& title,
                                                    const std::string& initialFolder) = 0;
    // Shows a dialog of the system's own modally: Ok or Cancel. A platform with no view for
    // it (or no user in front of it) answers Cancel, which changes nothing.
    virtual MsgAnswer runDialog(OwnDialog& dialog)
    {
        (void)dialog;
        return MsgAnswer::Cancel;
    }
    // A line for the terminal Tarnel was started from (standard error); never modal. For what
    // the user must be able to find later, such as where a backup went.
    virtual void notice(const std::string& line);
};

// Splits the "A|*.a|B|*.b" filter notation into its pairs.
std::vector<FileFilter> parseFilterList(const std::string& filter);
