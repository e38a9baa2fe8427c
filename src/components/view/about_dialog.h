#pragma once
// The about window as the about box laid it out, and the platform side of the about box.
#include <QDialog>
#include <functional>

#include "components/t_orvane_about_box.h"

class QLabel;
class QPushButton;

class AboutDialog : public QDialog {
public:
    AboutDialog(const TAbout& about, const QPixmap& logo, QWidget* parent = nullptr);

    // The small font the about window's lines are designed for.
    static QFont textFont();
};

class QtAboutBoxPlatform : public AboutBoxPlatform {
public:
    // hostPath turns the Windows path of a picture file into the host's.
    QtAboutBoxPlatform(QWidget* parent, std::function<std::string(const std::string&)> hostPath);

    int textWidth(const std::string& text) const override;
    std::optional<PictureSize> pictureSize(const TAbout::Picture& picture) const override;
    bool runModal(const TAbout& window) override;

    QPixmap picture(const TAbout::Picture& picture) const;
    // Tests look at the window while it is shown.
    std::function<void(AboutDialog&)> onShown;

private:
    QWidget* m_parent;
    std::function<std::string(const std::string&)> m_hostPath;
};
