#include "build/view/output_widgets.h"

#include <QFontDatabase>
#include <QLabel>
#include <QListView>

#include "build/view/build_output_model.h"

QLabel* outputLabel(const char* name, QWidget* parent, bool bold)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    if (bold) {
        QFont f = label->font();
        f.setBold(true);
        label->setFont(f);
    }
    return label;
}

QListView* outputList(const char* name, BuildOutputModel* model, QWidget* parent)
{
    auto* list = new QListView(parent);
    list->setObjectName(name);
    list->setModel(model);
    // Rows of one height keep a flood of output cheap to lay out.
    list->setUniformItemSizes(true);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setTextElideMode(Qt::ElideNone);
    list->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    return list;
}
