#pragma once
// Help on this platform: the built-in help window as the help viewer, the about window, the
// application's icon and the two links on a hidden panel of the main window (made when first
// asked for: nobody sees it, and its labels would load a cursor before the window appears).
#include <QObject>
#include <functional>
#include <memory>

class BuiltInHelpViewer;
class DriveMap;
class QtAboutBoxPlatform;
class QWidget;
class TEmbedded;

class HelpViews : public QObject {
public:
    using HostPath = std::function<std::string(const std::string&)>;
    HelpViews(TEmbedded& app, QWidget& mainWindow, HostPath hostPath);
    ~HelpViews() override;

    BuiltInHelpViewer& viewer() { return *m_viewer; }
    QtAboutBoxPlatform& aboutPlatform() { return *m_about; }
    QWidget* linkPanel();

    // The host path of a Windows path, through the drive map, with the drive's link resolved
    // so that the user can find the folder.
    static HostPath hostPathsOf(const DriveMap& map);

private:
    TEmbedded& m_app;
    QWidget& m_mainWindow;
    std::unique_ptr<BuiltInHelpViewer> m_viewer;
    std::unique_ptr<QtAboutBoxPlatform> m_about;
    QWidget* m_links = nullptr;
};

// Owned by the main window; one line at start.
HelpViews* installHelpViews(TEmbedded& app, QWidget& mainWindow, const DriveMap& map);
