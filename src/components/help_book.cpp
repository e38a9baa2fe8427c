#include "components/help_book.h"

#include <algorithm>
#include <cctype>

#include "components/help_html.h"
#include "platform/host/files.h"
#include "platform/paths/win_path.h"

const char* const HelpBook::NoPopupText = "No help topic is associated with this item.";

namespace {

std::string sizeText(std::size_t bytes)
{
    if (bytes >= 1024 * 1024) {
        const std::size_t tenths = bytes * 10 / (1024 * 1024);
        return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " MB";
    }
    return std::to_string((bytes + 1023) / 1024) + " KB";
}

std::vector<std::string> words(const std::string& text)
{
    std::vector<std::string> out;
    std::string word;
    for (char c : text + " ") {
        if (std::isspace(static_cast<unsigned char>(c))) {
            if (!word.empty())
                out.push_back(winpath::lower(word));
            word.clear();
        } else {
            word += c;
        }
    }
    return out;
}

std::size_t count(const std::string& haystack, const std::string& needle)
{
    std::size_t n = 0;
    for (auto at = haystack.find(needle); at != std::string::npos; at = haystack.find(needle, at + needle.size()))
        ++n;
    return n;
}

}  // namespace

HelpBook::HelpBook(const Files& files, const std::string& helpFile) : m_files(files), m_folder(folderOf(helpFile))
{
}

std::string HelpBook::folderOf(const std::string& helpFile)
{
    return winpath::withoutExtension(helpFile);
}

std::string HelpBook::topicPage(long topic)
{
    return "topic" + std::to_string(topic) + ".html";
}

bool HelpBook::exists() const
{
    return !m_folder.empty() && m_files.folderExists(m_folder);
}

std::optional<std::string> HelpBook::pathOf(const std::string& name) const
{
    // Only plain names of this folder: a page cannot reach outside it.
    const std::string bare = name.substr(0, name.find('#'));
    if (bare.empty() || bare.find_first_of("\\/:") != std::string::npos || bare.find("..") != std::string::npos)
        return std::nullopt;
    return winpath::join(m_folder, bare);
}

std::optional<std::string> HelpBook::resource(const std::string& name) const
{
    const auto path = pathOf(name);
    if (!path)
        return std::nullopt;
    return m_files.readBytes(*path);
}

HelpBook::Page HelpBook::page(const std::string& name) const
{
    Page p;
    p.name = name.substr(0, name.find('#'));
    auto bytes = resource(p.name);
    if (!bytes)
        return p;
    p.found = true;
    std::string& html = *bytes;
    std::replace(html.begin(), html.end(), '\0', ' ');
    if (html.size() > PageLimit) {
        const std::size_t whole = html.size();
        // Cut after a tag where one is near, so the last line is not a broken tag.
        std::size_t cut = html.rfind('>', PageLimit);
        if (cut == std::string::npos || cut + 4096 < PageLimit)
            cut = PageLimit;
        else
            ++cut;
        html.resize(cut);
        p.cut = true;
        html = "<p><b>This page is " + sizeText(whole) + " long; Tarnel shows its first " + sizeText(PageLimit) +
               ".</b></p>" + html;
    }
    p.html = helphtml::sanitize(html);
    return p;
}

HelpBook::Page HelpBook::topic(long topic) const
{
    Page p = page(topicPage(topic));
    if (p.found)
        return p;
    const std::string n = std::to_string(topic);
    p.html = missingPage("No page for topic " + n, "Tarnel's help has no page for help topic " + n + ".");
    return p;
}

HelpBook::Page HelpBook::show(const std::string& name) const
{
    const std::string bare = winpath::lower(name.substr(0, name.find('#')));
    const std::string prefix = "topic", suffix = ".html";
    if (bare.size() > prefix.size() + suffix.size() && bare.rfind(prefix, 0) == 0 &&
        bare.compare(bare.size() - suffix.size(), suffix.size(), suffix) == 0) {
        long long n = 0;
        const std::string digits = bare.substr(prefix.size(), bare.size() - prefix.size() - suffix.size());
        if (digits.find_first_not_of("0123456789") == std::string::npos && winpath::parseInt(digits, n))
            return topic(static_cast<long>(n));
    }
    Page p = page(name);
    if (!p.found)
        p.html = missingPage("Page not found", "Tarnel's help has no page named " + p.name + ".");
    return p;
}

std::string HelpBook::missingPage(const std::string& title, const std::string& what) const
{
    std::string html = "<html><head><title>" + helphtml::escape(title) +
                       "</title><link rel=\"stylesheet\" type=\"text/css\" href=\"tarnel.css\"></head><body><h1>" +
                       helphtml::escape(title) + "</h1><p>" + helphtml::escape(what);
    const auto entries = contents();
    if (entries.empty()) {
        html += " Its contents page is missing as well.</p>";
    } else {
        html += " These are the pages it has:</p><ul>";
        for (const Entry& e : entries)
            html += "<li><a href=\"" + helphtml::escape(e.target) + "\">" + helphtml::escape(e.title) + "</a></li>";
        html += "</ul>";
    }
    return html + "</body></html>";
}

std::vector<HelpBook::Entry> HelpBook::entriesOf(const char* pageName, bool firstListOnly) const
{
    const Page p = page(pageName);
    std::vector<Entry> out;
    if (!p.found)
        return out;
    const auto items = helphtml::listItems(p.html);
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (firstListOnly && items[i].list > 0)
            break;
        // An item without a link leads where its first sub-item leads.
        std::string target = items[i].href;
        for (std::size_t k = i + 1; target.empty() && k < items.size() && items[k].depth > items[i].depth; ++k)
            target = items[k].href;
        if (items[i].text.empty() || target.empty() || target.find(':') != std::string::npos)
            continue;  // nothing to show, nowhere to go, or out of the help
        out.push_back({items[i].text, target, items[i].depth - 1});
    }
    return out;
}

std::vector<HelpBook::Entry> HelpBook::contents() const
{
    return entriesOf(ContentsPage, true);
}

std::vector<HelpBook::Entry> HelpBook::index() const
{
    return entriesOf(IndexPage, false);
}

std::vector<HelpBook::Entry> HelpBook::search(const std::string& text) const
{
    const auto wanted = words(text);
    if (wanted.empty())
        return {};
    std::vector<std::pair<std::size_t, Entry>> hits;
    auto names = m_files.list(m_folder, "*.html");
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        if (winpath::equalsNoCase(name, IndexPage))
            continue;  // every keyword is there; it would head every result
        const Page p = page(name);
        const std::string plain = winpath::lower(helphtml::plainText(p.html));
        std::size_t total = 0;
        bool all = true;
        for (const std::string& w : wanted) {
            const std::size_t n = count(plain, w);
            all = all && n > 0;
            total += n;
        }
        if (!all)
            continue;
        std::string title = helphtml::title(p.html);
        hits.push_back({total, {title.empty() ? name : title, name, 0}});
    }
    std::stable_sort(hits.begin(), hits.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<Entry> out;
    for (auto& h : hits)
        out.push_back(std::move(h.second));
    return out;
}

std::string HelpBook::popupText(const std::string& topicFile, long topic) const
{
    const auto bytes = resource(topicFile);
    if (!bytes)
        return NoPopupText;
    std::string text;
    bool inTopic = false;
    for (const std::string& line : splitLines(*bytes)) {
        const std::string t = winpath::trim(line);
        if (t.rfind(".topic", 0) == 0) {
            if (inTopic)
                break;
            long long n = 0;
            inTopic = winpath::parseInt(winpath::trim(t.substr(6)), n) && n == topic;
            continue;
        }
        if (inTopic)
            text += (text.empty() || t.empty() ? "" : " ") + t;
    }
    return text.empty() ? NoPopupText : text;
}

std::pair<std::string, std::string> HelpBook::splitPopupSource(const std::string& source)
{
    const auto at = source.find("::/");
    if (at == std::string::npos)
        return {source, {}};
    return {source.substr(0, at), source.substr(at + 3)};
}

std::string HelpBook::missingFolderMessage(const std::string& where)
{
    return "Tarnel's help pages were not found.\rThey belong in the folder " + where +
           "\rBuilding Tarnel puts them there.";
}
