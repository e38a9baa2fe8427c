#include "app/view/page_set_view.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPointer>
#include <QScrollArea>
#include <QShortcut>
#include <QTabBar>
#include <QVBoxLayout>

#include "app/control_set.h"
#include "app/view/control_binder.h"
#include "app/view/page_form.h"
#include "platform/qt/qt_text.h"

PageSetView::PageSetView(ControlSet& controls, Control& pageSet, ControlBinder& binder, QWidget* parent)
    : QTabWidget(parent)
{
    setObjectName(toQ(pageSet.name()));
    // Page sets lie over each other and over the editor windows: none may show through.
    setAutoFillBackground(true);
    tabBar()->setAutoFillBackground(true);
    for (const auto& tab : pageSet.items())
        addTab(buildTab(controls, tab, binder, pageSet.layout.maxWidth), toQ(tab));
    setVisible(false);
    connect(this, &QTabWidget::currentChanged, this, [&pageSet](int index) { pageSet.setItemIndex(index); });

    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, [this] { cancel(); });
}

void PageSetView::follow(Control& pageSet, ControlBinder& binder)
{
    QPointer<PageSetView> self(this);
    binder.watch(pageSet, [self, &pageSet] {
        if (!self)
            return;
        const QSignalBlocker block(self);
        for (int i = 0; i < static_cast<int>(pageSet.items().size()); ++i)
            self->setTabVisible(i, pageSet.tabVisible(pageSet.items()[static_cast<std::size_t>(i)]));
        const int before = self->currentIndex();
        if (pageSet.itemIndex() >= 0)
            self->setCurrentIndex(pageSet.itemIndex());
        self->setVisible(pageSet.visible());
        const bool opened = pageSet.visible() && !self->m_open;
        self->m_open = pageSet.visible();
        if (!pageSet.visible())
            return;
        self->raise();
        // Opened, or turned to another page by the program: the page's first control.
        if (opened || (self->currentIndex() != before && self->isAncestorOf(QApplication::focusWidget())))
            self->focusFirstControl();
    });
}

QWidget* PageSetView::buildTab(ControlSet& controls, const std::string& tab, ControlBinder& binder,
                               int maxWidth)
{
    const std::string pageName = objectName().toLatin1().toStdString();
    std::vector<Control*> options;
    std::vector<Control*> buttons;
    Tab entry;
    for (Control* c : controls.onPage(pageName, tab)) {
        if (c->layout.role == ControlLayout::Option) {
            options.push_back(c);
            continue;
        }
        buttons.push_back(c);
        if (c->layout.role == ControlLayout::CancelButton)
            entry.cancel = c;
    }

    auto* page = new QWidget(this);
    auto* outer = new QVBoxLayout(page);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    entry.scroll = new QScrollArea(page);
    entry.scroll->setObjectName("PageScroll");
    entry.scroll->setFrameShape(QFrame::NoFrame);
    entry.scroll->setWidgetResizable(true);
    // The keyboard goes from control to control; the area itself only scrolls them into view.
    entry.scroll->setFocusPolicy(Qt::NoFocus);
    // The page shows through: the scroll area is only there for small screens.
    entry.scroll->viewport()->setAutoFillBackground(false);
    auto* content = new QWidget(entry.scroll);
    // Given to the area while still empty: a hidden page's form is laid out when it is first
    // shown, not while the main window is being built.
    entry.scroll->setWidget(content);
    content->setAutoFillBackground(false);
    auto* row = new QHBoxLayout(content);
    row->setContentsMargins(18, 16, 18, 12);
    entry.form = new PageForm(options, binder, maxWidth, content);
    row->addWidget(entry.form, 1);
    row->addStretch(0);
    outer->addWidget(entry.scroll, 1);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->setContentsMargins(18, 8, 18, 12);
    buttonRow->setSpacing(6);
    buttonRow->addStretch(1);
    for (Control* c : buttons)
        buttonRow->addWidget(binder.createWidget(*c, page));
    outer->addLayout(buttonRow);

    m_tabs.push_back(entry);
    return page;
}

void PageSetView::cancel()
{
    const int index = currentIndex();
    if (index < 0 || index >= static_cast<int>(m_tabs.size()))
        return;
    if (Control* button = m_tabs[static_cast<std::size_t>(index)].cancel)
        button->activate();
}

bool PageSetView::replacePage(const std::string& tab, QWidget* page, Control* cancel)
{
    for (int i = 0; i < count(); ++i) {
        if (tabText(i) != toQ(tab))
            continue;
        const QSignalBlocker block(this);
        const bool front = currentIndex() == i;
        QWidget* generic = widget(i);
        removeTab(i);
        delete generic;
        insertTab(i, page, toQ(tab));
        if (front)
            setCurrentIndex(i);
        m_tabs[static_cast<std::size_t>(i)] = Tab{nullptr, nullptr, cancel, page};
        return true;
    }
    return false;
}

void PageSetView::focusFirstControl()
{
    const int index = currentIndex();
    if (index < 0 || index >= static_cast<int>(m_tabs.size()))
        return;
    const Tab& t = m_tabs[static_cast<std::size_t>(index)];
    QWidget* first = t.form ? t.form->firstFocusable() : nullptr;
    if (!first && t.custom) {
        // The first control of the page's own tab order.
        for (QWidget* w = t.custom->nextInFocusChain(); w && w != t.custom; w = w->nextInFocusChain()) {
            if (t.custom->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled()) {
                first = w;
                break;
            }
        }
    }
    if (first)
        first->setFocus(Qt::OtherFocusReason);
}
