#include "components/help_html.h"

#include <algorithm>
#include <cctype>
#include <initializer_list>
#include <map>

namespace helphtml {

namespace {

char lowerChar(char c)
{
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool startsWithNoCase(std::string_view text, std::size_t at, std::string_view prefix)
{
    if (text.size() - at < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (lowerChar(text[at + i]) != prefix[i])
            return false;
    return true;
}

struct Tag {
    std::string name;  // lower case
    bool closing = false;
    std::string_view inside;  // between the name and '>'
};

// Calls onText for every run of text and onTag for every tag, in order. Comments vanish;
// an unclosed tag or comment ends the page.
template <class OnText, class OnTag>
void scan(std::string_view html, OnText onText, OnTag onTag)
{
    std::size_t i = 0;
    while (i < html.size()) {
        const std::size_t lt = html.find('<', i);
        if (lt == std::string_view::npos) {
            onText(html.substr(i));
            return;
        }
        if (lt > i)
            onText(html.substr(i, lt - i));
        // A '<' that starts no tag is text ("a < b").
        const char next = lt + 1 < html.size() ? html[lt + 1] : ' ';
        if (!std::isalpha(static_cast<unsigned char>(next)) && next != '/' && next != '!') {
            onText(html.substr(lt, 1));
            i = lt + 1;
            continue;
        }
        if (html.compare(lt, 4, "<!--") == 0) {
            const std::size_t end = html.find("-->", lt + 4);
            if (end == std::string_view::npos)
                return;
            i = end + 3;
            continue;
        }
        const std::size_t gt = html.find('>', lt + 1);
        if (gt == std::string_view::npos)
            return;
        Tag tag;
        std::size_t p = lt + 1;
        if (p < gt && html[p] == '/') {
            tag.closing = true;
            ++p;
        }
        while (p < gt && std::isalnum(static_cast<unsigned char>(html[p])))
            tag.name += lowerChar(html[p++]);
        tag.inside = html.substr(p, gt - p);
        i = gt + 1;
        if (tag.name.empty()) {
            onText(html.substr(lt, gt + 1 - lt));
            continue;
        }
        // Scripts and styles hold no text of the page.
        if (!tag.closing && (tag.name == "script" || tag.name == "style")) {
            const std::string close = "</" + tag.name;
            std::size_t end = html.find('<', i);
            while (end != std::string_view::npos && !startsWithNoCase(html, end, close))
                end = html.find('<', end + 1);
            i = end == std::string_view::npos ? html.size() : end;
            continue;
        }
        onTag(tag);
    }
}

std::string attribute(std::string_view inside, std::string_view name)
{
    for (std::size_t at = 0; at < inside.size(); ++at) {
        if (!startsWithNoCase(inside, at, name))
            continue;
        if (at > 0 && !std::isspace(static_cast<unsigned char>(inside[at - 1])))
            continue;
        std::size_t p = at + name.size();
        while (p < inside.size() && std::isspace(static_cast<unsigned char>(inside[p])))
            ++p;
        if (p >= inside.size() || inside[p] != '=')
            continue;
        ++p;
        while (p < inside.size() && std::isspace(static_cast<unsigned char>(inside[p])))
            ++p;
        if (p >= inside.size())
            return {};
        if (inside[p] == '"' || inside[p] == '\'') {
            const char quote = inside[p];
            const std::size_t end = inside.find(quote, p + 1);
            return decodeEntities(inside.substr(p + 1, (end == std::string_view::npos ? inside.size() : end) - p - 1));
        }
        std::size_t end = p;
        while (end < inside.size() && !std::isspace(static_cast<unsigned char>(inside[end])) && inside[end] != '/')
            ++end;
        return decodeEntities(inside.substr(p, end - p));
    }
    return {};
}

bool isBlock(const std::string& name)
{
    static const char* const blocks[] = {"p",  "br", "li", "ul", "ol", "h1", "h2", "h3", "h4", "h5", "h6", "tr",
                                         "td", "th", "div", "dt", "dd", "pre", "table", "hr", "title"};
    for (const char* b : blocks)
        if (name == b)
            return true;
    return false;
}

void appendUtf8(std::string& out, unsigned long code)
{
    if (code == 0 || code > 0x10FFFF) {
        out += '?';
    } else if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

std::string collapse(std::string_view text)
{
    std::string out;
    bool blank = false;
    for (char c : text) {
        if (std::isspace(static_cast<unsigned char>(c)) || c == '\0') {
            blank = !out.empty();
            continue;
        }
        if (blank)
            out += ' ';
        blank = false;
        out += c;
    }
    return out;
}

}  // namespace

std::string decodeEntities(std::string_view text)
{
    static const std::map<std::string, std::string, std::less<>> named = {
        {"amp", "&"},   {"lt", "<"},      {"gt", ">"},    {"quot", "\""}, {"apos", "'"},
        {"nbsp", " "},  {"mdash", "\xE2\x80\x94"}, {"ndash", "\xE2\x80\x93"}, {"rarr", "\xE2\x86\x92"},
        {"hellip", "\xE2\x80\xA6"}, {"copy", "\xC2\xA9"}, {"times", "\xC3\x97"},
    };
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') {
            out += text[i];
            continue;
        }
        const std::size_t semi = text.find(';', i + 1);
        if (semi == std::string_view::npos || semi - i > 10) {
            out += '&';
            continue;
        }
        const std::string_view name = text.substr(i + 1, semi - i - 1);
        if (!name.empty() && name[0] == '#') {
            unsigned long code = 0;
            bool ok = name.size() > 1;
            const bool hex = ok && (name[1] == 'x' || name[1] == 'X');
            for (std::size_t k = hex ? 2 : 1; ok && k < name.size(); ++k) {
                const unsigned char c = static_cast<unsigned char>(name[k]);
                if (hex ? !std::isxdigit(c) : !std::isdigit(c))
                    ok = false;
                else
                    code = code * (hex ? 16 : 10) + static_cast<unsigned long>(std::isdigit(c) ? c - '0' : std::tolower(c) - 'a' + 10);
            }
            if (ok && name.size() > (hex ? 2u : 1u)) {
                appendUtf8(out, code);
                i = semi;
                continue;
            }
        } else if (auto it = named.find(name); it != named.end()) {
            out += it->second;
            i = semi;
            continue;
        }
        out += '&';
    }
    return out;
}

std::string escape(std::string_view text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

std::vector<Link> links(std::string_view html)
{
    std::vector<Link> out;
    int depth = 0;
    bool inLink = false;
    Link current;
    std::string text;
    scan(
        html,
        [&](std::string_view t) {
            if (inLink)
                text += t;
        },
        [&](const Tag& tag) {
            if (tag.name == "ul" || tag.name == "ol") {
                depth += tag.closing ? -1 : 1;
                if (depth < 0)
                    depth = 0;
            } else if (tag.name == "a") {
                if (!tag.closing) {
                    current = Link{attribute(tag.inside, "href"), {}, depth};
                    text.clear();
                    inLink = !current.href.empty();
                } else if (inLink) {
                    current.text = collapse(decodeEntities(text));
                    out.push_back(current);
                    inLink = false;
                }
            }
        });
    return out;
}

std::vector<ListItem> listItems(std::string_view html)
{
    std::vector<ListItem> out;
    // Open items, innermost last, each with its place in out and its text so far.
    struct Open {
        std::size_t index;
        std::string text;
        int depth;
    };
    std::vector<Open> open;
    int depth = 0;
    int lists = -1;
    auto finish = [&out, &open] {
        out[open.back().index].text = collapse(decodeEntities(open.back().text));
        open.pop_back();
    };
    scan(
        html,
        [&](std::string_view t) {
            if (!open.empty() && open.back().depth == depth)
                open.back().text += t;
        },
        [&](const Tag& tag) {
            if (tag.name == "ul" || tag.name == "ol") {
                if (!tag.closing) {
                    if (depth++ == 0)
                        ++lists;
                    return;
                }
                while (!open.empty() && open.back().depth >= depth)
                    finish();
                depth = std::max(0, depth - 1);
            } else if (tag.name == "li") {
                while (!open.empty() && open.back().depth >= depth)
                    finish();
                if (!tag.closing && depth > 0) {
                    out.push_back({{}, {}, depth, lists});
                    open.push_back({out.size() - 1, {}, depth});
                }
            } else if (tag.name == "a" && !tag.closing && !open.empty() && open.back().depth == depth) {
                std::string& href = out[open.back().index].href;
                if (href.empty())
                    href = attribute(tag.inside, "href");
            }
        });
    while (!open.empty())
        finish();
    return out;
}

std::string title(std::string_view html)
{
    std::string found[2];  // title, first h1
    int capturing = -1;
    std::string text;
    scan(
        html,
        [&](std::string_view t) {
            if (capturing >= 0)
                text += t;
        },
        [&](const Tag& tag) {
            const int which = tag.name == "title" ? 0 : tag.name == "h1" ? 1 : -1;
            if (which < 0)
                return;
            if (!tag.closing && capturing < 0 && found[which].empty()) {
                capturing = which;
                text.clear();
            } else if (tag.closing && capturing == which) {
                found[which] = collapse(decodeEntities(text));
                capturing = -1;
            }
        });
    return found[0].empty() ? found[1] : found[0];
}

std::string plainText(std::string_view html)
{
    std::string text;
    text.reserve(html.size() / 2);
    bool inTitle = false;
    scan(
        html,
        [&](std::string_view t) {
            if (!inTitle)
                text += t;
        },
        [&](const Tag& tag) {
            if (tag.name == "title")
                inTitle = !tag.closing;
            if (isBlock(tag.name))
                text += ' ';
        });
    return collapse(decodeEntities(text));
}

}  // namespace helphtml

namespace helphtml {

namespace {

enum class Kind { Structure, Head, Block, Inline, Void, List, Item, Table, Row, Cell };

struct ElementRule {
    const char* name;
    Kind kind;
};

const ElementRule Elements[] = {
    {"html", Kind::Structure}, {"head", Kind::Structure}, {"body", Kind::Structure},
    {"title", Kind::Head},     {"link", Kind::Void},      {"meta", Kind::Void},
    {"p", Kind::Block},        {"div", Kind::Block},      {"pre", Kind::Block},
    {"blockquote", Kind::Block}, {"h1", Kind::Block},     {"h2", Kind::Block},
    {"h3", Kind::Block},       {"h4", Kind::Block},       {"h5", Kind::Block},
    {"h6", Kind::Block},       {"br", Kind::Void},        {"hr", Kind::Void},
    {"ul", Kind::List},        {"ol", Kind::List},        {"dl", Kind::List},
    {"li", Kind::Item},        {"dt", Kind::Item},        {"dd", Kind::Item},
    {"table", Kind::Table},    {"tr", Kind::Row},         {"td", Kind::Cell},
    {"th", Kind::Cell},        {"a", Kind::Inline},       {"b", Kind::Inline},
    {"i", Kind::Inline},       {"em", Kind::Inline},      {"strong", Kind::Inline},
    {"code", Kind::Inline},    {"tt", Kind::Inline},      {"span", Kind::Inline},
    {"sub", Kind::Inline},     {"sup", Kind::Inline},     {"u", Kind::Inline},
};

const char* const Attributes[] = {"href",  "name",    "id",      "class", "rel",   "type",  "border",
                                  "cellspacing", "cellpadding", "width", "colspan", "rowspan", "align", "valign"};

constexpr std::size_t MaxDepth = 32;
constexpr int MaxTables = 3;

const ElementRule* ruleOf(const std::string& name)
{
    for (const ElementRule& r : Elements)
        if (name == r.name)
            return &r;
    return nullptr;
}

bool isHeading(const std::string& n)
{
    return n.size() == 2 && n[0] == 'h' && n[1] >= '1' && n[1] <= '6';
}

// Text as it stands, with markup characters and control bytes made harmless; entities stay.
std::string safeText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '<') {
            out += "&lt;";
        } else if (c == '>') {
            out += "&gt;";
        } else if (c == '&') {
            std::size_t k = i + 1;
            while (k < text.size() && k - i <= 10 &&
                   (std::isalnum(static_cast<unsigned char>(text[k])) || text[k] == '#'))
                ++k;
            const bool entity = k < text.size() && text[k] == ';' && k > i + 1;
            out += entity ? "&" : "&amp;";
        } else if ((c < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0x7F) {
            out += ' ';
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

class Rebuilder {
public:
    std::string out;

    void open(const Tag& tag, const ElementRule& rule)
    {
        if (rule.kind == Kind::Structure && isOpen(tag.name))
            return;
        closeImplied(tag.name, rule.kind);
        const bool isVoid = rule.kind == Kind::Void;
        if (!isVoid && (m_stack.size() >= MaxDepth || (rule.kind == Kind::Table && m_tables >= MaxTables)))
            return;
        if (tag.name == "link" && !equalsNoCase(attribute(tag.inside, "rel"), "stylesheet"))
            return;
        out += '<' + tag.name;
        for (const char* a : Attributes) {
            const std::string value = attribute(tag.inside, a);
            if (!value.empty())
                out += std::string(" ") + a + "=\"" + escape(value) + "\"";
        }
        out += '>';
        if (!isVoid) {
            m_stack.push_back(tag.name);
            if (rule.kind == Kind::Table)
                ++m_tables;
        }
    }

    void close(const std::string& name)
    {
        if (isOpen(name))
            popTo(name);
    }

    void finish()
    {
        while (!m_stack.empty())
            pop();
    }

private:
    static bool equalsNoCase(const std::string& a, const char* b)
    {
        const std::string_view bv(b);
        if (a.size() != bv.size())
            return false;
        for (std::size_t i = 0; i < a.size(); ++i)
            if (lowerChar(a[i]) != bv[i])
                return false;
        return true;
    }

    bool isOpen(const std::string& name) const
    {
        for (const std::string& n : m_stack)
            if (n == name)
                return true;
        return false;
    }

    void pop()
    {
        if (m_stack.back() == "table")
            --m_tables;
        out += "</" + m_stack.back() + '>';
        m_stack.pop_back();
    }

    void popTo(const std::string& name)
    {
        while (!m_stack.empty()) {
            const bool last = m_stack.back() == name;
            pop();
            if (last)
                return;
        }
    }

    // Closes the open element that the new one ends, as browsers do: a paragraph ends at the
    // next block, an item at the next item, a cell at the next cell or row.
    void closeImplied(const std::string& name, Kind kind)
    {
        auto closeWithin = [this](auto matches, std::initializer_list<const char*> bounds) {
            for (std::size_t i = m_stack.size(); i-- > 0;) {
                const std::string& n = m_stack[i];
                for (const char* b : bounds)
                    if (n == b)
                        return;
                if (matches(n)) {
                    popTo(std::string(n));
                    return;
                }
            }
        };
        const auto containers = {"li", "dd", "dt", "td", "th", "div", "blockquote", "body", "table"};
        if (kind == Kind::Block || kind == Kind::List || kind == Kind::Table || name == "hr")
            closeWithin([](const std::string& n) { return n == "p"; }, containers);
        if (isHeading(name))
            closeWithin([](const std::string& n) { return isHeading(n); }, containers);
        if (name == "li")
            closeWithin([](const std::string& n) { return n == "li"; }, {"ul", "ol"});
        if (name == "dt" || name == "dd")
            closeWithin([](const std::string& n) { return n == "dt" || n == "dd"; }, {"dl"});
        if (name == "tr")
            closeWithin([](const std::string& n) { return n == "tr"; }, {"table"});
        if (kind == Kind::Cell)
            closeWithin([](const std::string& n) { return n == "td" || n == "th"; }, {"tr", "table"});
    }

    std::vector<std::string> m_stack;
    int m_tables = 0;
};

}  // namespace

std::string sanitize(std::string_view html)
{
    Rebuilder r;
    r.out.reserve(html.size() + html.size() / 8);
    scan(
        html, [&r](std::string_view text) { r.out += safeText(text); },
        [&r](const Tag& tag) {
            const ElementRule* rule = ruleOf(tag.name);
            if (!rule)
                return;
            if (tag.closing)
                r.close(tag.name);
            else
                r.open(tag, *rule);
        });
    r.finish();
    return r.out;
}

}  // namespace helphtml
