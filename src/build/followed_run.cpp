#include "build/followed_run.h"

#include "build/elapsed_text.h"

void FollowedRun::start(std::string title, std::string command, std::string folder, std::int64_t nowMs)
{
    while (!command.empty() && command.back() == ' ')
        command.pop_back();
    m_state = State::Running;
    m_title = std::move(title);
    m_command = std::move(command);
    m_folder = std::move(folder);
    m_transcript.clear();
    m_startMs = nowMs;
    m_elapsedMs = 0;
    m_statusKnown = false;
    m_exitStatus = 0;
    m_lostReason.clear();
    m_message.clear();
}

bool FollowedRun::receive(const std::vector<TranscriptRecord>& records, std::int64_t nowMs)
{
    bool lines = false;
    for (const TranscriptRecord& r : records) {
        if (m_state != State::Running)
            break;
        switch (r.kind) {
        case TranscriptRecord::Kind::Output:
        case TranscriptRecord::Kind::Errors:
            m_transcript.add(r.data, r.kind == TranscriptRecord::Kind::Output ? OutputStream::Output
                                                                              : OutputStream::Errors);
            lines = true;
            break;
        case TranscriptRecord::Kind::Ended:
            m_statusKnown = true;
            m_exitStatus = r.status;
            m_elapsedMs = r.number;
            m_transcript.close();
            m_state = State::Ended;
            lines = true;
            break;
        case TranscriptRecord::Kind::Lost:
            m_lostReason = r.data;
            m_elapsedMs = nowMs - m_startMs;
            m_transcript.close();
            m_state = State::Ended;
            lines = true;
            break;
        case TranscriptRecord::Kind::Started:
        case TranscriptRecord::Kind::ProgramStarted:
        case TranscriptRecord::Kind::ProgramEnded:
            break; // one program: its end is the run's
        }
    }
    return lines;
}

std::string FollowedRun::heading() const
{
    return m_title + ": " + m_command;
}

std::string FollowedRun::summary() const
{
    // "C:\Pelorus\" reads as "C:\Pelorus"; a drive's root keeps its backslash.
    std::string folder = m_folder;
    if (folder.size() > 3 && folder.back() == '\\')
        folder.pop_back();
    switch (m_state) {
    case State::Idle:
        return {};
    case State::Running:
        return "Running in " + folder + ".";
    case State::Ended:
        break;
    }
    std::string out = m_statusKnown ? "Exit status " + std::to_string(m_exitStatus) + " after " +
                                          elapsedText(m_elapsedMs) + ", in " + folder + "."
                                    : m_lostReason + " The exit status is not known.";
    if (!m_transcript.diagnostics().empty())
        out += " " + m_transcript.countsText() + ".";
    return out;
}
