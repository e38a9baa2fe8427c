#include "components/help_handlers.h"

#include "app/tembedded.h"
#include "components/help_book.h"
#include "components/version_strings.h"

HelpHandlers::HelpHandlers(TEmbedded& app)
    : m_app(app), m_versions(app.host().programFile), m_application(app.helpFile),
      m_about(app.host().files, m_versions, TEmbedded::ApplicationTitle, app.host().programFile),
      m_web(app.host().shell), m_email(app.host().shell)
{
    m_application.defaultHelp = [this](int command, const HelpData& data) { return defaultHelp(command, data); };
    m_router = std::make_unique<THelpRouter>(m_application, HelpForm{m_application.window, {}});
    m_router->HelpType = THelpType::htHTMLhelp;

    m_about.Width = 130;
    m_about.Height = 180;

    m_web.Choose = LinkType::ltURL;
    m_web.setURLorEMAIL(versionstrings::WebAddress);
    m_email.Choose = LinkType::ltEMAIL;
    m_email.setURLorEMAIL(versionstrings::MailAddress);

    ControlSet& c = app.controls();
    c["HelpContents"].onActivate([this](const Sender&) { Help2Click(); });
    c["About1"].onActivate([this](const Sender&) { About1Click(); });
    c["Email1"].onActivate([this](const Sender&) { emailOrvane1Click(); });
    c["Web1"].onActivate([this](const Sender&) { OrvaneontheWeb1Click(); });
    for (const char* item : {"WizardHelp", "StatusbarHelp"})
        c[item].onActivate([this](const Sender& s) { HelpbtnClick(s); });
}

HelpHandlers::~HelpHandlers() = default;

void HelpHandlers::setViewer(HtmlHelpViewer* viewer)
{
    m_viewer = viewer;
    m_router->setViewers(viewer, nullptr);
}

void HelpHandlers::HelpbtnClick(const Sender& sender)
{
    if (sender.kind == SenderKind::MenuItem || sender.kind == SenderKind::Button)
        m_app.requestHelp(sender.helpContext);
}

void HelpHandlers::showTopic(int topic)
{
    m_application.helpContext(topic);
}

void HelpHandlers::Help2Click()
{
    m_application.helpCommand(HelpCommand::Finder, {});
}

bool HelpHandlers::About1Click()
{
    return m_about.show();
}

void HelpHandlers::emailOrvane1Click()
{
    m_email.open();
}

void HelpHandlers::OrvaneontheWeb1Click()
{
    m_web.open();
}

bool HelpHandlers::defaultHelp(int command, const HelpData&)
{
    // No old-style viewer here. A viewer that could not serve the help file is a missing
    // help folder: say where the pages were looked for.
    if (m_viewer && command != HelpCommand::Quit) {
        const std::string chm = THelpRouter::withExtension(m_app.helpFile, ".chm");
        m_app.message(HelpBook::missingFolderMessage(m_viewer->location(chm)), MsgButtons::Ok, MsgIcon::Warning);
    }
    return false;
}
