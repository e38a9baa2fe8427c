#pragma once
// Routes the application's help requests to the HTML help viewer or the old-style viewer.
// Installs itself as the application's help handler for its lifetime.
#include <string>

#include "components/help_application.h"
#include "components/help_viewer.h"

enum class THelpType { htWinhelp, htHTMLhelp, htMixedMode };
enum class TShowType { stDefault, stMain, stPopup };

class THelpRouter {
public:
    THelpRouter(HelpApplication& application, HelpForm owner);
    ~THelpRouter();
    THelpRouter(const THelpRouter&) = delete;
    THelpRouter& operator=(const THelpRouter&) = delete;

    THelpType HelpType = THelpType::htWinhelp;
    TShowType ShowType = TShowType::stDefault;
    std::string Helpfile;
    std::string CHMPopupTopics = "CSHelp.txt";
    HelpHandler OnHelp;

    // The viewers; none means the platform has that viewer missing.
    void setViewers(HtmlHelpViewer* html, OldHelpViewer* old)
    {
        if (html != m_html)
            m_loaded = false;  // another viewer, or none: loaded again on first use
        m_html = html;
        m_old = old;
    }
    HelpPoint pendingPopupPosition() const { return m_pendingPopup; }
    bool viewerLoaded() const { return m_loaded; }

    // The application's help handler.
    bool route(int command, const HelpData& data, bool& callHelp);

    // The help file's name with its extension replaced (or added).
    static std::string withExtension(const std::string& file, const std::string& extension);

private:
    bool viaOldViewer(HelpWindowHandle window, const std::string& file, int command, const HelpData& data,
                      bool& callHelp);
    bool viaHtmlViewer(HelpWindowHandle window, const std::string& file, int command, const HelpData& data,
                       bool& callHelp);
    bool popup(HelpWindowHandle window, const std::string& chm, const HelpData& data);

    HelpApplication& m_app;
    HelpForm m_owner;
    HelpHandler m_previous;
    HtmlHelpViewer* m_html = nullptr;
    OldHelpViewer* m_old = nullptr;
    bool m_loaded = false;
    HelpPoint m_pendingPopup;  // (0, 0): none
};
