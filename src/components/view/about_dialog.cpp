#include "components/view/about_dialog.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "platform/qt/qt_text.h"

namespace {

QPixmap builtInLogo()
{
    return QPixmap(":/help/logo.png");
}

}  // namespace

QFont AboutDialog::textFont()
{
    QFont f = QApplication::font();
    f.setPixelSize(11);
    return f;
}

AboutDialog::AboutDialog(const TAbout& about, const QPixmap& logo, QWidget* parent) : QDialog(parent)
{
    setObjectName("TAbout");
    setWindowTitle(toQ(about.caption));
    // The hints alone leave the window manager its usual buttons: only a close button is asked for.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint |
                   Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(true);
    setFont(textFont());
    setFixedSize(about.width, about.height);

    const std::pair<const char*, const AboutLabel*> labels[] = {
        {"WTitle", &about.WTitle}, {"WCopyright", &about.WCopyright},
        {"WAuthor", &about.WAuthor}, {"WVersion", &about.WVersion}};
    for (const auto& [name, label] : labels) {
        auto* l = new QLabel(toQ(label->caption), this);
        l->setObjectName(name);
        l->setTextFormat(Qt::PlainText);
        l->setGeometry(label->x, label->y, label->width, label->height);
    }
    auto* picture = new QLabel(this);
    picture->setObjectName("Logo");
    picture->setPixmap(logo);
    picture->setGeometry(about.Logo.x, about.Logo.y, about.Logo.width, about.Logo.height);

    auto* ok = new QPushButton(toQ(about.OkButton.caption), this);
    ok->setObjectName("OkButton");
    ok->setDefault(true);
    ok->setGeometry(about.OkButton.x, about.OkButton.y, about.OkButton.width, about.OkButton.height);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

QtAboutBoxPlatform::QtAboutBoxPlatform(QWidget* parent, std::function<std::string(const std::string&)> hostPath)
    : m_parent(parent), m_hostPath(std::move(hostPath))
{
}

int QtAboutBoxPlatform::textWidth(const std::string& text) const
{
    return QFontMetrics(AboutDialog::textFont()).horizontalAdvance(toQ(text));
}

QPixmap QtAboutBoxPlatform::picture(const TAbout::Picture& picture) const
{
    switch (picture.source) {
    case TAbout::PictureSource::BuiltInLogo:
        return builtInLogo();
    case TAbout::PictureSource::File: {
        const std::string host = m_hostPath ? m_hostPath(picture.file) : std::string();
        return host.empty() ? QPixmap() : QPixmap(hostPathToQ(host));
    }
    case TAbout::PictureSource::ApplicationIcon:
        break;
    }
    const QIcon icon = QApplication::windowIcon();
    return icon.isNull() ? builtInLogo() : icon.pixmap(QSize(32, 32));
}

std::optional<PictureSize> QtAboutBoxPlatform::pictureSize(const TAbout::Picture& p) const
{
    const QPixmap pixmap = picture(p);
    if (pixmap.isNull())
        return std::nullopt;
    const QSize size = pixmap.deviceIndependentSize().toSize();
    return PictureSize{size.width(), size.height()};
}

bool QtAboutBoxPlatform::runModal(const TAbout& window)
{
    AboutDialog dialog(window, picture(window.Logo), m_parent);
    // Centred on the screen, as the window is designed.
    if (QScreen* screen = m_parent ? m_parent->screen() : QGuiApplication::primaryScreen())
        dialog.move(screen->availableGeometry().center() - dialog.rect().center());
    if (onShown)
        QTimer::singleShot(0, &dialog, [this, &dialog] { onShown(dialog); });
    return dialog.exec() == QDialog::Accepted;
}
