#pragma once
// The hyperlink label: one blue, underlined text that opens a web address or starts a mail
// message through the shell.
#include <functional>
#include <string>

class Shell;

enum class LinkType { ltURL, ltEMAIL };

class TKURL2 {
public:
    static const char* const DefaultHint;
    static constexpr int ControlHeight = 13;

    explicit TKURL2(Shell& shell) : m_shell(shell) {}

    const std::string& URLorEMAIL() const { return m_text; }
    // The label's text; the control follows the label's width.
    void setURLorEMAIL(const std::string& text);
    bool ShowHint = true;
    LinkType Choose = LinkType::ltURL;
    std::string Hint = DefaultHint;

    // What the shell is asked to open.
    std::string target() const;
    void open() const;

    // Views re-size the control when the text changes.
    std::function<void()> onTextChanged;

private:
    Shell& m_shell;
    std::string m_text;
};
