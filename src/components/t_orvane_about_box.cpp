#include "components/t_orvane_about_box.h"

#include <algorithm>

#include "components/version_strings.h"

const char* const TOrvaneAboutBox::DefaultCopyright = versionstrings::Copyright;
const char* const TOrvaneAboutBox::AuthorLine = versionstrings::Author;

TOrvaneAboutBox::TOrvaneAboutBox(const Files& files, const VersionResources& resources,
                                 std::string applicationTitle, std::string programFile)
    : m_files(files), m_resources(resources), m_applicationTitle(std::move(applicationTitle)),
      m_programFile(std::move(programFile))
{
}

void TOrvaneAboutBox::placeOnScreen(int screenWidth, int screenHeight)
{
    Top = screenHeight / 2;
    Left = screenWidth / 2;
}

TAbout TOrvaneAboutBox::layout()
{
    TAbout w(m_files, m_resources);
    if (Title.empty())
        Title = m_applicationTitle;
    w.caption = Caption;
    w.GetVersion.setFileName(Filename);
    if (Author.empty())
        Author = AuthorLine;

    const auto& strings = w.GetVersion.VersionStrings;
    w.WVersion.caption = strings.size() >= 3 ? "Version " + strings[2] : Version;
    w.WTitle.caption = Title;
    w.WCopyright.caption = Copyright;
    w.WAuthor.caption = Author;

    if (DefaultIcon) {
        w.Logo.source = TAbout::PictureSource::BuiltInLogo;
    } else if (!IconFile.empty()) {
        w.Logo.source = TAbout::PictureSource::File;
        w.Logo.file = IconFile;
    } else {
        w.Logo.source = TAbout::PictureSource::ApplicationIcon;
    }
    std::optional<PictureSize> picture = m_platform ? m_platform->pictureSize(w.Logo) : PictureSize{};
    if (!picture) {
        // An unreadable picture file leaves the application's icon in its place.
        w.Logo.source = TAbout::PictureSource::ApplicationIcon;
        w.Logo.file.clear();
        picture = m_platform->pictureSize(w.Logo).value_or(PictureSize{});
    }
    w.Logo.width = picture->width;
    w.Logo.height = picture->height;

    AboutLabel* const labels[] = {&w.WTitle, &w.WCopyright, &w.WAuthor, &w.WVersion};
    int widest = 0;
    for (AboutLabel* l : labels) {
        l->width = m_platform ? m_platform->textWidth(l->caption) : 0;
        widest = std::max(widest, l->width);
    }

    if (picture->width >= Width)
        Width = picture->width + 8;
    Width = std::max(Width, 120);
    Width = std::max(Width, (TextCentered ? 0 : TextLeft) + widest + 2 * TextMargin);
    if (Height < picture->height + 150)
        Height = picture->height + 150;
    w.OkButton.y = picture->height + 90;
    w.width = Width;
    w.height = Height;

    for (AboutLabel* l : labels)
        l->x = TextCentered ? w.width / 2 - l->width / 2 : TextLeft;
    w.Logo.x = w.width / 2 - w.Logo.width / 2;
    w.OkButton.width = w.width - 60;
    w.OkButton.x = w.width / 2 - w.OkButton.width / 2;
    return w;
}

bool TOrvaneAboutBox::show()
{
    if (!m_platform)
        return false;
    const TAbout w = layout();
    return m_platform->runModal(w);
}

std::string TOrvaneAboutBox::FileVersionText() const
{
    // The reader of a window that is never shown.
    TAbout w(m_files, m_resources);
    w.GetVersion.setFileName(m_programFile);
    const auto& strings = w.GetVersion.VersionStrings;
    return strings.size() >= 3 ? strings[2] : Version;
}
