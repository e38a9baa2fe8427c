#pragma once
// The headers a C source reaches through its #include lines, followed the way the compiler
// looks for them, so that a build of our own knows which objects a changed header makes old.
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class Files;

struct IncludeLine {
    std::string name;
    bool angle = false;  // <name> rather than "name"
};

// The #include lines of a C text, in order; lines inside block comments are not seen.
std::vector<IncludeLine> includeLines(std::string_view text);

class IncludeScan {
public:
    // quoted: folders for "name" after the including file's own; angle: folders for <name>.
    // timeOf: a header's modification time as it counts; the file's own when not given.
    using TimeOf = std::function<std::optional<std::int64_t>(const std::string&)>;
    IncludeScan(const Files& files, std::vector<std::string> quoted, std::vector<std::string> angle,
                TimeOf timeOf = {});

    struct Missing {
        std::string includer;  // the file that names it
        std::string name;
    };
    struct Reach {
        std::optional<std::int64_t> newest;  // the newest modification time among the headers
        std::string newestHeader;
        std::vector<Missing> missing;
    };
    // Everything the source reaches, its own folder searched first for quoted names.
    Reach scan(const std::string& source);

private:
    struct Header {
        std::vector<IncludeLine> lines;
        std::optional<std::int64_t> modified;
    };
    const Header& header(const std::string& path);
    std::string find(const IncludeLine& line, const std::string& includerDir, const std::string& sourceDir);

    const Files& m_files;
    std::vector<std::string> m_quoted;
    std::vector<std::string> m_angle;
    TimeOf m_timeOf;
    std::map<std::string, Header> m_headers;      // by lower-case path
    std::map<std::string, std::string> m_found;   // by folder and name; "" when not found
};
