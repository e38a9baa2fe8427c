#pragma once
// For GUI tests only: waiting on the event loop, and running a batch file to its end through
// tarnel-batch the way the shell would start it (the working folder mapped).
#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <functional>
#include <string>

#include "platform/paths/drive_map.h"

inline bool waitFor(const std::function<bool()>& done, int ms = 30000)
{
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms) {
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
    return done();
}

// The main window at the size the editor tests lay windows out in, shown and active.
inline bool showActive(QWidget& window)
{
    window.resize(1200, 800);
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

// Runs act on the modal window of type T once it is up, however long a loaded machine takes to
// show it; call it before the call that opens the window.
template <typename T, typename F>
void onceModalIsUp(F act)
{
    QTimer::singleShot(10, [act]() mutable {
        if (auto* window = qobject_cast<T*>(QApplication::activeModalWidget()))
            act(window);
        else
            onceModalIsUp<T>(std::move(act));
    });
}

// What the batch file printed, output and errors together.
inline std::string runBatchFile(const DriveMap& map, const std::string& file, const std::string& folder)
{
    QProcess batch;
    batch.setProcessChannelMode(QProcess::MergedChannels);
    batch.setWorkingDirectory(QString::fromStdString(map.toHost(folder).value_or("/")));
    batch.start(QString(TARNEL_BIN_DIR) + "/tarnel-batch", {QString::fromStdString(map.toHost(file).value_or(file))});
    batch.waitForFinished(60000);
    return batch.readAll().toStdString();
}
