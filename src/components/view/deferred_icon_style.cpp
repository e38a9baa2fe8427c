#include "components/view/deferred_icon_style.h"

#include <QApplication>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOption>

#include "components/view/icon_when_used.h"

DeferredIconStyle::DeferredIconStyle(QStyle* base) : QProxyStyle(base) {}

QIcon DeferredIconStyle::standardIcon(StandardPixmap kind, const QStyleOption* option, const QWidget* widget) const
{
    const bool overflowArrow =
        kind == SP_ToolBarHorizontalExtensionButton || kind == SP_ToolBarVerticalExtensionButton;
    if (!overflowArrow)
        return QProxyStyle::standardIcon(kind, option, widget);
    // The arrow's picture depends on the writing direction alone.
    QStyleOption direction;
    direction.direction = option ? option->direction : QGuiApplication::layoutDirection();
    QPointer<const QProxyStyle> self(this);
    return iconWhenUsed([self, kind, direction] {
        return self ? self->QProxyStyle::standardIcon(kind, &direction) : QIcon();
    });
}

void DeferredIconStyle::install()
{
    if (dynamic_cast<DeferredIconStyle*>(QApplication::style()))
        return;
    QApplication::setStyle(new DeferredIconStyle(QStyleFactory::create(QApplication::style()->name())));
}
