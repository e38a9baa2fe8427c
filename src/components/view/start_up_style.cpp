#include "components/view/start_up_style.h"

#include <QApplication>
#include <QMainWindow>
#include <QPainter>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOption>

#include "components/view/icon_when_used.h"

StartUpStyle::StartUpStyle(QStyle* base)
    : QProxyStyle(base), m_fusion(baseStyle()->name().compare("fusion", Qt::CaseInsensitive) == 0)
{
}

QIcon StartUpStyle::standardIcon(StandardPixmap kind, const QStyleOption* option, const QWidget* widget) const
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

void StartUpStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                               const QWidget* widget) const
{
    const auto* bar = qstyleoption_cast<const QStyleOptionToolBar*>(option);
    const bool ownLines = element == CE_ToolBar && m_fusion && bar && bar->toolBarArea == Qt::TopToolBarArea &&
                          (bar->state & State_Horizontal) && widget &&
                          qobject_cast<const QMainWindow*>(widget->parentWidget());
    if (!ownLines) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    // Fusion paints its background alone for a bar in no area; the lines follow as Fusion
    // places them, in its colours.
    QStyleOptionToolBar background(*bar);
    background.toolBarArea = Qt::NoToolBarArea;
    QProxyStyle::drawControl(element, &background, painter, widget);
    const QColor light(255, 255, 255, 90);
    const QColor shadow(0, 0, 0, 60);
    const QRect& r = bar->rect;
    auto row = [painter, &r](int y, const QColor& colour) { painter->fillRect(QRect(r.left(), y, r.width(), 1), colour); };
    if (bar->positionOfLine == QStyleOptionToolBar::End || bar->positionOfLine == QStyleOptionToolBar::OnlyOne) {
        row(r.bottom(), light);
        row(r.bottom() - 1, shadow);
    } else {
        row(r.bottom(), shadow);
    }
    row(r.top(), light);
}

void StartUpStyle::install()
{
    if (dynamic_cast<StartUpStyle*>(QApplication::style()))
        return;
    QApplication::setStyle(new StartUpStyle(QStyleFactory::create(QApplication::style()->name())));
}
