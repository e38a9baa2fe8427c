#pragma once
// A flat push button that keeps clicking while it is held down.
#include <QToolButton>

class QTimer;

class TTimerSpeedButton : public QToolButton {
    Q_OBJECT
public:
    static constexpr int FirstRepeatMs = 400;
    static constexpr int RepeatMs = 100;

    explicit TTimerSpeedButton(QWidget* parent = nullptr);

    bool allowAutoRepeat() const { return m_allowAutoRepeat; }
    void setAllowAutoRepeat(bool on);
    bool drawFocusFrame() const { return m_drawFocusFrame; }
    void setDrawFocusFrame(bool on);

    // Null until the button is first pressed; lives as long as the button.
    QTimer* repeatTimer() const { return m_repeatTimer; }

public slots:
    // The repeat timer's slot; public so that the repeat can be driven without waiting.
    void repeat();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QTimer* m_repeatTimer = nullptr;
    bool m_allowAutoRepeat = false;
    bool m_drawFocusFrame = false;
    bool m_held = false;
};
