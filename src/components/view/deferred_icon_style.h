#pragma once
// The application's style, with the overflow arrows that the menu bar and every tool bar ask for
// as they are made looked up only when one is first painted. Looking one up reads its picture
// files through every image format plug-in the machine has; a window wide enough for its menus
// and buttons never shows the arrows and never needs the plug-ins. Everything else is the
// style's own, so the window looks and behaves the same.
#include <QProxyStyle>

class DeferredIconStyle : public QProxyStyle {
public:
    explicit DeferredIconStyle(QStyle* base);

    QIcon standardIcon(StandardPixmap kind, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;

    // Puts the style in over the application's present one, once.
    static void install();
};
