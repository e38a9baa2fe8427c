#include "platform/paths/transcript.h"

#include <algorithm>
#include <charconv>

std::string encodeTranscriptRecord(const TranscriptRecord& record)
{
    std::string out;
    out.reserve(record.data.size() + 40);
    out += static_cast<char>(record.kind);
    out += ' ';
    out += std::to_string(record.data.size());
    out += ' ';
    out += std::to_string(record.status);
    out += ' ';
    out += std::to_string(record.number);
    out += '\n';
    out += record.data;
    return out;
}

namespace {

bool known(char kind)
{
    for (char k : {'P', 'O', 'E', 'S', 'C', 'X'})
        if (kind == k)
            return true;
    return false;
}

template <typename T>
bool readNumber(std::string_view& s, T& out)
{
    const char* end = s.data() + s.size();
    const auto [p, ec] = std::from_chars(s.data(), end, out);
    if (ec != std::errc() || (p != end && *p != ' '))
        return false;
    s.remove_prefix(static_cast<std::size_t>(p - s.data()) + (p == end ? 0 : 1));
    return true;
}

}  // namespace

bool TranscriptDecoder::parseHeader(std::string_view header)
{
    if (header.size() < 2 || !known(header[0]) || header[1] != ' ')
        return false;
    m_record = TranscriptRecord{};
    m_record.kind = static_cast<TranscriptRecord::Kind>(header[0]);
    header.remove_prefix(2);
    std::uint64_t length = 0;
    if (!readNumber(header, length) || !readNumber(header, m_record.status) ||
        !readNumber(header, m_record.number) || !header.empty() || length > MaxRecord)
        return false;
    m_need = static_cast<std::size_t>(length);
    return true;
}

std::vector<TranscriptRecord> TranscriptDecoder::feed(std::string_view bytes)
{
    std::vector<TranscriptRecord> out;
    if (m_malformed)
        return out;
    while (!bytes.empty()) {
        if (!m_inData) {
            const std::size_t nl = bytes.find('\n');
            const std::size_t take = nl == std::string_view::npos ? bytes.size() : nl;
            if (m_buffer.size() + take > MaxHeader) {
                m_malformed = true;
                m_buffer.clear();
                return out;
            }
            m_buffer.append(bytes.substr(0, take));
            if (nl == std::string_view::npos)
                return out;
            bytes.remove_prefix(nl + 1);
            if (!parseHeader(m_buffer)) {
                m_malformed = true;
                m_buffer.clear();
                return out;
            }
            m_buffer.clear();
            m_inData = true;
        }
        const std::size_t take = std::min(m_need - m_record.data.size(), bytes.size());
        m_record.data.append(bytes.substr(0, take));
        bytes.remove_prefix(take);
        if (m_record.data.size() == m_need) {
            out.push_back(std::move(m_record));
            m_record = TranscriptRecord{};
            m_inData = false;
        }
    }
    return out;
}
