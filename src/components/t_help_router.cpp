#include "components/t_help_router.h"

#include "platform/paths/win_path.h"

THelpRouter::THelpRouter(HelpApplication& application, HelpForm owner)
    : m_app(application), m_owner(std::move(owner)), m_previous(application.onHelp)
{
    m_app.onHelp = [this](int command, const HelpData& data, bool& callHelp) {
        return route(command, data, callHelp);
    };
}

THelpRouter::~THelpRouter()
{
    if (m_app.window != 0 && m_app.helpFile().empty())
        m_app.helpCommand(HelpCommand::Quit, {});
    m_app.onHelp = m_previous;
}

std::string THelpRouter::withExtension(const std::string& file, const std::string& extension)
{
    return winpath::withoutExtension(file) + extension;
}

bool THelpRouter::route(int command, const HelpData& data, bool& callHelp)
{
    bool result = false;
    if (OnHelp)
        result = OnHelp(command, data, callHelp);
    if (callHelp && m_previous)
        result = m_previous(command, data, callHelp);
    if (!callHelp)
        return result;

    if (ShowType == TShowType::stMain) {
        if (command == HelpCommand::ContextPopup)
            command = HelpCommand::Context;
        else if (command == HelpCommand::SetPopupPos)
            command = 0;
    }

    std::string file = m_app.helpFile();
    HelpWindowHandle window = m_app.window;
    const HelpForm form = m_app.currentForm().value_or(m_owner);
    if (form.window != 0 && !form.helpFile.empty()) {
        file = form.helpFile;
        window = form.window;
    }
    if (!Helpfile.empty()) {
        file = Helpfile;
        window = m_app.window;
    }

    const bool popupCommand = command == HelpCommand::ContextPopup || command == HelpCommand::SetPopupPos;
    const bool html =
        HelpType == THelpType::htHTMLhelp || (HelpType == THelpType::htMixedMode && !popupCommand);
    if (html)
        return viaHtmlViewer(window, file, command, data, callHelp);
    return viaOldViewer(window, file, command, data, callHelp);
}

bool THelpRouter::viaOldViewer(HelpWindowHandle window, const std::string& file, int command, const HelpData& data,
                               bool& callHelp)
{
    callHelp = false;
    if (command == 0)
        return true;
    return m_old && m_old->winHelp(window, withExtension(file, ".hlp"), command, data);
}

bool THelpRouter::viaHtmlViewer(HelpWindowHandle window, const std::string& file, int command, const HelpData& data,
                                bool& callHelp)
{
    const std::string chm = withExtension(file, ".chm");
    if (!m_loaded)
        m_loaded = m_html && m_html->load(chm);
    if (!m_loaded)
        return false;  // callHelp stays set: the platform's default handling follows
    callHelp = false;

    switch (command) {
    case HelpCommand::Context:
        return m_html->showTopic(window, chm, data.number);
    case HelpCommand::Quit:
        return m_html->closeAll();
    case HelpCommand::Contents:
    case HelpCommand::Finder:
        return m_html->showContents(window, chm);
    case HelpCommand::Tab:
        return data.number == 0 ? m_html->showContents(window, chm) : m_html->showIndex(window, chm, "");
    case HelpCommand::Key:
    case HelpCommand::PartialKey:
        return m_html->showIndex(window, chm, data.text);
    case HelpCommand::ContextPopup:
        return popup(window, chm, data);
    case HelpCommand::SetPopupPos:
        m_pendingPopup = data.point;
        return false;
    default:
        return false;
    }
}

bool THelpRouter::popup(HelpWindowHandle window, const std::string& chm, const HelpData& data)
{
    HelpPopup p;
    p.position = m_pendingPopup == HelpPoint{} ? m_app.pointerPosition() : m_pendingPopup;
    if (data.text.empty()) {
        p.topic = data.number;
        const std::string topics = CHMPopupTopics.empty() ? "CSHelp.txt" : CHMPopupTopics;
        m_html->showPopup(window, chm + "::/" + topics, p);
    } else {
        p.text = data.text;
        // A plain text goes to the active form's window; without one, to the window chosen.
        const auto form = m_app.currentForm();
        m_html->showPopup(form && form->window != 0 ? form->window : window, "", p);
    }
    m_pendingPopup = {};
    return true;
}
