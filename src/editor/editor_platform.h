#pragma once
// What an editor window asks of its view beyond the text: the font, print and printer-setup
// dialogs, and where the editing control lies on the screen.
#include <optional>
#include <string>

#include "editor/editor_font.h"

struct ScreenRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

class EditorPlatform {
public:
    virtual ~EditorPlatform() = default;
    virtual std::optional<EditorFont> chooseFont(const FontDialog& dialog) = 0;
    // Shows the print dialog; when confirmed prints the whole text as one job of that title.
    // False when cancelled.
    virtual bool print(const std::string& jobTitle) = 0;
    virtual void printSetup() = 0;
    virtual ScreenRect editorRect() const = 0;
};
