#pragma once
// Fonts of the editing control and of the window's font dialog.
#include <cstdint>
#include <string>
#include <vector>

struct EditorFont {
    std::string family;
    int pixelHeight = 0;  // character height in pixels, when the size is given that way
    int pointSize = 0;    // else the size in points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    std::uint32_t color = 0;  // 0xRRGGBB

    bool operator==(const EditorFont&) const = default;
};

struct NamedColor {
    const char* name;
    std::uint32_t rgb;
};

// The font dialog of one editor window: it keeps the last choice for the next load.
class FontDialog {
public:
    static constexpr int MinSize = 5;
    static constexpr int MaxSize = 15;

    // Sizes offered, in points.
    static std::vector<int> sizes();
    // The colours the dialog's effects offer.
    static const std::vector<NamedColor>& colors();
    // The choice with its size brought into the offered range.
    static EditorFont limited(EditorFont font);

    EditorFont font{"Courier", 13, 0, false, false, false, false, 0};
};

// The control's own font before anything is loaded or named.
inline EditorFont initialEditorFont()
{
    return {"Arial", 13, 0, true, false, false, false, 0};
}
