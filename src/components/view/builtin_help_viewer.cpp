#include "components/view/builtin_help_viewer.h"

#include "components/help_book.h"
#include "components/view/help_popup.h"
#include "components/view/help_window.h"

BuiltInHelpViewer::BuiltInHelpViewer(const Files& files, std::function<std::string(const std::string&)> hostPath)
    : m_files(files), m_hostPath(std::move(hostPath))
{
}

BuiltInHelpViewer::~BuiltInHelpViewer()
{
    delete m_window;
    delete m_popup;
}

bool BuiltInHelpViewer::load(const std::string& helpFile)
{
    return HelpBook(m_files, helpFile).exists();
}

std::string BuiltInHelpViewer::location(const std::string& helpFile) const
{
    const std::string folder = HelpBook::folderOf(helpFile);
    const std::string host = m_hostPath ? m_hostPath(folder) : std::string();
    return host.empty() ? folder : host;
}

HelpWindow* BuiltInHelpViewer::existingWindow() const
{
    return m_window;
}

HelpPopupWindow* BuiltInHelpViewer::popupWindow() const
{
    return m_popup;
}

HelpWindow* BuiltInHelpViewer::window(const std::string& helpFile)
{
    if (!m_window)
        m_window = new HelpWindow;
    m_window->setBook(std::make_unique<HelpBook>(m_files, helpFile));
    return m_window;
}

bool BuiltInHelpViewer::showTopic(HelpWindowHandle, const std::string& helpFile, long topic)
{
    window(helpFile)->showTopic(topic);
    return true;
}

bool BuiltInHelpViewer::showContents(HelpWindowHandle, const std::string& helpFile)
{
    window(helpFile)->showContents();
    return true;
}

bool BuiltInHelpViewer::showIndex(HelpWindowHandle, const std::string& helpFile, const std::string& keyword)
{
    window(helpFile)->showIndex(QString::fromStdString(keyword));
    return true;
}

bool BuiltInHelpViewer::closeAll()
{
    if (m_window)
        m_window->close();
    if (m_popup)
        m_popup->close();
    return true;
}

bool BuiltInHelpViewer::showPopup(HelpWindowHandle, const std::string& source, const HelpPopup& popup)
{
    std::string text = popup.text;
    if (!source.empty()) {
        const auto [helpFile, topicFile] = HelpBook::splitPopupSource(source);
        text = HelpBook(m_files, helpFile).popupText(topicFile, popup.topic);
    }
    if (!m_popup)
        m_popup = new HelpPopupWindow;
    m_popup->popUp(QString::fromStdString(text), QPoint(popup.position.x, popup.position.y));
    return true;
}
