#pragma once
// Tool bar pictures: the desktop theme's icon where the freedesktop naming has one for the
// command, else a picture of our own, drawn for each size so that it stays crisp.
#include <QIcon>
#include <string>

namespace toolicons {

// The icon of a tool button, by the button's name; a null icon for an unknown name.
QIcon forButton(const std::string& button);
// The freedesktop name tried first for a button, or "" when the theme has none for it.
QString themeName(const std::string& button);
// Our own picture alone, as the theme-less fallback draws it.
QIcon drawn(const std::string& button);
// The main window's icon.
QIcon application();
// Its picture drawn at one size (the desktop's icon folders take it).
QPixmap applicationPicture(int size);

}  // namespace toolicons
