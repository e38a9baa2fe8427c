#pragma once
// The application's style, made to cost nothing more than it must before the window first
// appears; everything else is the style's own, so the window looks and behaves the same.
// - The overflow arrows that the menu bar and every tool bar ask for as they are made are looked
//   up only when one is first painted. Looking one up reads its picture files through every
//   image format plug-in the machine has; a window wide enough for its menus and buttons never
//   shows the arrows and never needs the plug-ins.
// - Fusion's edge lines along a top tool bar are filled as one-pixel rows: the same pixels, but
//   a half-transparent line as wide as the screen is blended in pieces on helper threads that
//   the first paint would otherwise start.
#include <QProxyStyle>

class StartUpStyle : public QProxyStyle {
public:
    explicit StartUpStyle(QStyle* base);

    QIcon standardIcon(StandardPixmap kind, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;

    // Puts the style in over the application's present one, once.
    static void install();

private:
    bool m_fusion = false;
};
