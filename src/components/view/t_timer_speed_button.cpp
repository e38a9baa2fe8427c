#include "components/view/t_timer_speed_button.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

TTimerSpeedButton::TTimerSpeedButton(QWidget* parent)
    : QToolButton(parent)
{
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    // The repeat is ours: QAbstractButton's own auto-repeat would click on a different rhythm.
    setAutoRepeat(false);
}

void TTimerSpeedButton::setAllowAutoRepeat(bool on)
{
    m_allowAutoRepeat = on;
    if (!on && m_repeatTimer)
        m_repeatTimer->stop();
}

void TTimerSpeedButton::setDrawFocusFrame(bool on)
{
    if (m_drawFocusFrame == on)
        return;
    m_drawFocusFrame = on;
    update();
}

void TTimerSpeedButton::mousePressEvent(QMouseEvent* event)
{
    QToolButton::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    m_held = true;
    if (!m_allowAutoRepeat)
        return;
    if (!m_repeatTimer) {
        m_repeatTimer = new QTimer(this);
        connect(m_repeatTimer, &QTimer::timeout, this, &TTimerSpeedButton::repeat);
    }
    m_repeatTimer->setInterval(FirstRepeatMs);
    m_repeatTimer->start();
}

void TTimerSpeedButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_held = false;
    QToolButton::mouseReleaseEvent(event);
    if (m_repeatTimer && event->button() == Qt::LeftButton)
        m_repeatTimer->stop();
}

void TTimerSpeedButton::repeat()
{
    if (!m_repeatTimer)
        return;
    m_repeatTimer->setInterval(RepeatMs);
    // isDown() is false while the held mouse is outside the button: no clicks then.
    if (!m_held || !isDown() || !isEnabled())
        return;
    try {
        emit clicked(isChecked());
    } catch (...) {
        m_repeatTimer->stop();
        throw;
    }
}

void TTimerSpeedButton::hideEvent(QHideEvent* event)
{
    // A button hidden while held never sees the release.
    m_held = false;
    if (m_repeatTimer)
        m_repeatTimer->stop();
    QToolButton::hideEvent(event);
}

void TTimerSpeedButton::paintEvent(QPaintEvent* event)
{
    QToolButton::paintEvent(event);
    if (!m_drawFocusFrame)
        return;
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::ButtonText), 1, Qt::DotLine));
    QRect frame = rect().adjusted(3, 3, -4, -4);
    if (isDown())
        frame.translate(1, 1);
    painter.drawRect(frame);
}
