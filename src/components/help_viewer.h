#pragma once
// The help viewers a router can hand requests to: the HTML help viewer and the old-style one.
// Platforms implement them; tests record what reached them.
#include <string>

#include "components/help_request.h"

// The description of a text pop-up, laid out as the HTML help viewer expects it.
struct HelpPopup {
    int structSize = 52;
    std::string module;   // empty: no module
    long topic = 0;       // 0 when a text is given
    std::string text;
    HelpPoint position;
    long foreground = -1;  // -1: the default colour
    long background = -1;
    int marginLeft = -1, marginTop = -1, marginRight = -1, marginBottom = -1;
    std::string font = "MS Sans Serif, 8";
};

class HtmlHelpViewer {
public:
    virtual ~HtmlHelpViewer() = default;
    // Loads the viewer for this help file; false when it cannot serve it.
    virtual bool load(const std::string& helpFile) = 0;
    // Where the viewer looks for the help file's pages, as the user would look for them.
    virtual std::string location(const std::string& helpFile) const = 0;

    virtual bool showTopic(HelpWindowHandle caller, const std::string& helpFile, long topic) = 0;
    virtual bool showContents(HelpWindowHandle caller, const std::string& helpFile) = 0;
    // The index, placed at the keyword (anywhere when empty).
    virtual bool showIndex(HelpWindowHandle caller, const std::string& helpFile, const std::string& keyword) = 0;
    virtual bool closeAll() = 0;
    // source: "<help file>::/<topic file>" for a topic, empty for a plain text.
    virtual bool showPopup(HelpWindowHandle caller, const std::string& source, const HelpPopup& popup) = 0;
};

class OldHelpViewer {
public:
    virtual ~OldHelpViewer() = default;
    virtual bool winHelp(HelpWindowHandle caller, const std::string& helpFile, int command, const HelpData& data) = 0;
};
