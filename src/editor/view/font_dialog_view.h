#pragma once
// The font dialog of an editor window: family, style, the sizes the core offers (5 to 15
// points), the effects with their colours, and a sample.
#include <QDialog>
#include <optional>

#include "editor/editor_font.h"

class QCheckBox;
class QComboBox;
class QFontComboBox;
class QLabel;
class QListWidget;

class FontDialogView : public QDialog {
public:
    FontDialogView(const FontDialog& dialog, QWidget* parent);

    EditorFont chosen() const;
    QListWidget* sizeList() const { return m_sizes; }
    QFontComboBox* familyBox() const { return m_family; }

    // Runs the dialog; nullopt when cancelled.
    static std::optional<EditorFont> choose(const FontDialog& dialog, QWidget* parent);

private:
    void updateSample();

    QFontComboBox* m_family;
    QListWidget* m_styles;
    QListWidget* m_sizes;
    QCheckBox* m_strike;
    QCheckBox* m_underline;
    QComboBox* m_color;
    QLabel* m_sample;
};

// The Qt font for an editor font.
QFont toQFont(const EditorFont& font);
