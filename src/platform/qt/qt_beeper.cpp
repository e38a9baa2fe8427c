#include "platform/qt/qt_beeper.h"

#include <QApplication>

void QtBeeper::beep()
{
    QApplication::beep();
}
