#pragma once
// One address range as a bar: its addresses, kind and segments above, the used part filled in
// a colour that tells how full it is, used and free bytes below; the exact numbers as a tooltip.
#include <QWidget>

#include "linker/memory_usage.h"

class MemoryBar : public QWidget
{
public:
    MemoryBar(const RangeUsage& range, QWidget* parent = nullptr);

    const RangeUsage& range() const { return m_range; }
    // Under 80% full, under 95%, beyond.
    static QColor fillColour(double percent);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QString heading() const;
    QString footing() const;

    RangeUsage m_range;
};
