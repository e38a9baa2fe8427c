#pragma once
// An up/down pair of repeating buttons, the up one over the down one.
#include <QIcon>
#include <QPointer>
#include <QWidget>

class TTimerSpeedButton;

class TSpinButton : public QWidget {
    Q_OBJECT
public:
    static constexpr int MinWidth = 15;

    explicit TSpinButton(QWidget* parent = nullptr);

    // Receives the keyboard focus when a button is pressed, so that the focus stays in the field.
    QWidget* focusControl() const { return m_focusControl; }
    void setFocusControl(QWidget* control) { m_focusControl = control; }

    // Without a glyph the button shows the style's arrow.
    QIcon upGlyph() const;
    void setUpGlyph(const QIcon& glyph);
    QIcon downGlyph() const;
    void setDownGlyph(const QIcon& glyph);

    TTimerSpeedButton* upButton() const { return m_up; }
    TTimerSpeedButton* downButton() const { return m_down; }
    TTimerSpeedButton* focusedButton() const { return m_focused; }

    QSize sizeHint() const override { return {20, 25}; }

signals:
    void upClick();
    void downClick();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TTimerSpeedButton* makeButton(Qt::ArrowType arrow);
    void setFocusedButton(TTimerSpeedButton* button);
    void updateFocusFrames();
    void buttonPressed(TTimerSpeedButton* button);

    TTimerSpeedButton* m_up;
    TTimerSpeedButton* m_down;
    TTimerSpeedButton* m_focused;
    QPointer<QWidget> m_focusControl;
};
