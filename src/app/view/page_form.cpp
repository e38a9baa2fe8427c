#include "app/view/page_form.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QVBoxLayout>

#include "app/control_set.h"
#include "app/view/control_binder.h"
#include "components/view/t_hex_edit.h"
#include "platform/qt/qt_text.h"

namespace
{

bool isField(ControlKind kind)
{
    return kind == ControlKind::Edit || kind == ControlKind::ComboBox || kind == ControlKind::Numeric;
}

} // namespace

PageForm::PageForm(const std::vector<Control*>& controls, ControlBinder& binder, int maxWidth,
                   QWidget* parent)
    : QWidget(parent), m_bands(new QVBoxLayout(this))
{
    m_bands->setContentsMargins(0, 0, 0, 0);
    m_bands->setSpacing(20);
    if (maxWidth > 0)
        setMaximumWidth(maxWidth);

    for (std::size_t i = 0; i < controls.size(); ++i) {
        Control& c = *controls[i];
        Section& s = sectionFor(c);
        QWidget* w = binder.createWidget(c, s.frame);
        m_fields.push_back(w);
        const bool nextBeside = i + 1 < controls.size() && controls[i + 1]->layout.beside &&
                                controls[i + 1]->layout.group == c.layout.group &&
                                controls[i + 1]->layout.column == c.layout.column;
        if (c.layout.beside && (s.fieldCell || s.listButtons))
            addBeside(s, c, w);
        else
            place(s, c, w, nextBeside, binder);
    }
    for (auto& [key, s] : m_sections)
        endRow(s);
    for (QVBoxLayout* column : m_columns)
        if (column)
            column->addStretch(1);
    m_bands->addStretch(1);
}

PageForm::Section& PageForm::sectionFor(const Control& c)
{
    const auto key = std::make_pair(c.layout.group, static_cast<int>(c.layout.column));
    for (auto& [k, s] : m_sections)
        if (k == key)
            return s;

    Section s;
    s.frame = new QWidget(this);
    auto* stack = new QVBoxLayout(s.frame);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(6);
    if (!c.layout.group.empty()) {
        auto* heading = new QLabel(toQ(c.layout.group), s.frame);
        heading->setObjectName("GroupHeading");
        QFont bold = heading->font();
        bold.setBold(true);
        heading->setFont(bold);
        stack->addWidget(heading);
    }
    s.grid = new QGridLayout;
    // Options sit in under their heading.
    s.grid->setContentsMargins(c.layout.group.empty() ? 0 : 14, 0, 0, 0);
    s.grid->setColumnStretch(1, 1);
    s.grid->setHorizontalSpacing(12);
    s.grid->setVerticalSpacing(6);
    stack->addLayout(s.grid);

    if (c.layout.column == ControlLayout::Wide) {
        for (QVBoxLayout*& column : m_columns) {
            if (column)
                column->addStretch(1);
            column = nullptr;
        }
        m_bands->addWidget(s.frame);
    } else {
        if (!m_columns[0]) {
            auto* band = new QHBoxLayout;
            band->setSpacing(32);
            for (QVBoxLayout*& column : m_columns) {
                column = new QVBoxLayout;
                column->setSpacing(20);
                band->addLayout(column, 1);
            }
            m_bands->addLayout(band);
        }
        m_columns[c.layout.column == ControlLayout::Right ? 1 : 0]->addWidget(s.frame);
    }
    m_sections.emplace_back(key, s);
    return m_sections.back().second;
}

QHBoxLayout* PageForm::newFieldCell(Section& s, int column, int span, int indent)
{
    auto* cell = new QHBoxLayout;
    cell->setSpacing(0);
    if (indent > 0)
        cell->addSpacing(indent * IndentStep);
    s.grid->addLayout(cell, s.row, column, 1, span);
    s.fieldCell = cell;
    s.cellStretches = false;
    return cell;
}

void PageForm::place(Section& s, Control& c, QWidget* w, bool nextBeside, ControlBinder& binder)
{
    endRow(s);
    const int indent = c.layout.indent;
    auto lead = [&](QWidget* widget) {
        auto* cell = new QHBoxLayout;
        if (indent > 0)
            cell->addSpacing(indent * IndentStep);
        cell->addWidget(widget);
        return cell;
    };

    if (c.kind() == ControlKind::List) {
        auto* row = new QHBoxLayout;
        row->addWidget(w, 1);
        s.listButtons = new QVBoxLayout;
        s.listButtons->setSpacing(6);
        row->addLayout(s.listButtons);
        s.grid->addLayout(row, s.row, 0, 1, 2);
        s.grid->setRowStretch(s.row, 1);
        w->setMinimumHeight(6 * w->fontMetrics().height());
        ++s.row;
        return;
    }
    if (isField(c.kind()) || c.kind() == ControlKind::UpDown) {
        if (!c.label.empty()) {
            auto* label = new QLabel(toQ(c.label), s.frame);
            binder.followVisibility(c, label);
            s.grid->addLayout(lead(label), s.row, 0);
            newFieldCell(s, 1, 1, 0);
        } else {
            newFieldCell(s, 0, 2, indent);
        }
        addField(s, c, w);
        ++s.row;
        return;
    }
    // A check box, label or button leads its row; fields declared beside it follow.
    if (nextBeside) {
        s.grid->addLayout(lead(w), s.row, 0);
        newFieldCell(s, 1, 1, 0);
    } else {
        auto* cell = lead(w);
        if (c.kind() == ControlKind::Button)
            cell->addStretch(1);
        s.grid->addLayout(cell, s.row, 0, 1, 2);
    }
    ++s.row;
}

void PageForm::addBeside(Section& s, Control& c, QWidget* w)
{
    if (s.listButtons && c.kind() == ControlKind::Button) {
        s.listButtons->addWidget(w);
        return;
    }
    if (isField(c.kind())) {
        addField(s, c, w);
        return;
    }
    // Arrows belong to their field; a browse button stands a little apart.
    if (c.kind() != ControlKind::UpDown)
        s.fieldCell->addSpacing(6);
    if (c.layout.chars > 0)
        w->setFixedWidth(fieldWidth(w, c.layout.chars));
    s.fieldCell->addWidget(w);
}

void PageForm::addField(Section& s, Control& c, QWidget* w)
{
    if (c.layout.chars > 0) {
        w->setFixedWidth(fieldWidth(w, c.layout.chars));
        s.fieldCell->addWidget(w);
    } else {
        s.fieldCell->addWidget(w, 1);
        s.cellStretches = true;
    }
}

void PageForm::endRow(Section& s)
{
    if (s.fieldCell && !s.cellStretches)
        s.fieldCell->addStretch(1);
    s.fieldCell = nullptr;
    if (s.listButtons)
        s.listButtons->addStretch(1);
    s.listButtons = nullptr;
}

int PageForm::fieldWidth(const QWidget* field, int chars)
{
    const QFontMetrics fm = field->fontMetrics();
    // Digits and capitals are the widest characters these fields hold.
    const int text =
        std::max(fm.horizontalAdvance(QString(chars, '0')), fm.horizontalAdvance(QString(chars, 'N')));
    if (auto* button = qobject_cast<const QPushButton*>(field)) {
        QStyleOptionButton opt;
        opt.initFrom(button);
        const QSize content(std::max(text, fm.horizontalAdvance(button->text())), fm.height());
        // The style's minimum button width is meant for words, not for a browse mark.
        return button->style()->sizeFromContents(QStyle::CT_PushButton, &opt, content, button).width();
    }
    if (auto* combo = qobject_cast<const QComboBox*>(field)) {
        QStyleOptionComboBox opt;
        opt.initFrom(combo);
        opt.editable = combo->isEditable();
        return combo->style()
            ->sizeFromContents(QStyle::CT_ComboBox, &opt, QSize(text, fm.height()), combo)
            .width();
    }
    QStyleOptionFrame opt;
    opt.initFrom(field);
    opt.lineWidth = field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, field);
    int width = field->style()
                    ->sizeFromContents(QStyle::CT_LineEdit, &opt, QSize(text + 4, fm.height()), field)
                    .width();
    if (auto* hex = qobject_cast<const THexEdit*>(field)) {
        const QMargins margins = hex->textMargins();
        width += margins.left() + margins.right();
    }
    return width;
}

QWidget* PageForm::firstFocusable() const
{
    for (QWidget* w : m_fields)
        if (w->isEnabled() && w->isVisibleTo(this) && (w->focusPolicy() & Qt::TabFocus))
            return w;
    return nullptr;
}
