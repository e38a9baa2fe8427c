#include "platform/qt/folder_dialog.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

FolderDialog::FolderDialog(QWidget* parent, const QString& title, const QString& startFolder)
    : QFileDialog(parent, title, startFolder)
{
    setOption(QFileDialog::DontUseNativeDialog);
    setOption(QFileDialog::ShowDirsOnly);
    setFileMode(QFileDialog::Directory);
    setAcceptMode(QFileDialog::AcceptOpen);
}

bool FolderDialog::askCreate(const QString& folder)
{
    if (m_confirm)
        return m_confirm(folder);
    const auto answer = QMessageBox::question(
        this, windowTitle(),
        tr("The folder \"%1\" does not exist.\nCreate it?").arg(QDir::toNativeSeparators(folder)),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    return answer == QMessageBox::Yes;
}

void FolderDialog::accept()
{
    const QStringList chosen = selectedFiles();
    if (!chosen.isEmpty()) {
        const QString folder = QDir::cleanPath(chosen.first());
        if (!QFileInfo(folder).exists()) {
            if (!askCreate(folder))
                return;
            if (!QDir().mkpath(folder)) {
                QMessageBox::warning(
                    this, windowTitle(),
                    tr("Cannot create the folder \"%1\".").arg(QDir::toNativeSeparators(folder)));
                return;
            }
        }
    }
    QFileDialog::accept();
}
