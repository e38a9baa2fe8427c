#include "app/view/tool_icons.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <numbers>

namespace toolicons {

namespace {

// Every picture is drawn on a 24-unit square; outlines stay one device pixel wide at small sizes.
using Draw = std::function<void(QPainter&)>;

const QColor Ink(0x3b, 0x42, 0x52);
const QColor Paper(0xfd, 0xfd, 0xfd);
const QColor Fold(0xd8, 0xde, 0xe6);
const QColor Lines(0x9a, 0xa5, 0xb4);
const QColor FolderBack(0xd9, 0xa4, 0x2e);
const QColor FolderFront(0xf4, 0xc4, 0x50);
const QColor ProjectBack(0x2f, 0x6f, 0xb8);
const QColor ProjectFront(0x4f, 0x93, 0xdc);
const QColor Green(0x2f, 0x9e, 0x55);
const QColor Red(0xd6, 0x45, 0x41);
const QColor Steel(0x6b, 0x77, 0x85);
const QColor Wood(0xb0, 0x7a, 0x4c);
const QColor Gold(0xf2, 0xb7, 0x05);

double g_pen = 1.0;  // outline width in units for the size being drawn

QPen outline(const QColor& c = Ink)
{
    QPen pen(c, g_pen);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

void shape(QPainter& p, const QPainterPath& path, const QColor& fill, const QColor& line = Ink)
{
    p.setPen(outline(line));
    p.setBrush(fill);
    p.drawPath(path);
}

QPainterPath polygon(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    bool first = true;
    for (const QPointF& pt : points) {
        if (first)
            path.moveTo(pt);
        else
            path.lineTo(pt);
        first = false;
    }
    path.closeSubpath();
    return path;
}

// A sheet with a folded corner and a few text lines.
void page(QPainter& p, QRectF r, bool lines = true)
{
    const double fold = 5;
    shape(p, polygon({r.topLeft(), {r.right() - fold, r.top()}, {r.right(), r.top() + fold}, r.bottomRight(),
                      r.bottomLeft()}),
          Paper);
    shape(p, polygon({{r.right() - fold, r.top()}, {r.right() - fold, r.top() + fold}, {r.right(), r.top() + fold}}),
          Fold);
    if (!lines)
        return;
    p.setPen(outline(Lines));
    for (double y = r.top() + 7; y < r.bottom() - 2; y += 3)
        p.drawLine(QPointF(r.left() + 3, y), QPointF(r.right() - (y < r.top() + 8 ? 7 : 3), y));
}

void folder(QPainter& p, const QColor& back, const QColor& front, bool open)
{
    shape(p, polygon({{2.5, 5.5}, {9, 5.5}, {11, 7.5}, {21.5, 7.5}, {21.5, 19.5}, {2.5, 19.5}}), back);
    if (open)
        shape(p, polygon({{5.5, 10.5}, {23, 10.5}, {20, 19.5}, {2.5, 19.5}}), front);
    else
        shape(p, polygon({{2.5, 9.5}, {21.5, 9.5}, {21.5, 19.5}, {2.5, 19.5}}), front);
}

void plusBadge(QPainter& p, QPointF c)
{
    p.setPen(outline(Paper));
    p.setBrush(Green);
    p.drawEllipse(c, 5, 5);
    QPen cross(Paper, 2);
    p.setPen(cross);
    p.drawLine(QPointF(c.x() - 2.5, c.y()), QPointF(c.x() + 2.5, c.y()));
    p.drawLine(QPointF(c.x(), c.y() - 2.5), QPointF(c.x(), c.y() + 2.5));
}

void pencil(QPainter& p, QPointF tip, double length)
{
    p.save();
    p.translate(tip);
    p.rotate(-45);
    shape(p, polygon({{0, 0}, {3, -1.8}, {3, 1.8}}), QColor(0xf1, 0xd3, 0xa1));
    QPainterPath body;
    body.addRect(QRectF(3, -1.8, length - 5, 3.6));
    shape(p, body, Gold);
    QPainterPath cap;
    cap.addRect(QRectF(length - 2, -1.8, 2.5, 3.6));
    shape(p, cap, Red);
    p.restore();
}

// The wheel's outline traced point by point: eight square teeth standing out of the rim, the
// rim between them, and the hole (the path's odd-even fill leaves it open). Uniting shapes
// instead took a third of the time of drawing the whole tool bar.
void gear(QPainter& p, QPointF c, double r)
{
    constexpr int Teeth = 8;
    constexpr int RimSteps = 4;
    const double halfWidth = r * 0.28;
    const double tip = r * 1.3;
    const double side = std::sqrt(r * r - halfWidth * halfWidth);  // where a tooth's side meets the rim
    const double toothHalfAngle = std::asin(halfWidth / r);
    const double step = 2 * std::numbers::pi / Teeth;
    // Clockwise from straight up, as a turned tooth points.
    auto at = [c](double angle, double x, double y) {
        const double cs = std::cos(angle);
        const double sn = std::sin(angle);
        return QPointF(c.x() + x * cs - y * sn, c.y() + x * sn + y * cs);
    };
    QPainterPath wheel;
    for (int i = 0; i < Teeth; ++i) {
        const double a = i * step;
        const QPointF first = at(a, -halfWidth, -side);
        if (i == 0)
            wheel.moveTo(first);
        else
            wheel.lineTo(first);
        wheel.lineTo(at(a, -halfWidth, -tip));
        wheel.lineTo(at(a, halfWidth, -tip));
        wheel.lineTo(at(a, halfWidth, -side));
        const double rimFrom = a + toothHalfAngle;
        const double rimSpan = step - 2 * toothHalfAngle;
        for (int k = 1; k < RimSteps; ++k)
            wheel.lineTo(at(rimFrom + rimSpan * k / RimSteps, 0, -r));
    }
    wheel.closeSubpath();
    wheel.addEllipse(c, r * 0.4, r * 0.4);
    shape(p, wheel, Steel);
}

void hammer(QPainter& p, QPointF at, double scale)
{
    p.save();
    p.translate(at);
    p.scale(scale, scale);
    p.rotate(-45);
    QPainterPath handle;
    handle.addRoundedRect(QRectF(-1.5, -2, 3, 15), 1, 1);
    shape(p, handle, Wood);
    QPainterPath head;
    head.moveTo(-6, -6);
    head.lineTo(5, -6);
    head.lineTo(6.5, -4.5);
    head.lineTo(6.5, -1.5);
    head.lineTo(5, 0);
    head.lineTo(-6, 0);
    head.closeSubpath();
    shape(p, head, QColor(0x55, 0x62, 0x70));
    p.restore();
}

void chainLink(QPainter& p, QPointF c, double angle)
{
    p.save();
    p.translate(c);
    p.rotate(angle);
    QPainterPath ring;
    ring.addRoundedRect(QRectF(-6, -3, 12, 6), 3, 3);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Ink, 3.6, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(ring);
    p.setPen(QPen(QColor(0x9f, 0xb0, 0xbf), 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(ring);
    p.restore();
}

const std::map<std::string, Draw>& pictures()
{
    static const std::map<std::string, Draw> table = {
        {"ExitBtn",
         [](QPainter& p) {
             shape(p, polygon({{3.5, 2.5}, {14.5, 2.5}, {14.5, 21.5}, {3.5, 21.5}}), QColor(0xe9, 0xe2, 0xd6));
             shape(p, polygon({{3.5, 2.5}, {10.5, 4.5}, {10.5, 23}, {3.5, 21.5}}), Wood);
             p.setPen(Qt::NoPen);
             p.setBrush(Gold);
             p.drawEllipse(QPointF(9, 13), 1, 1);
             QPen arrow(Red, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
             p.setPen(arrow);
             p.drawLine(QPointF(13.5, 12), QPointF(21, 12));
             p.drawPolyline(QPolygonF({QPointF(18, 8.5), QPointF(21.5, 12), QPointF(18, 15.5)}));
         }},
        {"OpenProjBtn", [](QPainter& p) { folder(p, ProjectBack, ProjectFront, true); }},
        {"NewProjBtn",
         [](QPainter& p) {
             folder(p, ProjectBack, ProjectFront, false);
             plusBadge(p, {18, 17.5});
         }},
        {"EditProjBtn",
         [](QPainter& p) {
             folder(p, ProjectBack, ProjectFront, false);
             pencil(p, {11, 21}, 14);
         }},
        {"OpenFileBtn",
         [](QPainter& p) {
             shape(p, polygon({{2.5, 5.5}, {9, 5.5}, {11, 7.5}, {21.5, 7.5}, {21.5, 19.5}, {2.5, 19.5}}), FolderBack);
             page(p, QRectF(6.5, 2.5, 12, 14), false);
             shape(p, polygon({{5.5, 10.5}, {23, 10.5}, {20, 19.5}, {2.5, 19.5}}), FolderFront);
         }},
        {"NewFileBtn",
         [](QPainter& p) {
             page(p, QRectF(4.5, 1.5, 14, 19));
             plusBadge(p, {17.5, 17.5});
         }},
        {"BuildAllBtn",
         [](QPainter& p) {
             page(p, QRectF(7.5, 1.5, 12, 15), false);
             page(p, QRectF(4.5, 4.5, 12, 15));
             hammer(p, {16, 15.5}, 0.9);
         }},
        {"BuildChangedBtn",
         [](QPainter& p) {
             // Build All's sheets, with the one line that changed marked.
             page(p, QRectF(7.5, 1.5, 12, 15), false);
             page(p, QRectF(4.5, 4.5, 12, 15), false);
             p.setPen(outline(Lines));
             p.drawLine(QPointF(7, 12.5), QPointF(10.5, 12.5));
             p.drawLine(QPointF(7, 15.5), QPointF(9, 15.5));
             QPen mark(Gold, 2.8, Qt::SolidLine, Qt::RoundCap);
             p.setPen(mark);
             p.drawLine(QPointF(7, 9), QPointF(13, 9));
             hammer(p, {16, 15.5}, 0.9);
         }},
        {"CompBtn",
         [](QPainter& p) {
             page(p, QRectF(4.5, 1.5, 14, 19));
             hammer(p, {16.5, 15.5}, 0.85);
         }},
        {"MakeBtn",
         [](QPainter& p) {
             QPainterPath screen;
             screen.addRoundedRect(QRectF(2.5, 4.5, 19, 15), 2, 2);
             shape(p, screen, QColor(0x2e, 0x34, 0x40));
             QPen prompt(QColor(0x7e, 0xd3, 0x8b), 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
             p.setPen(prompt);
             p.drawPolyline(QPolygonF({QPointF(6, 9), QPointF(9, 11.5), QPointF(6, 14)}));
             p.drawLine(QPointF(11, 15), QPointF(16, 15));
         }},
        {"ViewListBtn",
         [](QPainter& p) {
             const QColor light(0xc8, 0xe6, 0xa8), dark(0x9c, 0xcc, 0x65);
             shape(p, polygon({{2.5, 5.5}, {8.5, 3.5}, {8.5, 19.5}, {2.5, 21.5}}), dark);
             shape(p, polygon({{8.5, 3.5}, {15.5, 5.5}, {15.5, 21.5}, {8.5, 19.5}}), light);
             shape(p, polygon({{15.5, 5.5}, {21.5, 3.5}, {21.5, 19.5}, {15.5, 21.5}}), dark);
             QPainterPath pin;
             pin.addEllipse(QPointF(12, 10), 3, 3);
             pin.moveTo(10, 11.5);
             pin.lineTo(12, 16);
             pin.lineTo(14, 11.5);
             shape(p, pin.simplified(), Red);
             p.setPen(Qt::NoPen);
             p.setBrush(Paper);
             p.drawEllipse(QPointF(12, 10), 1.1, 1.1);
         }},
        {"ErrorcheckBtn",
         [](QPainter& p) {
             page(p, QRectF(3.5, 1.5, 14, 19));
             p.setPen(outline(Paper));
             p.setBrush(Red);
             p.drawEllipse(QPointF(17, 17), 5.5, 5.5);
             QPen mark(Paper, 2.2, Qt::SolidLine, Qt::RoundCap);
             p.setPen(mark);
             p.drawLine(QPointF(17, 14), QPointF(17, 17.5));
             p.drawPoint(QPointF(17, 20.2));
         }},
        {"CompOptsBtn",
         [](QPainter& p) {
             page(p, QRectF(3.5, 1.5, 14, 19));
             gear(p, {16.5, 16.5}, 4.3);
         }},
        {"LinkOptsBtn",
         [](QPainter& p) {
             chainLink(p, {8, 9}, -45);
             chainLink(p, {13, 14}, -45);
             gear(p, {17.5, 17.5}, 3.8);
         }},
        {"ToggleListBtn",
         [](QPainter& p) {
             QPainterPath frame;
             frame.addRoundedRect(QRectF(2.5, 3.5, 19, 17), 1.5, 1.5);
             shape(p, frame, Paper);
             shape(p, polygon({{14.5, 3.5}, {21.5, 3.5}, {21.5, 20.5}, {14.5, 20.5}}), QColor(0xd6, 0xe6, 0xf7));
             p.setPen(outline(ProjectBack));
             for (double y = 7.5; y <= 16.5; y += 3)
                 p.drawLine(QPointF(16.5, y), QPointF(19.5, y));
             p.setPen(outline(Lines));
             for (double y = 7.5; y <= 16.5; y += 3)
                 p.drawLine(QPointF(5, y), QPointF(11.5, y));
         }},
        {"ToolButton9",
         [](QPainter& p) {
             p.setPen(outline(Steel));
             for (double y = 7.5; y <= 16.5; y += 3) {
                 p.drawLine(QPointF(2.5, y), QPointF(5.5, y));
                 p.drawLine(QPointF(18.5, y), QPointF(21.5, y));
             }
             QPainterPath body;
             body.addRoundedRect(QRectF(5.5, 4.5, 13, 15), 1.5, 1.5);
             shape(p, body, QColor(0x37, 0x47, 0x4f));
             shape(p, polygon({{13, 6.5}, {9, 12.5}, {12, 12.5}, {10.5, 17.5}, {15, 10.5}, {12, 10.5}}), Gold, Gold);
         }},
        {"ConfigToolsBtn",
         [](QPainter& p) {
             QPainterPath wrench;
             wrench.addEllipse(QPointF(15.5, 8.5), 5.5, 5.5);
             QPainterPath notch;
             notch.addRect(QRectF(14, 1, 3, 7.5));
             QTransform turn;
             turn.translate(15.5, 8.5);
             turn.rotate(45);
             turn.translate(-15.5, -8.5);
             wrench = wrench.subtracted(turn.map(notch));
             QPainterPath handle;
             handle.addRoundedRect(QRectF(-1.8, 0, 3.6, 13), 1.8, 1.8);
             QTransform h;
             h.translate(12.5, 11.5);
             h.rotate(45);
             wrench = wrench.united(h.map(handle));
             shape(p, wrench.simplified(), Steel);
         }},
        {"WizardBtn",
         [](QPainter& p) {
             p.setPen(QPen(Ink, 3.2, Qt::SolidLine, Qt::RoundCap));
             p.drawLine(QPointF(4, 20), QPointF(14, 10));
             p.setPen(QPen(Paper, 1.8, Qt::SolidLine, Qt::RoundCap));
             p.drawLine(QPointF(12.2, 11.8), QPointF(14, 10));
             auto star = [&](QPointF c, double r) {
                 QPainterPath s;
                 for (int i = 0; i < 8; ++i) {
                     const double a = i * std::numbers::pi / 4 - std::numbers::pi / 2;
                     const double len = i % 2 == 0 ? r : r * 0.38;
                     const QPointF pt(c.x() + len * std::cos(a), c.y() + len * std::sin(a));
                     i == 0 ? s.moveTo(pt) : s.lineTo(pt);
                 }
                 s.closeSubpath();
                 shape(p, s, Gold, QColor(0xc4, 0x8f, 0x00));
             };
             star({17.5, 6}, 5);
             star({20, 14.5}, 2.8);
             star({9.5, 4}, 2.5);
         }},
    };
    return table;
}

QPixmap render(const Draw& draw, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const double scale = size / 24.0;
    p.scale(scale, scale);
    g_pen = std::max(1.0, std::round(scale)) / scale;
    draw(p);
    return pixmap;
}

// Draws a picture only at the sizes asked for, the first time each is asked: a tool bar shows
// one size, and drawing every size up front held up the window's first appearance.
class DrawnEngine : public QIconEngine {
public:
    explicit DrawnEngine(Draw draw) : m_draw(std::move(draw)) {}

    QIconEngine* clone() const override { return new DrawnEngine(m_draw); }
    QString key() const override { return QStringLiteral("TarnelDrawn"); }
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        const int side = std::min(size.width(), size.height());
        return {side, side};
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        return {{16, 16}, {20, 20}, {24, 24}, {32, 32}, {48, 48}, {64, 64}};
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override
    {
        const int side = std::max(1, std::min(size.width(), size.height()));
        QPixmap& kept = m_kept[{side, mode}];
        if (kept.isNull()) {
            kept = render(m_draw, side);
            if (mode != QIcon::Normal) {
                QStyleOption option;
                kept = QApplication::style()->generatedIconPixmap(mode, kept, &option);
            }
        }
        return kept;
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        painter->drawPixmap(rect, pixmap(rect.size() * painter->device()->devicePixelRatio(), mode, state));
    }

private:
    Draw m_draw;
    std::map<std::pair<int, QIcon::Mode>, QPixmap> m_kept;
};

}  // namespace

// Never the desktop theme's: reading a theme's index costs milliseconds before the window can
// appear, and three themed pictures among drawn ones made a mixed tool bar.
QIcon forButton(const std::string& button)
{
    auto it = pictures().find(button);
    if (it == pictures().end())
        return {};
    return QIcon(new DrawnEngine(it->second));
}

QIcon application()
{
    return forButton("ToolButton9");
}

QPixmap applicationPicture(int size)
{
    return render(pictures().at("ToolButton9"), size);
}

}  // namespace toolicons
