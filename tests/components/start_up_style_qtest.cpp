#include <QMainWindow>
#include <QPainter>
#include <QStyleFactory>
#include <QToolBar>
#include <QStyleOption>
#include <gtest/gtest.h>
#include <memory>

#include "components/view/start_up_style.h"

namespace {

// The arrows looked up when first drawn are the pictures the style itself gives, in either
// writing direction.
TEST(StartUpStyle, TheOverflowArrowsAreTheStylesOwnPictures)
{
    StartUpStyle deferred(QStyleFactory::create("Fusion"));
    QStyle* own = QStyleFactory::create("Fusion");
    struct Case {
        QStyle::StandardPixmap kind;
        Qt::LayoutDirection direction;
    };
    const Case cases[] = {
        {QStyle::SP_ToolBarHorizontalExtensionButton, Qt::LeftToRight},
        {QStyle::SP_ToolBarHorizontalExtensionButton, Qt::RightToLeft},
        {QStyle::SP_ToolBarVerticalExtensionButton, Qt::LeftToRight},
    };
    for (const Case& c : cases) {
        QStyleOption option;
        option.direction = c.direction;
        const QImage expected = own->standardIcon(c.kind, &option).pixmap(16).toImage();
        const QIcon icon = deferred.standardIcon(c.kind, &option);
        EXPECT_FALSE(expected.isNull());
        EXPECT_EQ(icon.pixmap(16).toImage(), expected) << c.kind << " " << c.direction;
        EXPECT_EQ(icon.availableSizes(), own->standardIcon(c.kind, &option).availableSizes()) << c.kind;
    }
    delete own;
}

// The tool bar's edge lines, drawn our way, are exactly Fusion's pixels wherever the bar sits in
// its row of bars and whatever the painter's offset.
TEST(StartUpStyle, TheToolBarLooksExactlyAsFusionDrawsIt)
{
    StartUpStyle ours(QStyleFactory::create("Fusion"));
    std::unique_ptr<QStyle> fusion(QStyleFactory::create("Fusion"));
    QMainWindow window;
    auto* bar = window.addToolBar("bar");
    const auto positions = {QStyleOptionToolBar::OnlyOne, QStyleOptionToolBar::Beginning,
                            QStyleOptionToolBar::Middle, QStyleOptionToolBar::End};
    for (auto position : positions) {
        for (const QRect rect : {QRect(0, 0, 1900, 34), QRect(3, 5, 700, 30)}) {
            QStyleOptionToolBar option;
            option.initFrom(bar);
            option.rect = rect;
            option.state |= QStyle::State_Horizontal;
            option.toolBarArea = Qt::TopToolBarArea;
            option.positionOfLine = position;
            auto draw = [&](const QStyle& style) {
                QImage image(1920, 48, QImage::Format_ARGB32_Premultiplied);
                image.fill(Qt::magenta);
                QPainter painter(&image);
                style.drawControl(QStyle::CE_ToolBar, &option, &painter, bar);
                return image;
            };
            EXPECT_EQ(draw(ours), draw(*fusion)) << position << " at " << rect.x();
        }
    }
}

}  // namespace
