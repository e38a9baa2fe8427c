#include "editor/view/window_layout.h"

#include <algorithm>

namespace windowlayout {

namespace {

QSize fitted(QSize area, QSize usual)
{
    return {area.width() > 0 ? std::min(usual.width(), area.width()) : usual.width(),
            area.height() > 0 ? std::min(usual.height(), area.height()) : usual.height()};
}

}  // namespace

QRect newWindow(QSize area, QSize usual)
{
    const QSize size = fitted(area, usual);
    return {QPoint(std::max(0, (area.width() - size.width()) / 2), std::max(0, (area.height() - size.height()) / 2)),
            size};
}

std::vector<QRect> cascade(QSize area, int count, QSize usual, int step)
{
    std::vector<QRect> out;
    if (count <= 0)
        return out;
    step = std::max(1, step);
    // Every title bar in sight where the area allows it: windows give up size down to
    // MinimumTile before a stack starts again at the top.
    const int room = std::min(area.width() - MinimumTile.width(), area.height() - MinimumTile.height());
    const int perStack = std::clamp(room / step + 1, 1, count);
    const QSize size = fitted(area - QSize(step, step) * (perStack - 1), usual);
    const QSize extent = size + QSize(step, step) * (perStack - 1);
    const QPoint origin(std::max(0, (area.width() - extent.width()) / 2),
                        std::max(0, (area.height() - extent.height()) / 2));
    for (int i = 0; i < count; ++i) {
        const int k = i % perStack;
        out.emplace_back(origin + QPoint(k * step, k * step), size);
    }
    return out;
}

std::vector<QRect> tile(QSize area, int count)
{
    std::vector<QRect> out;
    if (count <= 0)
        return out;
    // The fewest columns that keep every window at least MinimumTile; where none does, the
    // grid whose windows come nearest to it.
    int columns = 1;
    double best = -1;
    for (int c = 1; c <= count; ++c) {
        const int r = (count + c - 1) / c;
        const double fit = std::min(double(area.width()) / c / MinimumTile.width(),
                                    double(area.height()) / r / MinimumTile.height());
        if (fit >= 1) {
            columns = c;
            break;
        }
        if (fit > best) {
            best = fit;
            columns = c;
        }
    }
    const int rows = (count + columns - 1) / columns;
    for (int i = 0; i < count; ++i) {
        const int column = i / rows;
        // The last column may hold fewer windows: they share its whole height.
        const int inColumn = column + 1 == columns ? count - column * rows : rows;
        const int row = i % rows;
        const int left = area.width() * column / columns;
        const int right = area.width() * (column + 1) / columns;
        const int top = area.height() * row / inColumn;
        const int bottom = area.height() * (row + 1) / inColumn;
        out.emplace_back(QPoint(left, top), QSize(right - left, bottom - top));
    }
    return out;
}

}  // namespace windowlayout
