#pragma once
// The main window's help: the router with its viewers, the Help menu's commands, the help
// buttons' shared handler, the about box and the two links.
#include <memory>

#include "components/help_application.h"
#include "components/t_help_router.h"
#include "components/t_kurl2.h"
#include "components/t_orvane_about_box.h"
#include "components/version_resource.h"

class TEmbedded;
struct Sender;

class HelpHandlers {
public:
    explicit HelpHandlers(TEmbedded& app);
    ~HelpHandlers();
    HelpHandlers(const HelpHandlers&) = delete;
    HelpHandlers& operator=(const HelpHandlers&) = delete;

    HelpApplication& application() { return m_application; }
    THelpRouter& HelpRouter1() { return *m_router; }
    TOrvaneAboutBox& aboutBox() { return m_about; }
    TKURL2& web() { return m_web; }
    TKURL2& email() { return m_email; }

    // The platform's HTML help viewer; none leaves every request to the default handling.
    void setViewer(HtmlHelpViewer* viewer);
    HtmlHelpViewer* viewer() const { return m_viewer; }

    // Every help button and help item: the topic is the sender's help context.
    void HelpbtnClick(const Sender& sender);
    // "&Help": the help file's contents.
    void Help2Click();
    bool About1Click();
    void emailOrvane1Click();
    void OrvaneontheWeb1Click();

    // Asks the application for a topic, as every help request does.
    void showTopic(int topic);

private:
    bool defaultHelp(int command, const HelpData& data);

    TEmbedded& m_app;
    EmbeddedVersionResources m_versions;
    HelpApplication m_application;
    std::unique_ptr<THelpRouter> m_router;
    HtmlHelpViewer* m_viewer = nullptr;
    TOrvaneAboutBox m_about;
    TKURL2 m_web;
    TKURL2 m_email;
};
