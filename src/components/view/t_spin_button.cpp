#include "components/view/t_spin_button.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "components/view/t_timer_speed_button.h"

TSpinButton::TSpinButton(QWidget* parent)
    : QWidget(parent), m_up(makeButton(Qt::UpArrow)), m_down(makeButton(Qt::DownArrow)), m_focused(m_up)
{
    setMinimumWidth(MinWidth);
    setFocusPolicy(Qt::NoFocus);
    connect(m_up, &QAbstractButton::clicked, this, &TSpinButton::upClick);
    connect(m_down, &QAbstractButton::clicked, this, &TSpinButton::downClick);
    resize(sizeHint());
}

TTimerSpeedButton* TSpinButton::makeButton(Qt::ArrowType arrow)
{
    auto* button = new TTimerSpeedButton(this);
    button->setArrowType(arrow);
    button->setAllowAutoRepeat(true);
    button->installEventFilter(this);
    return button;
}

QIcon TSpinButton::upGlyph() const
{
    return m_up->icon();
}

void TSpinButton::setUpGlyph(const QIcon& glyph)
{
    m_up->setIcon(glyph);
    m_up->setArrowType(glyph.isNull() ? Qt::UpArrow : Qt::NoArrow);
}

QIcon TSpinButton::downGlyph() const
{
    return m_down->icon();
}

void TSpinButton::setDownGlyph(const QIcon& glyph)
{
    m_down->setIcon(glyph);
    m_down->setArrowType(glyph.isNull() ? Qt::DownArrow : Qt::NoArrow);
}

void TSpinButton::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // The down button reaches one pixel into the up button so that their borders meet.
    const int upHeight = height() / 2;
    m_up->setGeometry(0, 0, width(), upHeight);
    m_down->setGeometry(0, upHeight - 1, width(), height() - upHeight + 1);
}

void TSpinButton::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Space:
        m_focused->click();
        break;
    case Qt::Key_Up:
        setFocusedButton(m_up);
        m_up->click();
        break;
    case Qt::Key_Down:
        setFocusedButton(m_down);
        m_down->click();
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void TSpinButton::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    updateFocusFrames();
}

void TSpinButton::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    updateFocusFrames();
}

bool TSpinButton::eventFilter(QObject* watched, QEvent* event)
{
    if ((event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == m_up)
            buttonPressed(m_up);
        else if (watched == m_down)
            buttonPressed(m_down);
    }
    return QWidget::eventFilter(watched, event);
}

void TSpinButton::buttonPressed(TTimerSpeedButton* button)
{
    setFocusedButton(button);
    QWidget* target = m_focusControl;
    if (target && (target->focusPolicy() & Qt::TabFocus) && target->isEnabled()
        && target->isVisible() && !target->hasFocus())
        target->setFocus(Qt::MouseFocusReason);
    else if ((focusPolicy() & Qt::TabFocus) && isEnabled() && isVisible() && !hasFocus())
        setFocus(Qt::MouseFocusReason);
}

void TSpinButton::setFocusedButton(TTimerSpeedButton* button)
{
    m_focused = button;
    updateFocusFrames();
}

void TSpinButton::updateFocusFrames()
{
    m_up->setDrawFocusFrame(hasFocus() && m_focused == m_up);
    m_down->setDrawFocusFrame(hasFocus() && m_focused == m_down);
}
