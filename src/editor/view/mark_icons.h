#pragma once
// The pictures of an error's and a warning's mark: the icon theme's where it has them, our own
// drawn otherwise. Looked up once, kept per size, so a paint never asks the theme.
#include <QPixmap>

#include "editor/line_marks.h"

namespace markicons {

const QPixmap& pixmap(MarkKind kind, int size);

}  // namespace markicons
