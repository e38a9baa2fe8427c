#pragma once
// The colours that tell an error from a warning, wherever a diagnostic is shown: its line in
// the Build Output panel and its marked line in an editor.
#include <QColor>

namespace diagnosticcolours {

inline QColor text(bool error)
{
    return error ? QColor(0xb0, 0x10, 0x10) : QColor(0x9a, 0x5b, 0x00);
}

inline QColor background(bool error)
{
    return error ? QColor(0xfd, 0xec, 0xec) : QColor(0xfd, 0xf5, 0xe2);
}

}  // namespace diagnosticcolours
