#pragma once
// Message boxes and file dialogs in Qt Widgets; paths cross the dialogs in Windows form.
#include <QString>
#include <QStringList>
#include <functional>

#include "platform/host/dialogs.h"

class DriveMap;
class QWidget;

class QtDialogs : public Dialogs
{
public:
    explicit QtDialogs(const DriveMap& map);

    MsgAnswer message(const std::string& text, MsgButtons buttons, MsgIcon icon) override;
    std::optional<std::string> openFile(const FileDialogRequest& request) override;
    std::optional<std::string> saveFile(const FileDialogRequest& request) override;
    std::optional<FileChoice> openFileChoice(const FileDialogRequest& request) override;
    std::optional<std::string> chooseFolder(const std::string& title,
                                            const std::string& initialFolder) override;
    MsgAnswer runDialog(OwnDialog& dialog) override;

    // The Qt view that shows a dialog of the system's own, by the dialog's name; views
    // register theirs when they are installed.
    using DialogView = std::function<MsgAnswer(OwnDialog& dialog, QWidget* parent)>;
    static void registerView(const std::string& dialogName, DialogView view);

    // While on (during shutdown on a signal) no dialog is shown: messages go to standard
    // error and are answered so that nothing is lost; file and folder choices are skipped.
    static void setNonInteractive(bool on);
    static bool nonInteractive();

    // The answer given without asking: the one that keeps the user's data.
    static MsgAnswer unattendedAnswer(MsgButtons buttons);
    // Message text for display: a lone CR, like CR LF, starts a new line.
    static QString displayText(const std::string& text);
    // "Description (*.a *.b)" entries for QFileDialog.
    static QStringList nameFilters(const std::vector<FileFilter>& filters);

private:
    std::optional<std::string> fileDialog(const FileDialogRequest& request, bool save, int* chosenFilter);
    QString hostFolder(const std::string& windowsFolder) const;
    static QWidget* parentWidget();

    const DriveMap& m_map;
};
