#include "editor/view/font_dialog_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QScreen>
#include <QVBoxLayout>
#include <cmath>

#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_text.h"

namespace {

const char* const kStyles[] = {"Regular", "Italic", "Bold", "Bold Italic"};

int pointsOf(const EditorFont& font, const QWidget* widget)
{
    if (font.pixelHeight <= 0)
        return font.pointSize;
    const double dpi = widget && widget->screen() ? widget->screen()->logicalDotsPerInchY() : 96.0;
    return static_cast<int>(std::lround(font.pixelHeight * 72.0 / dpi));
}

}  // namespace

QFont toQFont(const EditorFont& font)
{
    QFont f(toQ(font.family));
    // Courier and the like are typewriter faces wherever the name itself is not installed.
    if (toQ(font.family).contains("Courier", Qt::CaseInsensitive))
        f.setStyleHint(QFont::TypeWriter);
    if (font.pixelHeight > 0)
        f.setPixelSize(font.pixelHeight);
    else if (font.pointSize > 0)
        f.setPointSize(font.pointSize);
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    f.setStrikeOut(font.strikeOut);
    return f;
}

FontDialogView::FontDialogView(const FontDialog& dialog, QWidget* parent) : QDialog(parent)
{
    setObjectName("FontDialog");
    setWindowTitle("Font");
    const EditorFont& font = dialog.font;

    auto* grid = new QGridLayout(this);
    m_family = new QFontComboBox(this);
    m_family->setObjectName("FontFamily");
    m_family->setCurrentFont(toQFont(font));
    m_styles = new QListWidget(this);
    m_styles->setObjectName("FontStyle");
    for (const char* s : kStyles)
        m_styles->addItem(s);
    m_styles->setCurrentRow((font.bold ? 2 : 0) + (font.italic ? 1 : 0));
    m_sizes = new QListWidget(this);
    m_sizes->setObjectName("FontSize");
    const int points = pointsOf(font, parent);
    for (int size : FontDialog::sizes()) {
        m_sizes->addItem(QString::number(size));
        if (size == points)
            m_sizes->setCurrentRow(m_sizes->count() - 1);
    }
    if (m_sizes->currentRow() < 0)
        m_sizes->setCurrentRow(points < FontDialog::MinSize ? 0 : m_sizes->count() - 1);
    for (QListWidget* list : {m_styles, m_sizes})
        list->setFixedHeight(120);
    m_sizes->setFixedWidth(60);

    const std::pair<const char*, QWidget*> labels[] = {{"&Font:", m_family}, {"Font st&yle:", m_styles}, {"&Size:", m_sizes}};
    for (int column = 0; column < 3; ++column) {
        auto* label = new QLabel(labels[column].first, this);
        label->setBuddy(labels[column].second);
        grid->addWidget(label, 0, column);
    }
    grid->addWidget(m_family, 1, 0, Qt::AlignTop);
    grid->addWidget(m_styles, 1, 1);
    grid->addWidget(m_sizes, 1, 2);

    auto* effects = new QGroupBox("Effects", this);
    auto* effectsLayout = new QVBoxLayout(effects);
    m_strike = new QCheckBox("Stri&keout", effects);
    m_underline = new QCheckBox("&Underline", effects);
    m_strike->setChecked(font.strikeOut);
    m_underline->setChecked(font.underline);
    m_color = new QComboBox(effects);
    m_color->setObjectName("FontColor");
    for (const NamedColor& c : FontDialog::colors()) {
        QPixmap swatch(12, 12);
        swatch.fill(QColor::fromRgb(c.rgb));
        m_color->addItem(QIcon(swatch), c.name, QVariant::fromValue(static_cast<uint>(c.rgb)));
        if (c.rgb == font.color)
            m_color->setCurrentIndex(m_color->count() - 1);
    }
    effectsLayout->addWidget(m_strike);
    effectsLayout->addWidget(m_underline);
    auto* colorLabel = new QLabel("&Color:", effects);
    colorLabel->setBuddy(m_color);
    effectsLayout->addWidget(colorLabel);
    effectsLayout->addWidget(m_color);
    grid->addWidget(effects, 2, 0);

    auto* sampleBox = new QGroupBox("Sample", this);
    auto* sampleLayout = new QVBoxLayout(sampleBox);
    m_sample = new QLabel("AaBbYyZz", sampleBox);
    m_sample->setAlignment(Qt::AlignCenter);
    m_sample->setMinimumSize(160, 50);
    sampleLayout->addWidget(m_sample);
    grid->addWidget(sampleBox, 2, 1, 1, 2);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    grid->addWidget(buttons, 3, 0, 1, 3);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    connect(m_family, &QFontComboBox::currentFontChanged, this, [this] { updateSample(); });
    connect(m_styles, &QListWidget::currentRowChanged, this, [this] { updateSample(); });
    connect(m_sizes, &QListWidget::currentRowChanged, this, [this] { updateSample(); });
    connect(m_strike, &QCheckBox::toggled, this, [this] { updateSample(); });
    connect(m_underline, &QCheckBox::toggled, this, [this] { updateSample(); });
    connect(m_color, &QComboBox::currentIndexChanged, this, [this] { updateSample(); });
    updateSample();
}

EditorFont FontDialogView::chosen() const
{
    EditorFont f;
    f.family = fromQ(m_family->currentFont().family());
    f.pointSize = m_sizes->currentItem() ? m_sizes->currentItem()->text().toInt() : FontDialog::MinSize;
    const int style = std::max(0, m_styles->currentRow());
    f.bold = style >= 2;
    f.italic = style % 2 == 1;
    f.underline = m_underline->isChecked();
    f.strikeOut = m_strike->isChecked();
    f.color = m_color->currentData().toUInt();
    return f;
}

void FontDialogView::updateSample()
{
    const EditorFont f = chosen();
    m_sample->setFont(toQFont(f));
    QPalette p = m_sample->palette();
    p.setColor(QPalette::WindowText, QColor::fromRgb(f.color));
    m_sample->setPalette(p);
}

std::optional<EditorFont> FontDialogView::choose(const FontDialog& dialog, QWidget* parent)
{
    if (QtDialogs::nonInteractive())
        return std::nullopt;
    FontDialogView view(dialog, parent);
    if (view.exec() != QDialog::Accepted)
        return std::nullopt;
    return view.chosen();
}
