#include "editor/open_dialog.h"

const std::vector<FileFilter>& OpenDialog::filters()
{
    static const std::vector<FileFilter> table = {
        {"C Source [*.C]", "*.C"},
        {"C Header [*.H]", "*.H"},
        {"Dos Batch Files [*.bat]", "*.BAT"},
        {"List File [*.lst] [*.map]", "*.lst;*.map"},
        {"Map File [*.map]", "*.map"},
        {"Any File [*.*]", "*.*"},
        {"Linker Command File [*.xcl] ", "*.xcl"},
        {"Source Files [*.C, *.H]", "*.C;*.H"},
        {"Text Files {*.txt]", "*.txt"},
    };
    return table;
}

std::optional<std::string> OpenDialog::Execute(Dialogs& dialogs, bool mayBeNew)
{
    FileDialogRequest request;
    request.mayBeNew = mayBeNew;
    request.title = title;
    request.filters = filters();
    request.filterIndex = filterIndex;
    request.initialFolder = initialFolder;
    request.fileName = fileName;
    const auto choice = dialogs.openFileChoice(request);
    if (!choice || choice->path.empty())
        return std::nullopt;
    fileName = choice->path;
    if (choice->filterIndex >= 1 && choice->filterIndex <= static_cast<int>(filters().size()))
        filterIndex = choice->filterIndex;
    return choice->path;
}
