#pragma once
// Passes everything a batch run prints on to the runner's own output and keeps it, record by
// record, in a transcript file that the program which started the build follows. The batch and
// its programs write into two pipes; one thread copies both to their destinations, so a child
// sees the same handles whoever follows it, and a shown build still shows in its terminal.
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

#include "platform/batch/batch_interpreter.h"
#include "platform/paths/transcript.h"

class TranscriptTee {
public:
    // How long the end waits for the pipes to close: a program left running in the background
    // holds them open for as long as it lives.
    static constexpr int DrainMs = 500;

    TranscriptTee() = default;
    ~TranscriptTee();
    TranscriptTee(const TranscriptTee&) = delete;
    TranscriptTee& operator=(const TranscriptTee&) = delete;

    // Opens the transcript (host path) and the pipes and starts copying to out and err; false,
    // with errno set, when it cannot.
    bool start(const std::string& path, int out = 1, int err = 2);
    // The handles the batch run writes to.
    BatchStreams streams(int in = 0) const { return {in, m_outPipe[1], m_errPipe[1]}; }
    // Both return once the record is in the transcript, after everything printed before it,
    // so a program's output is never taken for its neighbour's.
    void programStarted(const std::string& command);
    void programEnded(const std::string& program, int level);
    // Closes the pipes, copies what is still in them, and writes the end record.
    void finish(int exitStatus, std::int64_t elapsedMs);

private:
    void copyLoop();
    // Copies what one pipe holds now; false once it reached its end.
    bool copyFrom(int pipe, int destination, TranscriptRecord::Kind kind, bool untilEmpty);
    void record(const TranscriptRecord& r);
    void post(TranscriptRecord r);
    void wake();

    int m_file = -1;
    int m_out = 1;
    int m_err = 2;
    int m_outPipe[2] = {-1, -1};
    int m_errPipe[2] = {-1, -1};
    int m_wakePipe[2] = {-1, -1};
    std::thread m_thread;
    std::mutex m_mutex;
    std::deque<TranscriptRecord> m_events;  // written after what the pipes hold when they come
    std::condition_variable m_written;
    std::uint64_t m_posted = 0;
    std::uint64_t m_recorded = 0;
    bool m_copying = false;
    bool m_finishing = false;
};
