#pragma once
// The hyperlink label on screen: blue, underlined, the hand pointer over it, as wide as its
// text and 13 pixels high; a click opens the link.
#include <QLabel>

class TKURL2;

class KUrlLabel : public QLabel {
public:
    KUrlLabel(TKURL2& link, QWidget* parent = nullptr);
    ~KUrlLabel() override;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void refresh();

    TKURL2& m_link;
};
