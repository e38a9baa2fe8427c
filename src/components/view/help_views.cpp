#include "components/view/help_views.h"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QScreen>
#include <QWidget>

#include "app/tembedded.h"
#include "components/help_handlers.h"
#include "components/view/about_dialog.h"
#include "components/view/builtin_help_viewer.h"
#include "components/view/icon_when_used.h"
#include "components/view/kurl_label.h"
#include "platform/paths/drive_map.h"
#include "platform/qt/qt_text.h"

HelpViews::HelpViews(TEmbedded& app, QWidget& mainWindow, HostPath hostPath)
    : QObject(&mainWindow), m_app(app), m_mainWindow(mainWindow),
      m_viewer(std::make_unique<BuiltInHelpViewer>(app.host().files, hostPath)),
      m_about(std::make_unique<QtAboutBoxPlatform>(&mainWindow, hostPath))
{
    setObjectName("HelpViews");
    if (QApplication::windowIcon().isNull())
        QApplication::setWindowIcon(iconWhenUsed([] { return QIcon(":/help/tarnel.png"); }));

    HelpHandlers& help = app.help();
    help.setViewer(m_viewer.get());
    help.application().pointer = [] {
        const QPoint p = QCursor::pos();
        return HelpPoint{p.x(), p.y()};
    };
    TOrvaneAboutBox& about = help.aboutBox();
    about.setPlatform(m_about.get());
    if (QScreen* screen = QGuiApplication::primaryScreen())
        about.placeOnScreen(screen->geometry().width(), screen->geometry().height());
}

// The links live on a panel nobody sees; the Help menu runs them.
QWidget* HelpViews::linkPanel()
{
    if (m_links)
        return m_links;
    m_links = new QWidget(&m_mainWindow);
    m_links->setObjectName("LinkPanel");
    auto* row = new QHBoxLayout(m_links);
    HelpHandlers& help = m_app.help();
    for (auto [name, link] : {std::pair{"web", &help.web()}, std::pair{"email", &help.email()}}) {
        auto* label = new KUrlLabel(*link, m_links);
        label->setObjectName(name);
        row->addWidget(label);
    }
    m_links->hide();
    return m_links;
}

HelpViews::~HelpViews()
{
    HelpHandlers& help = m_app.help();
    help.setViewer(nullptr);
    help.application().pointer = nullptr;
    help.aboutBox().setPlatform(nullptr);
}

HelpViews::HostPath HelpViews::hostPathsOf(const DriveMap& map)
{
    return [&map](const std::string& windowsPath) -> std::string {
        const auto host = map.toHost(windowsPath);
        if (!host)
            return {};
        // Resolve the deepest part that exists; keep the rest as written.
        QString path = hostPathToQ(*host);
        QStringList rest;
        while (!path.isEmpty() && !QFileInfo::exists(path)) {
            const QFileInfo info(path);
            rest.prepend(info.fileName());
            const QString parent = info.path();
            if (parent == path)
                break;
            path = parent;
        }
        QString resolved = QFileInfo(path).canonicalFilePath();
        if (resolved.isEmpty())
            resolved = path;
        for (const QString& part : rest)
            resolved = QDir(resolved).filePath(part);
        return hostPathFromQ(QDir::toNativeSeparators(resolved));
    };
}

HelpViews* installHelpViews(TEmbedded& app, QWidget& mainWindow, const DriveMap& map)
{
    return new HelpViews(app, mainWindow, HelpViews::hostPathsOf(map));
}
