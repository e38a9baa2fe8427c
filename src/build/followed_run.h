#pragma once
// One run of a program Tarnel starts besides its builds (the assembler, the programming tool, a
// user tool), as the Build Output panel shows it: the command and the folder it ran in, what it
// printed with the diagnostics found in it, and how it ended.
#include <cstdint>
#include <string>
#include <vector>

#include "build/build_transcript.h"
#include "platform/paths/transcript.h"

enum class RunKind { Build, Assembler, Programmer, UserTool };

class FollowedRun
{
public:
    enum class State { Idle, Running, Ended };

    void start(std::string title, std::string command, std::string folder, std::int64_t nowMs);
    // Records of its transcript, in order; true when its lines changed.
    bool receive(const std::vector<TranscriptRecord>& records, std::int64_t nowMs);

    State state() const { return m_state; }
    const std::string& title() const { return m_title; }
    const std::string& command() const { return m_command; }
    const std::string& folder() const { return m_folder; }
    const BuildTranscript& transcript() const { return m_transcript; }
    bool statusKnown() const { return m_statusKnown; }
    int exitStatus() const { return m_exitStatus; }

    // "Assembler: C:\NEC\asm\A78300\A78300.exe boot.s25 boot".
    std::string heading() const;
    // Where it runs, and once it ended how: exit status, run time, diagnostics.
    std::string summary() const;
    // The answer to the user's last click on one of its lines.
    const std::string& message() const { return m_message; }
    void setMessage(std::string text) { m_message = std::move(text); }

private:
    State m_state = State::Idle;
    std::string m_title;
    std::string m_command;
    std::string m_folder;
    BuildTranscript m_transcript;
    std::int64_t m_startMs = 0;
    std::int64_t m_elapsedMs = 0;
    bool m_statusKnown = false;
    int m_exitStatus = 0;
    std::string m_lostReason;
    std::string m_message;
};
