#include "components/view/kurl_label.h"

#include <QMouseEvent>

#include "components/t_kurl2.h"
#include "platform/qt/qt_text.h"

KUrlLabel::KUrlLabel(TKURL2& link, QWidget* parent) : QLabel(parent), m_link(link)
{
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
    QPalette p = palette();
    p.setColor(QPalette::WindowText, Qt::blue);
    setPalette(p);
    m_link.onTextChanged = [this] { refresh(); };
    refresh();
}

KUrlLabel::~KUrlLabel()
{
    m_link.onTextChanged = nullptr;
}

void KUrlLabel::refresh()
{
    setText(toQ(m_link.URLorEMAIL()));
    setToolTip(m_link.ShowHint ? toQ(m_link.Hint) : QString());
    setFixedSize(fontMetrics().horizontalAdvance(text()), TKURL2::ControlHeight);
}

void KUrlLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        m_link.open();
    QLabel::mouseReleaseEvent(event);
}
