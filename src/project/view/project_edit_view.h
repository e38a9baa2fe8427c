#pragma once
// The project edit panel: the project's source list on the left, the folder browser on the
// right, and the buttons that move files between them. Shows the panel's controls and the
// browser's rows; every click and key goes back to the core.
#include <QFrame>

class ControlBinder;
class QComboBox;
class QListWidget;
class QTreeWidget;
class TEmbedded;

class ProjectEditView : public QFrame {
public:
    ProjectEditView(TEmbedded& app, ControlBinder& binder, QWidget* parent = nullptr);

    QListWidget* projectList() const { return m_projectList; }
    QListWidget* fileList() const { return m_fileList; }
    QTreeWidget* directoryList() const { return m_dirList; }
    QComboBox* driveBox() const { return m_driveBox; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildHeading(ControlBinder& binder);
    QWidget* buildImageButtons(ControlBinder& binder);
    void showFileRows();
    void showDirRows();
    void showDrives();
    void whenShown(void (ProjectEditView::*fill)());

    TEmbedded& m_app;
    QListWidget* m_projectList = nullptr;
    QListWidget* m_fileList = nullptr;
    QTreeWidget* m_dirList = nullptr;
    QComboBox* m_driveBox = nullptr;
    bool m_stale = false;  // the lists changed while the panel was hidden
};
