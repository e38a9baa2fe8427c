#include "editor/editor_font.h"

#include <algorithm>

std::vector<int> FontDialog::sizes()
{
    std::vector<int> out;
    for (int s = MinSize; s <= MaxSize; ++s)
        out.push_back(s);
    return out;
}

const std::vector<NamedColor>& FontDialog::colors()
{
    static const std::vector<NamedColor> table = {
        {"Black", 0x000000}, {"Maroon", 0x800000}, {"Green", 0x008000},  {"Olive", 0x808000},
        {"Navy", 0x000080},  {"Purple", 0x800080}, {"Teal", 0x008080},   {"Gray", 0x808080},
        {"Silver", 0xC0C0C0}, {"Red", 0xFF0000},   {"Lime", 0x00FF00},   {"Yellow", 0xFFFF00},
        {"Blue", 0x0000FF},  {"Fuchsia", 0xFF00FF}, {"Aqua", 0x00FFFF}, {"White", 0xFFFFFF},
    };
    return table;
}

EditorFont FontDialog::limited(EditorFont font)
{
    if (font.pixelHeight <= 0 || font.pointSize > 0) {
        font.pixelHeight = 0;
        font.pointSize = std::clamp(font.pointSize, MinSize, MaxSize);
    }
    return font;
}
