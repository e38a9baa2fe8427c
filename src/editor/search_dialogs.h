#pragma once
// The state of an editor window's find and replace dialogs. Both stay open while the user
// edits; their buttons run the window's handlers.
#include <functional>
#include <string>

struct ScreenPoint {
    int x = 0;
    int y = 0;
};

class SearchDialog {
public:
    std::string findText;
    ScreenPoint position;
    bool shown() const { return m_shown; }
    void show(ScreenPoint at);
    // Cancel, or the window went away.
    void close();
    void onChange(std::function<void()> fn) { m_onChange = std::move(fn); }

private:
    bool m_shown = false;
    std::function<void()> m_onChange;
};

// Searches downward; the match-case, whole-word and direction boxes are hidden.
class FindDialog : public SearchDialog {};

// The platform's default options: its match-case and whole-word boxes are shown, though no
// search consults them.
class ReplaceDialog : public SearchDialog {
public:
    std::string replaceText;
    bool matchCase = false;
    bool wholeWord = false;
};
