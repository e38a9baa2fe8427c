#include "platform/qt/qt_build_follower.h"

#include <signal.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryFile>
#include <QTimer>
#include <atomic>
#include <cerrno>

#include "platform/qt/qt_shell.h"

struct QtBuildFollower::Session {
    std::atomic<bool> stopped{false};
    // A batch is on its way to the user-interface thread; the next waits in the file.
    std::atomic<bool> inFlight{false};
    Deliver deliver;
    Reader* reader = nullptr;
    std::string what;  // "build", or the run of a tool
};

class QtBuildFollower::Reader : public QObject {
public:
    using Post = std::function<void(std::vector<TranscriptRecord>, bool more)>;

    Reader(QString path, bool removeAtEnd, std::shared_ptr<Session> session, Post post)
        : m_file(path), m_removeAtEnd(removeAtEnd), m_session(std::move(session)), m_post(std::move(post))
    {
    }
    ~Reader() override
    {
        m_file.close();
        if (m_removeAtEnd)
            QFile::remove(m_file.fileName());
    }

    void start()
    {
        m_since.start();
        m_timer = new QTimer(this);
        m_timer->setInterval(PollMs);
        QObject::connect(m_timer, &QTimer::timeout, this, [this] { tick(); });
        m_timer->start();
        tick();
    }

    void tick()
    {
        if (m_done || m_session->stopped || m_session->inFlight)
            return;
        if (!m_file.isOpen() && !m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
            if (m_since.elapsed() > SilenceMs)
                end({lost("The " + m_session->what + "'s transcript could not be opened.")});
            return;
        }
        const QByteArray bytes = m_file.read(BatchBytes);
        std::vector<TranscriptRecord> records = m_decoder.feed(std::string_view(bytes.constData(), bytes.size()));
        if (m_decoder.malformed())
            records.push_back(
                lost("The " + m_session->what + "'s transcript is damaged; what followed cannot be shown."));
        for (const TranscriptRecord& r : records) {
            if (r.kind == TranscriptRecord::Kind::Started)
                m_pid = r.number;
            if (r.kind == TranscriptRecord::Kind::Ended || r.kind == TranscriptRecord::Kind::Lost)
                m_done = true;
        }
        if (bytes.isEmpty() && !m_done) {
            if (runnerGone()) {
                // One more read after the runner is gone catches its last words.
                if (m_goneOnce)
                    records.push_back(lost("The batch runner ended without reporting its end."));
                m_goneOnce = true;
            } else if (m_pid == 0 && m_since.elapsed() > SilenceMs) {
                records.push_back(lost("No word from the batch runner: the " + m_session->what + " did not start."));
            }
            m_done = !records.empty();
        }
        if (records.empty())
            return;
        if (m_done)
            finishReading();
        m_session->inFlight = true;
        m_post(std::move(records), !m_done && bytes.size() == BatchBytes);
    }

private:
    static TranscriptRecord lost(std::string why) { return {TranscriptRecord::Kind::Lost, std::move(why), 0, 0}; }
    bool runnerGone() const
    {
        if (m_pid <= 0)
            return false;
        return ::kill(static_cast<pid_t>(m_pid), 0) != 0 && errno == ESRCH;
    }
    void finishReading()
    {
        m_timer->stop();
        m_file.close();
        if (m_removeAtEnd)
            QFile::remove(m_file.fileName());
        m_removeAtEnd = false;
    }
    void end(std::vector<TranscriptRecord> records)
    {
        m_done = true;
        finishReading();
        m_session->inFlight = true;
        m_post(std::move(records), false);
    }

    QFile m_file;
    bool m_removeAtEnd;
    std::shared_ptr<Session> m_session;
    Post m_post;
    TranscriptDecoder m_decoder;
    QTimer* m_timer = nullptr;
    QElapsedTimer m_since;
    qint64 m_pid = 0;
    bool m_goneOnce = false;
    bool m_done = false;
};

QtBuildFollower::QtBuildFollower(QtShell* shell, std::string what) : m_shell(shell), m_what(std::move(what))
{
    m_thread.setObjectName("BuildFollower");
}

QtBuildFollower::~QtBuildFollower()
{
    stop();
    m_thread.quit();
    m_thread.wait();
}

void QtBuildFollower::follow(Deliver deliver)
{
    QTemporaryFile file(QDir::tempPath() + "/tarnel-build-XXXXXX.transcript");
    file.setAutoRemove(false);
    if (!file.open()) {
        stop();
        deliver({{TranscriptRecord::Kind::Lost, "No transcript file could be made for the build's output.", 0, 0}});
        return;
    }
    const QString path = file.fileName();
    file.close();
    followFile(path, std::move(deliver), true);
    if (m_shell)
        m_shell->transcribeNext(path);
}

void QtBuildFollower::followFile(const QString& path, Deliver deliver, bool removeAtEnd)
{
    stop();
    auto session = std::make_shared<Session>();
    session->deliver = std::move(deliver);
    session->what = m_what;
    std::weak_ptr<Session> weak = session;
    QObject* receiver = &m_receiver;
    auto post = [weak, receiver](std::vector<TranscriptRecord> records, bool more) {
        QMetaObject::invokeMethod(
            receiver,
            [weak, records = std::move(records), more]() mutable {
                const auto s = weak.lock();
                if (!s || s->stopped)
                    return;
                s->deliver(std::move(records));
                s->inFlight = false;
                if (more && !s->stopped)
                    QMetaObject::invokeMethod(s->reader, [r = s->reader] { r->tick(); }, Qt::QueuedConnection);
            },
            Qt::QueuedConnection);
    };
    auto* reader = new Reader(path, removeAtEnd, session, std::move(post));
    session->reader = reader;
    // The reader's thread starts with the first build it follows: a program that builds
    // nothing never has it.
    if (!m_thread.isRunning())
        m_thread.start();
    reader->moveToThread(&m_thread);
    QMetaObject::invokeMethod(reader, [reader] { reader->start(); }, Qt::QueuedConnection);
    m_session = std::move(session);
}

void QtBuildFollower::stop()
{
    if (!m_session)
        return;
    m_session->stopped = true;
    m_session->reader->deleteLater();
    m_session.reset();
}
