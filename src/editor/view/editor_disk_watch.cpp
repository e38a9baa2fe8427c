#include "editor/view/editor_disk_watch.h"

#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QTimer>
#include <vector>

#include "app/tembedded.h"
#include "editor/editor_windows.h"
#include "editor/tcode_ed.h"
#include "platform/qt/qt_text.h"

EditorDiskWatch::EditorDiskWatch(TEmbedded& app, QObject* parent)
    : QObject(parent), m_app(app), m_watcher(new QFileSystemWatcher(this)), m_settle(new QTimer(this)),
      m_recheck(new QTimer(this))
{
    setObjectName("EditorDiskWatch");
    m_settle->setSingleShot(true);
    m_settle->setInterval(SettleMs);
    m_recheck->setInterval(RecheckMs);
    connect(m_watcher, &QFileSystemWatcher::fileChanged, this, [this](const QString& path) { changed(path); });
    connect(m_settle, &QTimer::timeout, this, [this] { deliver(); });
    connect(m_recheck, &QTimer::timeout, this, [this] { sync(); });
    m_subscription = app.editors().subscribe([this](EditorEvent, TCodeEd*) { sync(); });
}

EditorDiskWatch::~EditorDiskWatch()
{
    m_app.editors().unsubscribe(m_subscription);
}

void EditorDiskWatch::sync()
{
    std::set<QString> wanted;
    for (const TCodeEd* ed : m_app.editors().windows())
        if (!ed->fileName().empty())
            if (const auto host = m_app.host().files.hostPath(ed->fileName()))
                wanted.insert(hostPathToQ(*host));
    const QStringList watched = m_watcher->files();
    for (const QString& path : watched)
        if (!wanted.count(path))
            m_watcher->removePath(path);
    for (const QString& path : wanted) {
        if (watched.contains(path) || !QFileInfo(path).isFile())
            continue;
        // Whatever happened while the file was out of the watch is looked at now.
        if (m_watcher->addPath(path))
            changed(path);
    }
    if (wanted.empty())
        m_recheck->stop();
    else if (!m_recheck->isActive())
        m_recheck->start();
}

void EditorDiskWatch::changed(const QString& hostPath)
{
    m_pending.insert(hostPath);
    m_settle->start();
}

void EditorDiskWatch::deliver()
{
    const std::set<QString> pending = std::move(m_pending);
    m_pending.clear();
    // The watch may still hold the file the name had before a rename: it follows the name again
    // before the windows look, so a change from here on is seen.
    for (const QString& path : pending) {
        m_watcher->removePath(path);
        if (QFileInfo(path).isFile())
            m_watcher->addPath(path);
    }
    EditorWindows& editors = m_app.editors();
    // A window may reload, rename itself or close while being told.
    const std::vector<TCodeEd*> windows = editors.windows();
    for (TCodeEd* ed : windows) {
        if (!editors.contains(ed) || ed->fileName().empty())
            continue;
        const auto host = m_app.host().files.hostPath(ed->fileName());
        if (host && pending.count(hostPathToQ(*host)))
            ed->fileChangedOnDisk();
    }
    sync();
}
