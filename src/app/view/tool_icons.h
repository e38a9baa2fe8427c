#pragma once
// Tool bar pictures: our own, drawn for each size so that they stay crisp.
#include <QIcon>
#include <string>

namespace toolicons {

// The icon of a tool button, by the button's name; a null icon for an unknown name.
QIcon forButton(const std::string& button);
// The main window's icon.
QIcon application();
// Its picture drawn at one size (the desktop's icon folders take it).
QPixmap applicationPicture(int size);

}  // namespace toolicons
