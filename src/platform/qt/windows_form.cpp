#include "platform/qt/windows_form.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

#include "platform/paths/drive_map.h"
#include "platform/paths/win_path.h"
#include "platform/qt/qt_text.h"

WindowsForm::WindowsForm(QFileDialog& dialog, const DriveMap& map) : QObject(&dialog), m_dialog(dialog), m_map(map)
{
    // The box lists folders by their host paths and rebuilds its rows as the folder changes, so
    // the rows are relabelled whenever they change.
    if (auto* lookIn = dialog.findChild<QComboBox*>("lookInCombo")) {
        QAbstractItemModel* rows = lookIn->model();
        connect(rows, &QAbstractItemModel::dataChanged, this, &WindowsForm::relabelFolders);
        connect(rows, &QAbstractItemModel::rowsInserted, this, &WindowsForm::relabelFolders);
        connect(rows, &QAbstractItemModel::modelReset, this, &WindowsForm::relabelFolders);
        relabelFolders();
    }
    // Connected after the dialog's own check, which takes a Windows path for a missing name.
    m_name = dialog.findChild<QLineEdit*>("fileNameEdit");
    if (m_name)
        connect(m_name, &QLineEdit::textChanged, this, &WindowsForm::enableAcceptForTypedPath);
}

bool WindowsForm::isWindowsPath(const QString& text)
{
    static const QRegularExpression drive(QStringLiteral("^[A-Za-z]:([\\\\/]|$)"));
    const QString t = text.trimmed();
    return drive.match(t).hasMatch() || (t.contains('\\') && !t.startsWith('/'));
}

QString WindowsForm::windowsForm(const QString& hostPath) const
{
    return toQ(m_map.toWindows(hostPathFromQ(hostPath)));
}

QString WindowsForm::windowsPathOf(const QString& typed) const
{
    QString t = typed.trimmed();
    if (t.size() >= 2 && t[1] == ':')
        return t;
    // Relative to the folder the dialog shows.
    return toQ(winpath::join(fromQ(windowsForm(m_dialog.directory().absolutePath())), fromQ(t)));
}

void WindowsForm::relabelFolders()
{
    auto* lookIn = m_dialog.findChild<QComboBox*>("lookInCombo");
    if (m_relabelling || !lookIn)
        return;
    m_relabelling = true;
    QAbstractItemModel* rows = lookIn->model();
    auto* list = qobject_cast<QListView*>(lookIn->view());
    // The folders that hold the drives' links mean nothing to the user: the box goes from a
    // drive's root straight to the computer, as it does on Windows.
    const QString devices = QDir(hostPathToQ(m_map.prefix()) + "/dosdevices").canonicalPath();
    for (int row = 0; row < rows->rowCount(); ++row) {
        const QModelIndex index = rows->index(row, lookIn->modelColumn());
        const QString text = index.data(Qt::DisplayRole).toString();
        if (!text.startsWith('/'))
            continue;
        const QString windows = windowsForm(text);
        const QString folder = QDir(text).canonicalPath();
        const bool holdsDrives = !devices.isEmpty() && !folder.isEmpty() && windows.size() > 3 &&
                                 (devices == folder || devices.startsWith(folder + '/'));
        if (list && holdsDrives)
            list->setRowHidden(row, true);
        rows->setData(index, windows, Qt::DisplayRole);
    }
    m_relabelling = false;
}

void WindowsForm::enableAcceptForTypedPath(const QString& text)
{
    if (!isWindowsPath(text))
        return;
    if (auto* box = m_dialog.findChild<QDialogButtonBox*>("buttonBox"))
        for (QAbstractButton* button : box->buttons())
            if (box->buttonRole(button) == QDialogButtonBox::AcceptRole)
                button->setEnabled(true);
}

void WindowsForm::showTyped(bool on)
{
    if (!m_name || m_hostText.isEmpty())
        return;
    const QSignalBlocker quiet(m_name);
    m_name->setText(on ? m_typed : m_hostText);
}

void WindowsForm::accept(const std::function<void()>& dialogAccept)
{
    const QString typed = m_name ? m_name->text() : QString();
    if (!isWindowsPath(typed)) {
        dialogAccept();
        return;
    }
    const QString windows = windowsPathOf(typed);
    const auto host = m_map.toHost(fromQ(windows));
    if (!host) {
        QMessageBox::warning(&m_dialog, m_dialog.windowTitle(),
                             QStringLiteral("%1\nThe drive %2 is not mapped.").arg(windows, windows.left(2).toUpper()));
        return;
    }
    const QString hostText = hostPathToQ(*host);
    const auto mode = m_dialog.fileMode();
    if ((mode == QFileDialog::ExistingFile || mode == QFileDialog::ExistingFiles) && !QFileInfo::exists(hostText)) {
        // The dialog's own refusal would show the host path behind its box.
        QMessageBox::warning(&m_dialog, m_dialog.windowTitle(), QStringLiteral("%1\nFile not found.").arg(windows));
        return;
    }
    // A row left selected would be taken instead of what was typed.
    if (auto* list = m_dialog.findChild<QListView*>("listView"))
        list->selectionModel()->clearSelection();
    m_typed = typed;
    m_hostText = hostText;
    showTyped(false);
    dialogAccept();
    m_hostText.clear();
    if (m_dialog.isVisible() && m_name->text() == hostText) {
        // A folder was entered, or the dialog refused the name: the user sees what they typed.
        const QSignalBlocker quiet(m_name);
        m_name->setText(QFileInfo(hostText).isDir() ? QString() : typed);
    }
}
