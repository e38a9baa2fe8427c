#include "common/object_file.h"

#include <cstdio>

#include "common/tool_files.h"

namespace standin
{

int R25Module::segmentSize(const std::string& segment) const
{
    int size = 0;
    for (const R25Segment& s : segments)
        if (s.name == segment)
            size += s.size;
    return size;
}

std::string hex4(int value)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04X", static_cast<unsigned>(value));
    return buf;
}

std::vector<std::string> formatModule(const R25Module& m)
{
    std::vector<std::string> out;
    out.push_back("R25 1 " + m.name + (m.library ? " LIBRARY" : " PROGRAM"));
    if (!m.source.empty())
        out.push_back("SOURCE " + m.source);
    out.push_back("CPU " + m.cpu);
    out.push_back("MODEL " + m.model);
    if (!m.doubles.empty())
        out.push_back("DOUBLE " + m.doubles);
    if (!m.options.empty())
        out.push_back("OPTIONS " + m.options);
    for (const R25Segment& s : m.segments)
        out.push_back("SEGMENT " + s.name + " " + hex4(s.size));
    for (const R25Public& p : m.publics)
        out.push_back("PUBLIC " + p.name + " " + p.segment + " " + hex4(p.offset));
    for (const std::string& e : m.externs)
        out.push_back("EXTERN " + e);
    out.push_back("END");
    return out;
}

bool parseHex(const std::string& text, int& out)
{
    if (text.empty() || text.size() > 6)
        return false;
    int v = 0;
    for (char c : text) {
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else
            return false;
        v = v * 16 + d;
    }
    out = v;
    return true;
}

// Words each keyword takes after itself; OPTIONS takes the rest of the line.
struct Shape {
    const char* keyword;
    std::size_t words;
};
static constexpr Shape kShapes[] = {{"SOURCE", 1},  {"CPU", 1},    {"MODEL", 1},  {"DOUBLE", 1},
                                    {"SEGMENT", 2}, {"PUBLIC", 3}, {"EXTERN", 1}, {"END", 0}};

std::optional<std::vector<R25Module>> parseObject(const std::vector<std::string>& lines, R25ParseError& error)
{
    std::vector<R25Module> modules;
    R25Module* open = nullptr;
    auto fail = [&](int line, std::string text) {
        error = {line, std::move(text)};
        return std::nullopt;
    };
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int lineNo = static_cast<int>(i) + 1;
        const std::vector<std::string> w = splitWords(lines[i]);
        if (w.empty() || w[0][0] == ';')
            continue;
        if (w[0] == "R25") {
            if (open)
                return fail(lineNo, "module '" + open->name + "' has no END");
            if (w.size() != 4 || w[1] != "1" || (w[3] != "PROGRAM" && w[3] != "LIBRARY"))
                return fail(lineNo, "bad module header");
            modules.push_back({});
            open = &modules.back();
            open->name = w[2];
            open->library = w[3] == "LIBRARY";
            continue;
        }
        if (!open)
            return fail(lineNo, modules.empty() ? "not an object file" : "text after END");
        if (w[0] == "OPTIONS") {
            open->options = lines[i].substr(lines[i].find("OPTIONS") + 7);
            continue;
        }
        const Shape* shape = nullptr;
        for (const Shape& s : kShapes)
            if (w[0] == s.keyword)
                shape = &s;
        if (!shape || w.size() != shape->words + 1)
            return fail(lineNo, "bad object record '" + w[0] + "'");
        int number = 0;
        if (w[0] == "SOURCE") {
            open->source = w[1];
        } else if (w[0] == "CPU") {
            open->cpu = w[1];
        } else if (w[0] == "MODEL") {
            open->model = w[1];
        } else if (w[0] == "DOUBLE") {
            open->doubles = w[1];
        } else if (w[0] == "SEGMENT") {
            if (!parseHex(w[2], number))
                return fail(lineNo, "bad segment size");
            open->segments.push_back({w[1], number});
        } else if (w[0] == "PUBLIC") {
            if (!parseHex(w[3], number))
                return fail(lineNo, "bad entry offset");
            open->publics.push_back({w[1], w[2], number});
        } else if (w[0] == "EXTERN") {
            open->externs.push_back(w[1]);
        } else {
            open = nullptr;
        }
    }
    if (open)
        return fail(static_cast<int>(lines.size()), "module '" + open->name + "' has no END");
    if (modules.empty())
        return fail(1, "not an object file");
    return modules;
}

} // namespace standin
