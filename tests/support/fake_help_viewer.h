#pragma once
// Help viewers that record what reaches them.
#include <string>
#include <vector>

#include "components/help_viewer.h"

struct FakeHtmlHelpViewer : HtmlHelpViewer {
    struct Call {
        std::string what;  // "topic", "contents", "index", "close", "popup"
        HelpWindowHandle caller = 0;
        std::string file;  // the help file, or the pop-up's source
        long topic = 0;
        std::string keyword;
        HelpPopup popup;
    };

    bool load(const std::string& helpFile) override
    {
        loads.push_back(helpFile);
        return loadable;
    }
    std::string location(const std::string& helpFile) const override { return "/opt/" + helpFile; }
    bool showTopic(HelpWindowHandle caller, const std::string& file, long topic) override
    {
        calls.push_back({"topic", caller, file, topic, {}, {}});
        return accepts;
    }
    bool showContents(HelpWindowHandle caller, const std::string& file) override
    {
        calls.push_back({"contents", caller, file, 0, {}, {}});
        return accepts;
    }
    bool showIndex(HelpWindowHandle caller, const std::string& file, const std::string& keyword) override
    {
        calls.push_back({"index", caller, file, 0, keyword, {}});
        return accepts;
    }
    bool closeAll() override
    {
        calls.push_back({"close", 0, {}, 0, {}, {}});
        return accepts;
    }
    bool showPopup(HelpWindowHandle caller, const std::string& source, const HelpPopup& popup) override
    {
        calls.push_back({"popup", caller, source, popup.topic, {}, popup});
        return accepts;
    }

    bool loadable = true;
    bool accepts = true;
    std::vector<std::string> loads;
    std::vector<Call> calls;
};

struct FakeOldHelpViewer : OldHelpViewer {
    struct Call {
        HelpWindowHandle caller;
        std::string file;
        int command;
    };
    bool winHelp(HelpWindowHandle caller, const std::string& file, int command, const HelpData&) override
    {
        calls.push_back({caller, file, command});
        return accepts;
    }
    bool accepts = true;
    std::vector<Call> calls;
};
