// Draws the main window's icon into the freedesktop icon folders, one picture per size, so
// that the application menu shows the same picture as the window.
#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <cstdio>

#include "app/view/tool_icons.h"

int main(int argc, char** argv)
{
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s ICON-ROOT\n", argv[0]);
        return 2;
    }
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString folder =
            QStringLiteral("%1/hicolor/%2x%2/apps").arg(QString::fromLocal8Bit(argv[1])).arg(size);
        if (!QDir().mkpath(folder) || !toolicons::applicationPicture(size).save(folder + "/tarnel.png")) {
            std::fprintf(stderr, "cannot write %s/tarnel.png\n", qPrintable(folder));
            return 1;
        }
    }
    return 0;
}
