#include "app/view/page_set_view.h"

#include <QFormLayout>
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
    auto* checks = new QGridLayout;
    auto* form = new QFormLayout;
    auto* buttons = new QHBoxLayout;
    outer->addLayout(checks);
    outer->addLayout(form);
    outer->addStretch(1);
    buttons->addStretch(1);
    outer->addLayout(buttons);

    int checkCount = 0;
    QHBoxLayout* lastRow = nullptr;  // where small buttons beside a field or list go
    const std::string pageName = objectName().toLatin1().toStdString();
    for (Control* c : controls.onPage(pageName, tab)) {
        if (isPageButton(*c)) {
            buttons->addWidget(binder.createWidget(*c, page));
            continue;
        }
        QWidget* w = binder.createWidget(*c, page);
        switch (c->kind()) {
        case ControlKind::CheckBox:
            checks->addWidget(w, checkCount / 2, checkCount % 2);
            ++checkCount;
            lastRow = nullptr;
            break;
        case ControlKind::Button:
            if (!lastRow) {
                lastRow = new QHBoxLayout;
                form->addRow(lastRow);
            }
            lastRow->addWidget(w);
            break;
        case ControlKind::UpDown:
            if (lastRow) {
                lastRow->addWidget(w);
                break;
            }
            form->addRow(w);
            break;
        case ControlKind::Label:
        case ControlKind::List:
            form->addRow(w);
            lastRow = nullptr;
            if (c->kind() == ControlKind::List) {
                lastRow = new QHBoxLayout;
                form->addRow(lastRow);
            }
            break;
        default: {
            auto* row = new QHBoxLayout;
            row->addWidget(w, 1);
            if (c->label.empty()) {
                form->addRow(row);
            } else {
                auto* label = new QLabel(toQ(c->label), page);
                binder.followVisibility(*c, label);
                form->addRow(label, row);
            }
            lastRow = row;
            break;
        }
        }
    }
    return page;
}
