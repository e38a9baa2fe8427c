#pragma once
// The help file as a folder of pages: "...\Docs\Tarnel.chm" is the folder "...\Docs\Tarnel",
// with one page per topic number, a contents page, a keyword index and the pop-up texts.
// Everything a help window shows comes from here, so every rule is testable without one.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

class Files;

class HelpBook {
public:
    static constexpr const char* ContentsPage = "contents.html";
    static constexpr const char* IndexPage = "index.html";
    // Pages beyond this are shown cut, so that a damaged page cannot stall the window.
    static constexpr std::size_t PageLimit = 256 * 1024;

    HelpBook(const Files& files, const std::string& helpFile);

    static std::string folderOf(const std::string& helpFile);
    static std::string topicPage(long topic);

    const std::string& folder() const { return m_folder; }
    bool exists() const;

    struct Page {
        std::string name;
        std::string html;
        bool found = false;
        bool cut = false;
    };
    // A page of the folder by its name (an anchor after '#' is ignored), rebuilt from the
    // markup the help uses.
    Page page(const std::string& name) const;
    // The topic's page; a topic without one gives a page that says so and lists the contents.
    Page topic(long topic) const;
    // What a link to this name shows: the topic's page for a topic page's name, the page
    // itself, or a page that says it is missing and lists the contents.
    Page show(const std::string& name) const;
    // Any other file of the folder (style sheet, picture), as it is.
    std::optional<std::string> resource(const std::string& name) const;

    struct Entry {
        std::string title;
        std::string target;  // page name, possibly with "#anchor"
        int level = 0;
    };
    // The contents: the items of the contents page's first list. The index: the items of
    // every list of the index page. An item without a link leads where its first sub-item does.
    std::vector<Entry> contents() const;
    std::vector<Entry> index() const;
    // Pages holding every word, most hits first.
    std::vector<Entry> search(const std::string& words) const;

    // The pop-up text of a topic from a topic file of the folder (".topic <n>" starts a topic).
    std::string popupText(const std::string& topicFile, long topic) const;

    // The source of a pop-up, "<help file>::/<topic file>", split into its two names.
    static std::pair<std::string, std::string> splitPopupSource(const std::string& source);

    static std::string missingFolderMessage(const std::string& where);
    static const char* const NoPopupText;

private:
    std::optional<std::string> pathOf(const std::string& name) const;
    std::string missingPage(const std::string& title, const std::string& what) const;
    std::vector<Entry> entriesOf(const char* page, bool firstListOnly) const;

    const Files& m_files;
    std::string m_folder;
};
