#include "editor/view/mark_icons.h"

#include <QIcon>
#include <QPainter>
#include <QPainterPath>
#include <map>

#include "build/view/diagnostic_colours.h"

namespace markicons {

namespace {

QPixmap drawn(MarkKind kind, int size)
{
    QPixmap out(size, size);
    out.fill(Qt::transparent);
    QPainter p(&out);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0.5, 0.5, size - 1.0, size - 1.0);
    QPen mark(Qt::white, std::max(1.5, size / 8.0), Qt::SolidLine, Qt::RoundCap);
    if (kind == MarkKind::Error) {
        p.setPen(Qt::NoPen);
        p.setBrush(diagnosticcolours::text(true));
        p.drawEllipse(r);
        p.setPen(mark);
        const qreal in = size * 0.32;
        p.drawLine(QPointF(in, in), QPointF(size - in, size - in));
        p.drawLine(QPointF(size - in, in), QPointF(in, size - in));
    } else {
        QPainterPath triangle;
        triangle.moveTo(size / 2.0, r.top());
        triangle.lineTo(r.right(), r.bottom());
        triangle.lineTo(r.left(), r.bottom());
        triangle.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xe8, 0xa3, 0x17));
        p.drawPath(triangle);
        mark.setColor(QColor(0x3a, 0x2a, 0x00));
        p.setPen(mark);
        p.drawLine(QPointF(size / 2.0, size * 0.38), QPointF(size / 2.0, size * 0.66));
        p.drawPoint(QPointF(size / 2.0, size * 0.82));
    }
    return out;
}

}  // namespace

const QPixmap& pixmap(MarkKind kind, int size)
{
    static const QIcon themed[2] = {QIcon::fromTheme(QStringLiteral("dialog-error")),
                                    QIcon::fromTheme(QStringLiteral("dialog-warning"))};
    static std::map<std::pair<int, int>, QPixmap> kept;
    const int k = kind == MarkKind::Error ? 0 : 1;
    auto it = kept.find({k, size});
    if (it != kept.end())
        return it->second;
    QPixmap p = themed[k].isNull() ? QPixmap() : themed[k].pixmap(size, size);
    if (p.isNull())
        p = drawn(kind, size);
    return kept.emplace(std::pair(k, size), p).first->second;
}

}  // namespace markicons
