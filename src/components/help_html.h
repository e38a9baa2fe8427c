#pragma once
// A forgiving reader of the little HTML the help pages use: links with their list depth,
// the page title and the plain text. Damaged input gives less, never a hang.
#include <string>
#include <string_view>
#include <vector>

namespace helphtml {

struct Link {
    std::string href;
    std::string text;
    int depth = 0;  // lists open around the link
};

std::vector<Link> links(std::string_view html);

// The items of the page's lists, in order: each item's own text (without its nested lists),
// the first link directly in it ("" when none) and the lists open around it (1 for the top).
struct ListItem {
    std::string text;
    std::string href;
    int depth = 0;
    int list = 0;  // which of the page's top-level lists, from 0
};
std::vector<ListItem> listItems(std::string_view html);
// The <title>, else the first <h1>, else "".
std::string title(std::string_view html);
// Text without tags, scripts and styles; entities decoded, white space collapsed.
std::string plainText(std::string_view html);
std::string decodeEntities(std::string_view text);
// The text made safe to stand in a page.
std::string escape(std::string_view text);
// The page rebuilt from the tags and attributes the help uses, every element closed and the
// nesting bounded, so that a damaged page can neither stall nor break the window showing it.
std::string sanitize(std::string_view html);

}  // namespace helphtml
