#include "tools/view/tools_page_view.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "app/control_set.h"
#include "app/view/control_binder.h"
#include "platform/qt/qt_text.h"
#include "tools/tool_config.h"

namespace
{

constexpr int ContentWidth = 760;
constexpr int ButtonWidth = 104;
// Room for a dozen tools at most; a longer list scrolls rather than fill the page.
constexpr int ListMinHeight = 150;
constexpr int ListMaxHeight = 360;

// The path and parameters of the chosen tool, quieter than the lists themselves.
QLabel* summaryLabel(QWidget* parent, const char* name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setMinimumWidth(1);
    QPalette p = label->palette();
    QColor quiet = p.color(QPalette::WindowText);
    quiet.setAlpha(150);
    p.setColor(QPalette::WindowText, quiet);
    label->setPalette(p);
    return label;
}

} // namespace

ToolsPageView::ToolsPageView(ControlSet& controls, ToolConfig& config, QWidget* parent) : QWidget(parent)
{
    setObjectName("Tooltab");
    auto* binder = new ControlBinder(controls, this);

    auto* programming = new QGroupBox(toQ(controls["ProgToolLabel"].caption()), this);
    programming->setObjectName("ProgToolLabel");
    auto* progGrid = new QGridLayout(programming);
    progGrid->setContentsMargins(12, 10, 12, 10);
    progGrid->setHorizontalSpacing(8);
    progGrid->addWidget(dropDown(controls, *binder), 0, 0);
    progGrid->addWidget(button(controls, *binder, "PToolBtn"), 0, 1);
    progGrid->addWidget(button(controls, *binder, "PtoolRemove"), 0, 2);
    QLabel* progSummary = summaryLabel(programming, "ProgToolSummary");
    progGrid->addWidget(progSummary, 1, 0, 1, 3);
    progGrid->setColumnStretch(0, 1);

    auto* users = new QGroupBox(toQ(controls["UserToolLabel"].caption()), this);
    users->setObjectName("UserToolLabel");
    auto* userGrid = new QGridLayout(users);
    userGrid->setContentsMargins(12, 10, 12, 10);
    userGrid->setHorizontalSpacing(8);
    QWidget* list = binder->createWidget(controls["UserToolsList"], users);
    list->setMinimumHeight(ListMinHeight);
    list->setMaximumHeight(ListMaxHeight);
    userGrid->addWidget(list, 0, 0);
    auto* userButtons = new QVBoxLayout;
    for (const char* name : {"UToolBtn", "RemoveBtn", "EditTools"})
        userButtons->addWidget(button(controls, *binder, name));
    userButtons->addStretch(1);
    userGrid->addLayout(userButtons, 0, 1);
    QLabel* userSummary = summaryLabel(users, "UserToolSummary");
    userGrid->addWidget(userSummary, 1, 0, 1, 2);
    userGrid->setColumnStretch(0, 1);
    userGrid->setRowStretch(0, 1);
    // A double click edits the tool, as "Edit Tools" does.
    if (auto* listWidget = qobject_cast<QListWidget*>(list))
        connect(listWidget, &QListWidget::itemDoubleClicked, this,
                [&controls] { controls["EditTools"].activate(); });

    auto* column = new QVBoxLayout;
    column->setSpacing(14);
    column->addWidget(programming);
    column->addWidget(users);
    auto* content = new QWidget(this);
    content->setLayout(column);
    content->setMaximumWidth(ContentWidth);
    column->setContentsMargins(0, 0, 0, 0);

    // The page buttons stand where the other pages have theirs: bottom right.
    auto* pageButtons = new QHBoxLayout;
    pageButtons->addStretch(1);
    for (const char* name : {"AcceptTools", "Button40", "Button14"})
        pageButtons->addWidget(button(controls, *binder, name));

    // As on the other pages, the groups scroll on a small screen while the page buttons stay in
    // view; without it the page's height would push the window past a 1024 by 600 screen.
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName("PageScroll");
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->viewport()->setAutoFillBackground(false);
    auto* scrolled = new QWidget(scroll);
    scrolled->setAutoFillBackground(false);
    auto* rows = new QVBoxLayout(scrolled);
    rows->setContentsMargins(20, 16, 0, 0);
    auto* row = new QHBoxLayout;
    row->addWidget(content, 1);
    row->addStretch(0);
    rows->addLayout(row);
    rows->addStretch(1);
    scroll->setWidget(scrolled);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 12, 12);
    outer->addWidget(scroll, 1);
    outer->addLayout(pageButtons);

    QPointer<QLabel> progText(progSummary);
    QPointer<QLabel> userText(userSummary);
    binder->watch(controls["ProgToolsList"], [progText, &config] {
        if (progText)
            progText->setText(toQ(config.programmingToolSummary()));
    });
    binder->watch(controls["UserToolsList"], [userText, &config] {
        if (userText)
            userText->setText(toQ(config.userToolSummary()));
    });
}

QWidget* ToolsPageView::button(ControlSet& controls, ControlBinder& binder, const char* name)
{
    QWidget* w = binder.createWidget(controls[name], this);
    w->setMinimumWidth(ButtonWidth);
    return w;
}

QWidget* ToolsPageView::dropDown(ControlSet& controls, ControlBinder& binder)
{
    Control& c = controls["ProgToolsList"];
    auto* combo = new QComboBox(this);
    combo->setObjectName(toQ(c.name()));
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMinimumContentsLength(24);
    QPointer<QComboBox> p(combo);
    auto typing = std::make_shared<bool>(false);
    binder.watch(c, [p, &c, typing] {
        if (!p)
            return;
        const QSignalBlocker block(p);
        ControlBinder::showItems(*p, c);
        if (p->currentIndex() != c.itemIndex())
            p->setCurrentIndex(c.itemIndex());
        if (!*typing && p->currentText() != toQ(c.text()))
            p->setEditText(toQ(c.text()));
        p->setEnabled(c.enabled());
        p->setVisible(c.visible());
    });
    connect(combo, qOverload<int>(&QComboBox::activated), this, [&c](int index) {
        c.setItemIndex(index);
        c.setText(c.itemText());
    });
    connect(combo->lineEdit(), &QLineEdit::textEdited, this, [&c, typing](const QString& text) {
        *typing = true;
        c.setText(fromQ(text));
        *typing = false;
    });
    return combo;
}
