#include <QAction>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QToolBar>
#include <gtest/gtest.h>
#include <set>

#include "app/view/main_window.h"
#include "app/view/tool_icons.h"
#include "support/app_fixture.h"

namespace {

int opaquePixels(const QImage& image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += qAlpha(image.pixel(x, y)) > 128;
    return n;
}

// Installs a theme that has a picture for "document-open" only, for the life of the object.
struct OneIconTheme {
    QTemporaryDir dir;
    QStringList oldPaths = QIcon::themeSearchPaths();
    QString oldName = QIcon::themeName();

    OneIconTheme()
    {
        QDir root(dir.path());
        root.mkpath("tarneltest/24x24/actions");
        QFile index(root.filePath("tarneltest/index.theme"));
        index.open(QIODevice::WriteOnly);
        index.write("[Icon Theme]\nName=tarneltest\nDirectories=24x24/actions\n\n"
                    "[24x24/actions]\nSize=24\nType=Fixed\n");
        index.close();
        QImage picture(24, 24, QImage::Format_ARGB32);
        picture.fill(Qt::magenta);
        picture.save(root.filePath("tarneltest/24x24/actions/document-open.png"));
        QIcon::setThemeSearchPaths({dir.path()});
        QIcon::setThemeName("tarneltest");
    }
    ~OneIconTheme()
    {
        QIcon::setThemeSearchPaths(oldPaths);
        QIcon::setThemeName(oldName);
    }
};

TEST(ToolIcons, EveryButtonHasAPictureOfItsOwnAtEverySize)
{
    AppFixture f;
    TEmbedded& app = f.make();
    MainWindow window(app);
    auto* bar = window.findChild<QToolBar*>("ToolBar");
    ASSERT_NE(bar, nullptr);
    std::set<qint64> pictures;
    int buttons = 0;
    for (QAction* a : bar->actions()) {
        if (a->isSeparator())
            continue;
        ++buttons;
        const QIcon own = toolicons::forButton(a->objectName().toStdString());
        ASSERT_FALSE(own.isNull()) << a->objectName().toStdString();
        for (int size : {16, 24, 32}) {
            const QImage image = own.pixmap(size).toImage();
            EXPECT_EQ(image.width(), size);
            // Drawn to fill its square, not a dot in a corner.
            EXPECT_GT(opaquePixels(image), size * size / 5) << a->objectName().toStdString() << " " << size;
        }
        EXPECT_FALSE(a->icon().isNull()) << a->objectName().toStdString();
        const QImage picture = own.pixmap(24).toImage();
        pictures.insert(static_cast<qint64>(qHashBits(picture.constBits(), static_cast<size_t>(picture.sizeInBytes()))));
    }
    EXPECT_EQ(buttons, 18);
    EXPECT_EQ(static_cast<int>(pictures.size()), buttons) << "two buttons share a picture";
    EXPECT_FALSE(window.windowIcon().isNull());
}

TEST(ToolIcons, OurPicturesAreDrawnEvenWhereTheThemeHasOne)
{
    OneIconTheme theme;
    const QIcon open = toolicons::forButton("OpenFileBtn");
    EXPECT_EQ(open.name(), "");
    EXPECT_NE(open.pixmap(24).toImage().pixel(12, 12), QColor(Qt::magenta).rgb());
    EXPECT_TRUE(toolicons::forButton("NoSuchButton").isNull());
}

}  // namespace
