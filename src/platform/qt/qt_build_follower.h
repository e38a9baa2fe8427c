#pragma once
// Follows a build through the transcript the batch runner keeps: a reader on a thread of its
// own picks up what was added to the file every few milliseconds and hands the records to the
// user-interface thread, one batch at a time, so a build that prints without pause never
// floods the window's event queue and reading never waits on the window.
#include <QObject>
#include <QString>
#include <QThread>
#include <memory>
#include <string>

#include "platform/host/build_follower.h"

class QtShell;

class QtBuildFollower : public BuildFollower {
public:
    static constexpr int PollMs = 40;
    // The most one batch carries to the user-interface thread.
    static constexpr qint64 BatchBytes = 128 * 1024;
    // A runner that has not said a word by then did not start.
    static constexpr int SilenceMs = 20000;

    // What it follows, as its messages name it: "build", "run".
    explicit QtBuildFollower(QtShell* shell, std::string what = "build");
    ~QtBuildFollower() override;
    QtBuildFollower(const QtBuildFollower&) = delete;
    QtBuildFollower& operator=(const QtBuildFollower&) = delete;

    void follow(Deliver deliver) override;
    void stop() override;

    // Follows a transcript that someone else writes (removed at the end when asked).
    void followFile(const QString& path, Deliver deliver, bool removeAtEnd = false);

    class Reader;

private:
    struct Session;

    QtShell* m_shell;
    std::string m_what;
    QThread m_thread;
    QObject m_receiver;  // lives on the user-interface thread
    std::shared_ptr<Session> m_session;
};
