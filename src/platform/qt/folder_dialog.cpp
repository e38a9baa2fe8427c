#include "platform/qt/folder_dialog.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

#include "platform/qt/windows_form.h"

FolderDialog::FolderDialog(QWidget* parent, const QString& title, const QString& startFolder)
    : QFileDialog(parent, title, startFolder)
{
    setOption(QFileDialog::DontUseNativeDialog);
    setOption(QFileDialog::ShowDirsOnly);
    setFileMode(QFileDialog::Directory);
    setAcceptMode(QFileDialog::AcceptOpen);
}

void FolderDialog::speakWindowsPaths(const DriveMap& map)
{
    m_windows = new WindowsForm(*this, map);
}

QString FolderDialog::shown(const QString& folder) const
{
    return m_windows ? m_windows->windowsForm(folder) : QDir::toNativeSeparators(folder);
}

bool FolderDialog::askCreate(const QString& folder)
{
    if (m_confirm)
        return m_confirm(folder);
    if (m_windows)
        m_windows->showTyped(true);
    const auto answer = QMessageBox::question(
        this, windowTitle(),
        tr("The folder \"%1\" does not exist.\nCreate it?").arg(shown(folder)),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    if (m_windows)
        m_windows->showTyped(false);
    return answer == QMessageBox::Yes;
}

void FolderDialog::accept()
{
    if (m_windows)
        m_windows->accept([this] { acceptChoice(); });
    else
        acceptChoice();
}

void FolderDialog::acceptChoice()
{
    const QStringList chosen = selectedFiles();
    if (!chosen.isEmpty()) {
        const QString folder = QDir::cleanPath(chosen.first());
        if (!QFileInfo(folder).exists()) {
            if (!askCreate(folder))
                return;
            if (!QDir().mkpath(folder)) {
                if (m_windows)
                    m_windows->showTyped(true);
                QMessageBox::warning(
                    this, windowTitle(),
                    tr("Cannot create the folder \"%1\".").arg(shown(folder)));
                return;
            }
        }
    }
    QFileDialog::accept();
}
