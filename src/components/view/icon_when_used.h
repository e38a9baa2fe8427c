#pragma once
// An icon whose picture is made the first time it is drawn or measured: an icon read from an
// image file reads it through the image format plug-ins, which a window that never shows the
// icon need not load.
#include <QIcon>
#include <functional>

QIcon iconWhenUsed(std::function<QIcon()> make);
