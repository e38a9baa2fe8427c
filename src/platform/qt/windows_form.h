#pragma once
// Makes a non-native file dialog speak Windows paths: its "Look in" box shows each folder in
// Windows form, and a Windows path typed into its name field (on any mapped drive, with either
// slash, in any letter case, or relative to the folder shown) is resolved through the drive map.
#include <QObject>
#include <QString>
#include <functional>

class DriveMap;
class QFileDialog;
class QLineEdit;

class WindowsForm : public QObject
{
public:
    // Lives as long as the dialog.
    WindowsForm(QFileDialog& dialog, const DriveMap& map);

    // Whether a name field text is a Windows path rather than a plain name or a host path.
    static bool isWindowsPath(const QString& text);

    // Runs the dialog's own accept with a typed Windows path in host form; the name field never
    // keeps the host form when the dialog stays open. A path on a drive that is not mapped is
    // refused with a message.
    void accept(const std::function<void()>& dialogAccept);

    QString windowsForm(const QString& hostPath) const;

    // While the dialog asks a question during accept: the name field shows what was typed.
    void showTyped(bool on);

private:
    void relabelFolders();
    void enableAcceptForTypedPath(const QString& text);
    QString windowsPathOf(const QString& typed) const;

    QFileDialog& m_dialog;
    const DriveMap& m_map;
    QLineEdit* m_name = nullptr;
    bool m_relabelling = false;
    QString m_typed;
    QString m_hostText;  // what the dialog's own accept reads instead, while it runs
};
