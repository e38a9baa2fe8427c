#pragma once
// The transcript the batch runner keeps of a build for the program that started it: every
// byte the batch file and its programs print, each program's start and end, and the batch
// file's end. What a program prints comes between its start and its end.
// A record is a header line "K LENGTH STATUS NUMBER\n" followed by LENGTH bytes, so any bytes
// at all (invalid text, lines of megabytes) pass through unchanged.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct TranscriptRecord {
    enum class Kind : char {
        Started = 'P',       // number: the runner's process id
        Output = 'O',        // data: bytes printed on standard output
        Errors = 'E',        // data: bytes printed on standard error
        ProgramStarted = 'S',  // data: the program as the batch named it, then its arguments
        ProgramEnded = 'C',  // data: the program as the batch named it; status: its exit status
        Ended = 'X',         // status: the batch file's exit status; number: its run time in ms
        Lost = '?',          // never written: the follower's word that the runner went silent
    };
    Kind kind = Kind::Output;
    std::string data;
    int status = 0;
    std::int64_t number = 0;

    bool operator==(const TranscriptRecord&) const = default;
};

std::string encodeTranscriptRecord(const TranscriptRecord& record);

// Reads records from bytes that arrive in pieces of any size.
class TranscriptDecoder {
public:
    // Headers are short; a longer one means the file is not a transcript.
    static constexpr std::size_t MaxHeader = 80;
    // The runner writes what one read of a pipe gives; a far larger record is damage.
    static constexpr std::uint64_t MaxRecord = 64u << 20;

    // The records completed by these bytes; none once the input proved malformed.
    std::vector<TranscriptRecord> feed(std::string_view bytes);
    bool malformed() const { return m_malformed; }
    // A record begun and not complete: the writer is between two writes, or was stopped.
    bool midRecord() const { return m_inData || !m_buffer.empty(); }

private:
    bool parseHeader(std::string_view header);

    std::string m_buffer;
    bool m_inData = false;
    TranscriptRecord m_record;
    std::size_t m_need = 0;
    bool m_malformed = false;
};
