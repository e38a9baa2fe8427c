#pragma once
// The about box: its properties, the about window it lays out for showing, and the version
// text of the running program.
#include <optional>
#include <string>

#include "components/t_get_version_info_from_file.h"

struct PictureSize {
    int width = 0;
    int height = 0;
};

struct AboutLabel {
    std::string caption;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 13;
};

// The about window as laid out for one showing.
struct TAbout {
    TAbout(const Files& files, const VersionResources& resources) : GetVersion(files, resources) {}

    enum class PictureSource { BuiltInLogo, File, ApplicationIcon };
    struct Picture {
        PictureSource source = PictureSource::BuiltInLogo;
        std::string file;
        int x = 0;
        int y = 80;
        int width = 0;
        int height = 0;
    };
    struct Button {
        std::string caption = "OK";
        int x = 0;
        int y = 0;
        int width = 0;
        int height = 25;
    };

    std::string caption;
    int width = 0;
    int height = 0;
    AboutLabel WTitle{{}, 0, 15};
    AboutLabel WCopyright{{}, 0, 30};
    AboutLabel WAuthor{{}, 0, 45};
    AboutLabel WVersion{{}, 0, 60};
    Picture Logo;
    Button OkButton;
    TGetVersionInfoFromFile GetVersion;
};

// What the about box needs of the platform: text and picture sizes, and the modal showing.
class AboutBoxPlatform {
public:
    virtual ~AboutBoxPlatform() = default;
    virtual int textWidth(const std::string& text) const = 0;
    // The size of the logo picture; none when a picture file cannot be read.
    virtual std::optional<PictureSize> pictureSize(const TAbout::Picture& picture) const = 0;
    // True when the window was closed with OK.
    virtual bool runModal(const TAbout& window) = 0;
};

class TOrvaneAboutBox {
public:
    static const char* const DefaultCopyright;
    static const char* const AuthorLine;
    // Room beside the longest text line, so that no line is cut at the window's edges.
    static constexpr int TextMargin = 8;

    TOrvaneAboutBox(const Files& files, const VersionResources& resources, std::string applicationTitle,
                    std::string programFile);

    std::string Title;
    std::string Version;
    std::string Copyright = DefaultCopyright;
    std::string Author;
    std::string Caption;
    std::string Filename;
    std::string IconFile;
    bool DefaultIcon = false;
    bool TextCentered = true;
    int TextLeft = 20;
    int Height = 250;
    int Width = 230;
    int Top = 0;
    int Left = 0;

    void setPlatform(AboutBoxPlatform* platform) { m_platform = platform; }
    // Top and Left default to the middle of the screen.
    void placeOnScreen(int screenWidth, int screenHeight);

    // Shows the about window modally; true when it was closed with OK.
    bool show();
    // The about window as show() lays it out (Width and Height keep the adjusted values).
    TAbout layout();
    // The running program's file version, else Version.
    std::string FileVersionText() const;

private:
    const Files& m_files;
    const VersionResources& m_resources;
    std::string m_applicationTitle;
    std::string m_programFile;
    AboutBoxPlatform* m_platform = nullptr;
};
