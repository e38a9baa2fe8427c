#include "platform/batch/transcript_tee.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <vector>

namespace {

void writeAll(int fd, const char* data, std::size_t size)
{
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, data + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        done += static_cast<std::size_t>(n);
    }
}

void closeFd(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

bool makePipe(int fds[2])
{
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return false;
    // Only the read end waits in poll; the batch's writes block as a terminal's would.
    ::fcntl(fds[0], F_SETFL, ::fcntl(fds[0], F_GETFL) | O_NONBLOCK);
    return true;
}

}  // namespace

TranscriptTee::~TranscriptTee()
{
    if (m_thread.joinable())
        finish(-1, 0);
    closeFd(m_file);
}

bool TranscriptTee::start(const std::string& path, int out, int err)
{
    m_out = out;
    m_err = err;
    m_file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_APPEND | O_CLOEXEC, 0600);
    if (m_file < 0)
        return false;
    if (!makePipe(m_outPipe) || !makePipe(m_errPipe) || !makePipe(m_wakePipe)) {
        const int saved = errno;
        for (int* fd : {&m_outPipe[0], &m_outPipe[1], &m_errPipe[0], &m_errPipe[1], &m_wakePipe[0], &m_wakePipe[1]})
            closeFd(*fd);
        closeFd(m_file);
        errno = saved;
        return false;
    }
    record({TranscriptRecord::Kind::Started, {}, 0, static_cast<std::int64_t>(::getpid())});
    m_copying = true;
    m_thread = std::thread([this] { copyLoop(); });
    return true;
}

void TranscriptTee::record(const TranscriptRecord& r)
{
    const std::string bytes = encodeTranscriptRecord(r);
    writeAll(m_file, bytes.data(), bytes.size());
}

void TranscriptTee::wake()
{
    const char c = 1;
    while (::write(m_wakePipe[1], &c, 1) < 0 && errno == EINTR) {
    }
}

void TranscriptTee::programStarted(const std::string& command)
{
    post({TranscriptRecord::Kind::ProgramStarted, command, 0, 0});
}

void TranscriptTee::programEnded(const std::string& program, int level)
{
    post({TranscriptRecord::Kind::ProgramEnded, program, level, 0});
}

void TranscriptTee::post(TranscriptRecord r)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    if (!m_copying)
        return;
    m_events.push_back(std::move(r));
    const std::uint64_t mine = ++m_posted;
    lock.unlock();
    wake();
    lock.lock();
    m_written.wait(lock, [&] { return m_recorded >= mine || !m_copying; });
}

void TranscriptTee::finish(int exitStatus, std::int64_t elapsedMs)
{
    if (!m_thread.joinable())
        return;
    closeFd(m_outPipe[1]);
    closeFd(m_errPipe[1]);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_finishing = true;
    }
    wake();
    m_thread.join();
    record({TranscriptRecord::Kind::Ended, {}, exitStatus, elapsedMs});
    for (int* fd : {&m_outPipe[0], &m_errPipe[0], &m_wakePipe[0], &m_wakePipe[1]})
        closeFd(*fd);
    closeFd(m_file);
}

bool TranscriptTee::copyFrom(int pipe, int destination, TranscriptRecord::Kind kind, bool untilEmpty)
{
    static thread_local std::vector<char> buffer(64 * 1024);
    for (;;) {
        const ssize_t n = ::read(pipe, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return true;  // nothing there now
        if (n == 0)
            return false;
        writeAll(destination, buffer.data(), static_cast<std::size_t>(n));
        record({kind, std::string(buffer.data(), static_cast<std::size_t>(n)), 0, 0});
        if (!untilEmpty)
            return true;
    }
}

void TranscriptTee::copyLoop()
{
    // A closed terminal or pipe behind our own output must not end the runner: the write
    // fails instead, here only, and the children keep the usual signal.
    sigset_t pipeSignal;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipeSignal, nullptr);

    bool outOpen = true;
    bool errOpen = true;
    bool finishing = false;
    std::chrono::steady_clock::time_point giveUp;
    while (outOpen || errOpen) {
        pollfd fds[3] = {{m_outPipe[0], outOpen ? short(POLLIN) : short(0), 0},
                         {m_errPipe[0], errOpen ? short(POLLIN) : short(0), 0},
                         {m_wakePipe[0], POLLIN, 0}};
        int timeout = -1;
        if (finishing) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                giveUp - std::chrono::steady_clock::now());
            if (left.count() <= 0)
                break;
            timeout = static_cast<int>(left.count());
        }
        const int ready = ::poll(fds, 3, timeout);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            break;
        if (outOpen && (fds[0].revents & (POLLIN | POLLHUP | POLLERR)))
            outOpen = copyFrom(m_outPipe[0], m_out, TranscriptRecord::Kind::Output, false);
        if (errOpen && (fds[1].revents & (POLLIN | POLLHUP | POLLERR)))
            errOpen = copyFrom(m_errPipe[0], m_err, TranscriptRecord::Kind::Errors, false);
        if (fds[2].revents & POLLIN) {
            char drain[64];
            while (::read(m_wakePipe[0], drain, sizeof drain) > 0) {
            }
            // A program's end is told after everything it printed.
            if (outOpen)
                outOpen = copyFrom(m_outPipe[0], m_out, TranscriptRecord::Kind::Output, true);
            if (errOpen)
                errOpen = copyFrom(m_errPipe[0], m_err, TranscriptRecord::Kind::Errors, true);
            std::deque<TranscriptRecord> events;
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                events.swap(m_events);
                if (m_finishing && !finishing) {
                    finishing = true;
                    giveUp = std::chrono::steady_clock::now() + std::chrono::milliseconds(DrainMs);
                }
            }
            for (const TranscriptRecord& e : events)
                record(e);
            std::lock_guard<std::mutex> lock(m_mutex);
            m_recorded += events.size();
            m_written.notify_all();
        }
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const TranscriptRecord& e : m_events)
        record(e);
    m_recorded += m_events.size();
    m_events.clear();
    m_copying = false;
    m_written.notify_all();
}
