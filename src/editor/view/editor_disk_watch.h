#pragma once
// Watches the files of the editor windows and tells a window when its file changed on disk;
// the window decides what follows. A file replaced by a rename (as most programs save) drops
// out of the watch, so the watch is checked again after every change and, while windows are
// open, now and then: a file missing for the moment is taken up again once it is back.
#include <QObject>
#include <QString>
#include <set>

class QFileSystemWatcher;
class QTimer;
class TEmbedded;

class EditorDiskWatch : public QObject {
public:
    static constexpr int SettleMs = 200;
    static constexpr int RecheckMs = 1000;

    EditorDiskWatch(TEmbedded& app, QObject* parent);
    ~EditorDiskWatch() override;

private:
    // The watch follows the windows' file names.
    void sync();
    void changed(const QString& hostPath);
    void deliver();

    TEmbedded& m_app;
    int m_subscription = 0;
    QFileSystemWatcher* m_watcher;
    // A change often comes in steps (emptied, then written): the window looks once they settle.
    QTimer* m_settle;
    QTimer* m_recheck;
    std::set<QString> m_pending;
};
