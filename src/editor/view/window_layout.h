#pragma once
// Where editor windows go in the document area: a new window, Cascade and Tile. Sizes are whole
// child windows, frame included.
#include <QRect>
#include <QSize>
#include <vector>

namespace windowlayout {

// Below this a tiled window shows too little text to be worked in: more columns instead.
inline constexpr QSize MinimumTile(320, 160);

// The usual size, shrunk only where the area is smaller, centred.
QRect newWindow(QSize area, QSize usual);
// Windows of the usual size, each a step down and right of the one before, the stack centred;
// in a small area they shrink so that every title bar shows, but not below MinimumTile.
std::vector<QRect> cascade(QSize area, int count, QSize usual, int step);
// Full-width strips while they stay at least MinimumTile high, else a grid of as few columns
// as keep that size, filling the area.
std::vector<QRect> tile(QSize area, int count);

}  // namespace windowlayout
