#include <QStyleFactory>
#include <QStyleOption>
#include <gtest/gtest.h>

#include "components/view/deferred_icon_style.h"

namespace {

// The arrows looked up when first drawn are the pictures the style itself gives, in either
// writing direction.
TEST(DeferredIconStyle, TheOverflowArrowsAreTheStylesOwnPictures)
{
    DeferredIconStyle deferred(QStyleFactory::create("Fusion"));
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

}  // namespace
