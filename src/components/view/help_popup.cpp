#include "components/view/help_popup.h"

#include <QGuiApplication>
#include <QScreen>

HelpPopupWindow::HelpPopupWindow(QWidget* parent) : QLabel(parent, Qt::Popup | Qt::FramelessWindowHint)
{
    setObjectName("HelpPopup");
    setAttribute(Qt::WA_QuitOnClose, false);
    setWordWrap(true);
    setTextFormat(Qt::PlainText);
    setMargin(6);
    setFrameShape(QFrame::Box);
    setForegroundRole(QPalette::ToolTipText);
    setBackgroundRole(QPalette::ToolTipBase);
    setAutoFillBackground(true);
    setMaximumWidth(340);
}

void HelpPopupWindow::popUp(const QString& text, const QPoint& at)
{
    setText(text);
    setMinimumWidth(0);
    adjustSize();
    QPoint pos = at;
    if (QScreen* screen = QGuiApplication::screenAt(at) ? QGuiApplication::screenAt(at) : QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        pos.setX(qBound(area.left(), pos.x(), qMax(area.left(), area.right() - width())));
        pos.setY(qBound(area.top(), pos.y(), qMax(area.top(), area.bottom() - height())));
    }
    move(pos);
    show();
}
