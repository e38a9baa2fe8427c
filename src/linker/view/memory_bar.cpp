#include "linker/view/memory_bar.h"

#include <QPainter>
#include <algorithm>

#include "platform/qt/qt_text.h"

namespace
{

QString hex4(int v)
{
    return QString("%1").arg(v, 4, 16, QChar('0')).toUpper();
}

QString segmentNames(const RangeUsage& r)
{
    QStringList names;
    for (const ListedSegment& s : r.segments)
        names << toQ(s.name);
    return names.join(", ");
}

constexpr int BarPadding = 4;

} // namespace

MemoryBar::MemoryBar(const RangeUsage& range, QWidget* parent) : QWidget(parent), m_range(range)
{
    setObjectName("MemoryBar");
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    QString tip = QString("%1-%2 (%3)\nsize %4 bytes\nused %5 bytes (%6%)\nfree %7 bytes")
                      .arg(hex4(range.start), hex4(range.end), memoryKindName(range.kind))
                      .arg(range.size)
                      .arg(range.used)
                      .arg(fillPercent(range.used, range.size), 0, 'f', 1)
                      .arg(range.freeBytes());
    if (range.change)
        tip += QString("\n%1 bytes since the previous build").arg(toQ(signedBytes(*range.change)));
    for (const ListedSegment& s : range.segments)
        tip += QString("\n  %1: %2 bytes").arg(toQ(s.name)).arg(s.size);
    setToolTip(tip);
}

QColor MemoryBar::fillColour(double percent)
{
    // Light enough for the dark text drawn over them.
    if (percent < 80)
        return QColor(0x72, 0xc2, 0x72);
    if (percent < 95)
        return QColor(0xff, 0xb7, 0x2b);
    return QColor(0xef, 0x5b, 0x5b);
}

QString MemoryBar::heading() const
{
    return QString("%1-%2  %3  %4")
        .arg(hex4(m_range.start), hex4(m_range.end), memoryKindName(m_range.kind), segmentNames(m_range));
}

QString MemoryBar::footing() const
{
    return QString("%1 used, %2 free of %3 bytes (%4%)")
        .arg(m_range.used)
        .arg(m_range.freeBytes())
        .arg(m_range.size)
        .arg(fillPercent(m_range.used, m_range.size), 0, 'f', 1);
}

QSize MemoryBar::sizeHint() const
{
    const int line = fontMetrics().height();
    return {260, 2 * line + BarPadding + 4};
}

QSize MemoryBar::minimumSizeHint() const
{
    return {120, sizeHint().height()};
}

void MemoryBar::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const int line = fontMetrics().height();
    const int w = width() - 1;
    const QRect top(0, 0, w, line);
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(top, Qt::AlignLeft | Qt::AlignVCenter, fontMetrics().elidedText(heading(), Qt::ElideRight, w));
    const QRect bar(0, line + 1, w, line + BarPadding);
    p.fillRect(bar, palette().color(QPalette::Base));
    const double percent = fillPercent(m_range.used, m_range.size);
    const int filled = static_cast<int>(bar.width() * std::min(percent, 100.0) / 100.0 + 0.5);
    // A used byte is never drawn as nothing.
    const int shown = m_range.used > 0 ? std::max(filled, 2) : 0;
    p.fillRect(QRect(bar.left(), bar.top(), shown, bar.height()), fillColour(percent));
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(bar);
    p.setPen(QColor(0x10, 0x10, 0x10));
    p.drawText(bar.adjusted(4, 0, -4, 0), Qt::AlignLeft | Qt::AlignVCenter,
               fontMetrics().elidedText(footing(), Qt::ElideRight, w - 8));
}
