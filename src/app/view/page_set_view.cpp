#include "app/view/page_set_view.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QTabBar>
#include <QVBoxLayout>
#include <set>

#include "app/control_set.h"
#include "app/view/control_binder.h"
#include "platform/qt/qt_text.h"

namespace {

bool isPageButton(const Control& c)
{
    static const std::set<std::string> captions = {"Set Defaults", "Help", "Cancel", "OK", "Accept", "Close"};
    return c.kind() == ControlKind::Button && captions.count(c.caption()) != 0;
}

}  // namespace

PageSetView::PageSetView(ControlSet& controls, Control& pageSet, ControlBinder& binder, QWidget* parent)
    : QTabWidget(parent)
{
    setObjectName(toQ(pageSet.name()));
    // Page sets lie over each other and over the editor windows: none may show through.
    setAutoFillBackground(true);
    tabBar()->setAutoFillBackground(true);
    for (const auto& tab : pageSet.items())
        addTab(buildTab(controls, tab, binder), toQ(tab));

    QPointer<PageSetView> self(this);
    binder.watch(pageSet, [self, &pageSet] {
        if (!self)
            return;
        const QSignalBlocker block(self);
        for (int i = 0; i < static_cast<int>(pageSet.items().size()); ++i)
            self->setTabVisible(i, pageSet.tabVisible(pageSet.items()[static_cast<std::size_t>(i)]));
        if (pageSet.itemIndex() >= 0)
            self->setCurrentIndex(pageSet.itemIndex());
        self->setVisible(pageSet.visible());
        if (pageSet.visible())
            self->raise();
    });
    connect(this, &QTabWidget::currentChanged, this, [&pageSet](int index) { pageSet.setItemIndex(index); });
}

QWidget* PageSetView::buildTab(ControlSet& controls, const std::string& tab, ControlBinder& binder)
{
    auto* page = new QWidget(this);
    auto* outer = new QVBoxLayout(page);
    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    auto* buttons = new QHBoxLayout;
    outer->addLayout(grid);
    outer->addStretch(1);
    buttons->addStretch(1);
    outer->addLayout(buttons);

    // Rows follow the declaration order. A check box or label directly followed by a field
    // without a label of its own shares its row, so a field stands beside the box that enables it.
    int row = 0;
    int column = 0;              // next free half-row for lone check boxes (0 or 2)
    QWidget* pending = nullptr;  // a check box or label waiting for its field
    QHBoxLayout* lastRow = nullptr;
    auto newRow = [&] {
        if (column != 0) {
            ++row;
            column = 0;
        }
    };
    auto placePending = [&] {
        if (!pending)
            return;
        if (qobject_cast<QLabel*>(pending)) {
            newRow();
            grid->addWidget(pending, row++, 0, 1, 4);
        } else {
            grid->addWidget(pending, row, column, 1, 2);
            column = column == 0 ? 2 : 0;
            if (column == 0)
                ++row;
        }
        pending = nullptr;
        lastRow = nullptr;
    };
    auto addFieldRow = [&](QWidget* left, QWidget* field) {
        newRow();
        lastRow = new QHBoxLayout;
        lastRow->addWidget(field, 1);
        if (left)
            grid->addWidget(left, row, 0);
        grid->addLayout(lastRow, row++, left ? 1 : 0, 1, left ? 3 : 4);
    };

    const std::string pageName = objectName().toLatin1().toStdString();
    for (Control* c : controls.onPage(pageName, tab)) {
        if (isPageButton(*c)) {
            buttons->addWidget(binder.createWidget(*c, page));
            continue;
        }
        QWidget* w = binder.createWidget(*c, page);
        switch (c->kind()) {
        case ControlKind::CheckBox:
        case ControlKind::Label:
            placePending();
            pending = w;
            break;
        case ControlKind::Button:
        case ControlKind::UpDown:
            placePending();
            if (!lastRow)
                addFieldRow(nullptr, new QWidget(page));
            lastRow->addWidget(w);
            break;
        case ControlKind::List:
            placePending();
            newRow();
            grid->addWidget(w, row++, 0, 1, 4);
            lastRow = new QHBoxLayout;
            lastRow->addStretch(1);
            grid->addLayout(lastRow, row++, 0, 1, 4);
            break;
        default:
            if (!c->label.empty()) {
                placePending();
                auto* label = new QLabel(toQ(c->label), page);
                binder.followVisibility(*c, label);
                addFieldRow(label, w);
            } else {
                QWidget* left = pending;
                pending = nullptr;
                addFieldRow(left, w);
            }
            break;
        }
    }
    placePending();
    return page;
}
