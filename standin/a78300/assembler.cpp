#include "a78300/assembler.h"

#include <cctype>
#include <cstdio>
#include <map>

#include "common/tool_files.h"
#include "platform/paths/win_path.h"

namespace standin
{

namespace
{

bool validSymbol(const std::string& s)
{
    if (s.empty() || std::isdigit(static_cast<unsigned char>(s[0])))
        return false;
    for (char c : s)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_' && c != '?')
            return false;
    return true;
}

// Decimal, 0x-prefixed hex or H-suffixed hex ("10H").
bool parseNumber(const std::string& text, int& out)
{
    std::string t = winpath::upper(winpath::trim(text));
    if (t.size() > 2 && t[0] == '0' && t[1] == 'X')
        return parseHex(t.substr(2), out);
    if (t.size() > 1 && t.back() == 'H')
        return parseHex(t.substr(0, t.size() - 1), out);
    long long v = 0;
    if (!winpath::parseInt(t, v) || v < 0 || v > 0xFFFF)
        return false;
    out = static_cast<int>(v);
    return true;
}

// Operands split at commas outside quotes.
std::vector<std::string> operands(const std::string& text)
{
    std::vector<std::string> out;
    std::string cur;
    char quote = 0;
    for (char c : text) {
        if (quote) {
            quote = c == quote ? 0 : quote;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == ',') {
            out.push_back(winpath::trim(cur));
            cur.clear();
            continue;
        }
        cur += c;
    }
    if (!winpath::trim(cur).empty() || !out.empty())
        out.push_back(winpath::trim(cur));
    return out;
}

class Assembler
{
public:
    Assembler(const std::string& file, DiagnosticLog& log) : m_file(file), m_log(log) {}

    void line(const std::string& raw, int number)
    {
        m_number = number;
        const std::string text = withoutComment(raw);
        if (text.empty())
            return;
        if (m_ended) {
            m_log.warning(WarnAfterEnd, "text after END ignored", m_file, number);
            return;
        }
        std::string rest = winpath::trim(text);
        const std::size_t colon = rest.find(':');
        if (colon != std::string::npos && rest.find_first_of(" \t") > colon) {
            const std::string label = rest.substr(0, colon);
            if (!validSymbol(label)) {
                error(ErrBadLabel, "bad label '" + label + "'");
                return;
            }
            if (m_labels.count(label))
                error(ErrDuplicateLabel, "label '" + label + "' is defined twice");
            m_labels[label] = {m_segment, m_sizes[m_segment]};
            rest = rest.substr(colon + 1);
        }
        rest = winpath::trim(rest);
        if (rest.empty())
            return;
        const std::size_t blank = rest.find_first_of(" \t");
        const std::string op = winpath::upper(rest.substr(0, blank));
        const std::string args = blank == std::string::npos ? "" : winpath::trim(rest.substr(blank));
        instruction(op, args);
    }

    R25Module finish(const std::string& moduleName)
    {
        if (!m_ended)
            m_log.warning(WarnNoEnd, "no END directive", m_file, m_number);
        R25Module m;
        m.name = m_name.empty() ? moduleName : m_name;
        m.source = m_file;
        for (const auto& [segment, size] : m_sizes)
            if (size > 0)
                m.segments.push_back({segment, size});
        for (const NamedPublic& p : m_publics) {
            const auto it = m_labels.find(p.name);
            if (it == m_labels.end())
                m_log.error(ErrUndefinedPublic, "public '" + p.name + "' is not defined", m_file, p.line);
            else
                m.publics.push_back({p.name, it->second.segment, it->second.offset});
        }
        m.externs = m_externs;
        return m;
    }

private:
    struct Label {
        std::string segment;
        int offset = 0;
    };
    struct NamedPublic {
        std::string name;
        int line = 0;
    };

    void error(int number, const std::string& text) { m_log.error(number, text, m_file, m_number); }

    // Cuts a ';' comment; a quote left open is a broken line.
    std::string withoutComment(const std::string& raw)
    {
        char quote = 0;
        for (std::size_t i = 0; i < raw.size(); ++i) {
            if (quote) {
                quote = raw[i] == quote ? 0 : quote;
            } else if (raw[i] == '\'' || raw[i] == '"') {
                quote = raw[i];
            } else if (raw[i] == ';') {
                return winpath::trim(raw.substr(0, i)).empty() ? "" : raw.substr(0, i);
            }
        }
        if (quote) {
            error(ErrUnterminatedString, "string is not closed");
            return {};
        }
        return winpath::trim(raw).empty() ? "" : raw;
    }

    void instruction(const std::string& op, const std::string& args)
    {
        const std::vector<std::string> list = operands(args);
        const bool needsOperand = op == "NAME" || op == "PUBLIC" || op == "EXTERN" || op == "RSEG" ||
                                  op == "DS" || op == "DB" || op == "DW";
        if (needsOperand && list.empty()) {
            error(ErrMissingOperand, op + " needs an operand");
            return;
        }
        int depth = 0;
        for (char c : args) {
            depth += c == '(' ? 1 : c == ')' ? -1 : 0;
            if (depth < 0)
                break;
        }
        if (depth != 0) {
            error(ErrUnbalanced, "unbalanced parentheses");
            return;
        }
        int& size = m_sizes[m_segment];
        if (op == "NAME" || op == "RSEG") {
            if (!validSymbol(list[0])) {
                error(ErrBadLabel, "bad name '" + list[0] + "'");
                return;
            }
            (op == "NAME" ? m_name : m_segment) = list[0];
        } else if (op == "PUBLIC" || op == "EXTERN") {
            for (const std::string& s : list) {
                if (!validSymbol(s))
                    error(ErrBadLabel, "bad name '" + s + "'");
                else if (op == "PUBLIC")
                    m_publics.push_back({s, m_number});
                else
                    m_externs.push_back(s);
            }
        } else if (op == "DS") {
            int n = 0;
            if (!parseNumber(list[0], n))
                error(ErrBadNumber, "bad number '" + list[0] + "'");
            size += n;
        } else if (op == "DB" || op == "DW") {
            for (const std::string& item : list) {
                const bool text = item.size() >= 2 && (item[0] == '\'' || item[0] == '"');
                size += text ? static_cast<int>(item.size()) - 2 : (op == "DW" ? 2 : 1);
            }
        } else if (op == "END") {
            m_ended = true;
        } else {
            size += 2;
        }
    }

    std::string m_file;
    DiagnosticLog& m_log;
    int m_number = 0;
    bool m_ended = false;
    std::string m_name;
    std::string m_segment = "CODE";
    std::map<std::string, int> m_sizes;
    std::map<std::string, Label> m_labels;
    std::vector<NamedPublic> m_publics;
    std::vector<std::string> m_externs;
};

std::string numbered(int number, const std::string& text)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%5d  ", number);
    return buf + text;
}

} // namespace

AssemblyResult assemble(const std::string& shownName, const std::string& moduleName,
                        const std::vector<std::string>& lines, DiagnosticLog& log)
{
    Assembler a(shownName, log);
    for (std::size_t i = 0; i < lines.size(); ++i)
        a.line(lines[i], static_cast<int>(i) + 1);
    AssemblyResult result;
    result.module = a.finish(moduleName);
    result.listing.push_back(banner("A78300") + " - assembler for the NEC 78K/III");
    result.listing.push_back("Source file  : " + shownName);
    result.listing.push_back("");
    for (std::size_t i = 0; i < lines.size(); ++i) {
        result.listing.push_back(numbered(static_cast<int>(i) + 1, lines[i]));
        for (const Diagnostic* d : log.at(shownName, static_cast<int>(i) + 1))
            result.listing.push_back(d->format());
    }
    result.listing.push_back("");
    for (const std::string& s : log.summary())
        result.listing.push_back(s);
    return result;
}

} // namespace standin
