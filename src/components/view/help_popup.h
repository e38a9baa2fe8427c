#pragma once
// The text pop-up: a small window of help text at a screen position, closed by the next click.
#include <QLabel>

class HelpPopupWindow : public QLabel {
public:
    explicit HelpPopupWindow(QWidget* parent = nullptr);
    // Shows the text with its top-left corner at the point, kept on the screen.
    void popUp(const QString& text, const QPoint& at);
};
