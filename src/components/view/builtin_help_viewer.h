#pragma once
// The HTML help viewer of platforms without one: the help file is served by the built-in
// help window, from the folder the help file's name maps to.
#include <QPointer>
#include <functional>

#include "components/help_viewer.h"

class Files;
class HelpPopupWindow;
class HelpWindow;

class BuiltInHelpViewer : public HtmlHelpViewer {
public:
    // hostPath turns a Windows path into the host's, for telling the user where to look.
    BuiltInHelpViewer(const Files& files, std::function<std::string(const std::string&)> hostPath);
    ~BuiltInHelpViewer() override;

    bool load(const std::string& helpFile) override;
    std::string location(const std::string& helpFile) const override;
    bool showTopic(HelpWindowHandle caller, const std::string& helpFile, long topic) override;
    bool showContents(HelpWindowHandle caller, const std::string& helpFile) override;
    bool showIndex(HelpWindowHandle caller, const std::string& helpFile, const std::string& keyword) override;
    bool closeAll() override;
    bool showPopup(HelpWindowHandle caller, const std::string& source, const HelpPopup& popup) override;

    // The window, created on first use and kept between requests.
    HelpWindow* window(const std::string& helpFile);
    HelpWindow* existingWindow() const;
    HelpPopupWindow* popupWindow() const;

private:
    const Files& m_files;
    std::function<std::string(const std::string&)> m_hostPath;
    QPointer<HelpWindow> m_window;
    QPointer<HelpPopupWindow> m_popup;
};
