#pragma once
// The style's standard pictures, looked up once per kind and kept as plain pictures: a miss in
// the icon theme is paid once per kind, never again per list row or per paint.
#include <QIcon>
#include <QStyle>

namespace standardicons {

const QIcon& icon(QStyle::StandardPixmap kind);

}  // namespace standardicons
